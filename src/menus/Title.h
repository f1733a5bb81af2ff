// The title screen: logo and first loading, title picture, menus.
#pragma once

namespace korvid {

struct Game;

void RunTitle(Game& game);

}  // namespace korvid
