// A message box for failures before the game can draw anything (no pack).
#pragma once

#include <string>

namespace korvid {

// Shows a plain error box on the desktop; does nothing where there is no
// display. Blocks until the player closes it.
void ShowStartupError(const std::string& title, const std::string& text);

}  // namespace korvid
