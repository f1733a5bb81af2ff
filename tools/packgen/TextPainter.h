// Text through FreeType, with faces found by fontconfig: "song" is a Song/Ming
// face (the game's "宋体", AR PL UMing), "hei" a Hei face ("黑体", WenQuanYi
// Zen Hei), "serif" and "sans" bold Latin faces for lettering.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

namespace korvid::packgen {

class Json;

struct TextStyle {
    std::string face = "hei";
    float size = 16;            // pixels per em
    Rgba fill{1, 1, 1, 1};
    Rgba fillBottom{1, 1, 1, 1};  // vertical gradient to this colour over each line
    Rgba outline{0, 0, 0, 1};
    float outlineWidth = 0;
    Rgba glow{1, 1, 1, 0};
    float glowRadius = 0;
    int align = 0;               // 0 left, 1 centre, 2 right
    int valign = 1;              // 0 top, 1 middle, 2 bottom
    float tracking = 0;          // extra pixels after every character
    float lineHeight = 0;        // 0: 1.25 em
    bool shrink = true;          // make the text smaller until it fits the box
};

// Reads face, size, colours ("fill", "fillBottom", "outline", "glow"),
// "outlineWidth", "glowRadius", "align", "valign", "tracking", "lineHeight"
// and "shrink" from a manifest object; missing keys keep `base`.
TextStyle ReadTextStyle(const Json& entry, TextStyle base = {});

// Width in pixels of one line of UTF-8 text.
float MeasureText(const std::string& line, const std::string& face, float size, float tracking = 0);

// Lays the text ('\n' separates lines) into the box and draws it.
void DrawText(Canvas& canvas, Rect box, const std::string& utf8, const TextStyle& style);

// Draws one line with its baseline starting at (x, baseline), fill only.
void DrawTextLine(Canvas& canvas, float x, float baseline, const std::string& utf8, const std::string& face,
                  float size, Rgba colour);

// Advance of one character (Unicode code point) and the face's ascent.
float GlyphAdvance(unsigned code, const std::string& face, float size);
float FaceAscent(const std::string& face, float size);

std::vector<unsigned> DecodeUtf8(const std::string& s);

}  // namespace korvid::packgen
