// Free text of the menus (replay names, labels, music notes) in the glyph
// fonts: plain, and outlined (four black copies one pixel around, then the
// text in its colour).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/TextInputBox.h"

namespace korvid {

struct Game;

enum class MenuFont { Box14, List16, Outline18 };

// `align` as the glyph font takes it (0 left, 1 centred on x, 2 ending at x).
// In English the Latin letters take the face's own spacing.
void DrawMenuText(Game& game, MenuFont font, float x, float y, std::string_view utf8, std::uint32_t argb,
                  int align = 0);
void DrawOutlinedText(Game& game, MenuFont font, float x, float y, std::string_view utf8, std::uint32_t argb,
                      int align = 0);

// The text of the game's language: `chinese` or `english`.
const char* Say(const Game& game, const char* chinese, const char* english);

// The text boxes' font: the 14-pixel glyph font in black.
std::unique_ptr<BoxFont> MakeTextBoxFont(Game& game);

}  // namespace korvid
