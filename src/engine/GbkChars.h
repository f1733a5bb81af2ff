// GBK, the code page the game's own texts are written in, to UTF-16: the
// platform's conversion, one two-byte character at a time.
#pragma once

#include <cstddef>

namespace korvid {

// Whether (lead, trail) has the shape of a two-byte GBK character.
bool IsGbkPair(unsigned char lead, unsigned char trail);

// Converts up to `count` two-byte characters; a pair that is not GBK (or not
// convertible) becomes 0. Returns how many were written.
std::size_t Utf16FromGbkPairs(const char* bytes, std::size_t count, char16_t* out);

}  // namespace korvid
