// The menus behind the title picture, one function per screen.
#pragma once

#include <cstdint>

namespace korvid {

struct Game;

void RunMainMenu(Game& game);        // screen 0
void RunDifficultyMenu(Game& game);  // screen 1
void RunCharacterMenu(Game& game);   // screen 2
void RunPracticeMenu(Game& game);    // screen 6

// Shared drawing helpers of the menus.
inline constexpr std::uint32_t kMenuSelected = 0xFFFFFFFF;
inline constexpr std::uint32_t kMenuOther = 0x9BFFFFFF;
// Draws a rectangle of a texture with the shared menu sprite.
void DrawMenuRect(Game& game, std::uint32_t texture, float x, float y, float w, float h, float atX, float atY,
                  std::uint32_t color, float scale = 1.0f);
// Replaces the sub-menu texture (freeing the one it held).
void SetSubMenuTexture(Game& game, const char* file);
// Difficulty card of the chosen difficulty, sliding away as s grows 0..30.
void DrawSlidingCard(Game& game, int s);

}  // namespace korvid
