// UTF-8 to code points and back, for typed text and the text boxes. A byte
// that starts no valid sequence decodes as U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace korvid {

std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace korvid
