// What the settings texture holds besides its menu rows: a grid of 36 x 36
// glyphs (digits and letters) that the settings and key-configuration screens
// spell values with, and the names shown for bound keys that are neither a
// letter nor a digit.
#pragma once

#include <string_view>

namespace korvid {

// A rectangle of a texture, in pixels.
struct TexRect {
    float x, y, w, h;
};

inline constexpr float kGlyphSize = 36;
inline constexpr int kGlyphColumns = 5;
inline constexpr float kGlyphGridX = 70;
inline constexpr float kDigitGridY = 216;
inline constexpr float kLetterGridY = 288;

// Glyph g of a grid: five to a row, left to right, then down.
constexpr TexRect GridGlyph(float gridY, int g) {
    return {kGlyphGridX + static_cast<float>(g % kGlyphColumns) * kGlyphSize,
            gridY + static_cast<float>(g / kGlyphColumns) * kGlyphSize, kGlyphSize, kGlyphSize};
}
constexpr TexRect DigitGlyph(int g) { return GridGlyph(kDigitGridY, g); }    // 0..9 are the digits
constexpr TexRect LetterGlyph(int g) { return GridGlyph(kLetterGridY, g); }  // 0..25 are A..Z

inline constexpr int kPercentGlyph = 26;  // letter grid: the sign after a volume
inline constexpr int kKeyMarkGlyph = 50;  // digit grid: the mark before a key name

constexpr bool IsLetterKey(int code) { return code >= 'A' && code <= 'Z'; }
constexpr bool IsDigitKey(int code) { return code >= '0' && code <= '9'; }
// Letters and digits are shown by their own glyph alone.
constexpr bool ShowsSingleGlyph(int code) { return IsLetterKey(code) || IsDigitKey(code); }
constexpr TexRect SingleKeyGlyph(int code) {
    return IsLetterKey(code) ? LetterGlyph(code - 'A') : DigitGlyph(code - '0');
}

struct KeyNameEntry {
    int code;  // Windows virtual-key code
    std::string_view name;
};

// Spelled with letter glyphs only, so every character is A..Z.
inline constexpr KeyNameEntry kKeyNames[] = {
    {9, "TAB"},     {13, "ENTER"},  {16, "SHIFT"}, {17, "CTRL"}, {18, "ALT"},   {19, "PAUSE"},
    {20, "CAPSLK"}, {37, "LEFT"},   {38, "UP"},    {39, "RIGHT"}, {40, "DOWN"},
};

// The name of a key, empty for keys that have none.
constexpr std::string_view KeyName(int code) {
    for (const KeyNameEntry& k : kKeyNames)
        if (k.code == code) return k.name;
    return {};
}

}  // namespace korvid
