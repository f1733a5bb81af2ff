// One texture as the engine keeps it: the CPU copy of its ARGB surface (the
// picture padded with transparent texels to power-of-two sides), the size of
// the original picture, the file it came from, and its GL texture once made.
// Locks read and write the CPU copy; the GL texture is refreshed from it the
// next time the texture is drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/AlphaGrid.h"
#include "engine/ClearWindow.h"

namespace korvid {

struct TextureData {
    int width = 0, height = 0;             // surface
    int imageWidth = 0, imageHeight = 0;   // picture inside it
    std::vector<std::uint32_t> pixels;     // width * height, rows top-down
    std::string file;                      // "" for textures made by Texture_Create
    unsigned glName = 0;                   // 0 until first drawn with GL
    bool gpuStale = true;                  // pixels changed since the last upload
    bool locked = false;
    bool lockWritable = false;
    // The picture's clear window, found the first time a large quad of it
    // is drawn and again after its texels are written.
    bool windowKnown = false;
    TexelRect clearWindow;
    // Where it is clear or opaque: built the first time it is drawn with
    // pictures, again after its texels are written.
    AlphaGrid alpha;
};

// Smallest power of two >= n (1 for n <= 1).
int NextPowerOfTwo(int n);

// A zeroed surface for a picture of imageW x imageH.
TextureData MakeBlankTexture(int imageW, int imageH);

// The picture copied into the top-left of a padded surface.
TextureData MakeTextureFromPixels(int imageW, int imageH, const std::uint32_t* argb, std::string file);

}  // namespace korvid
