// Replay files keep their texts in GBK, the code page the Windows game wrote
// them in; in memory the game keeps UTF-8 (what the text boxes and fonts use).
// Neither conversion fails: a character the other side cannot hold, or a byte
// that is not valid text, becomes one '?'.
#pragma once

#include <string>
#include <string_view>

namespace korvid {

std::string GbkFromUtf8(std::string_view utf8);
std::string Utf8FromGbk(std::string_view gbk);

// Whether GBK holds the character (emoji and rare CJK it does not), so a
// text box refuses what the replay file could not store.
bool GbkCanHold(char32_t c);

}  // namespace korvid
