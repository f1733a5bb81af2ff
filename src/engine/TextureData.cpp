#include "engine/TextureData.h"

#include <algorithm>
#include <cstring>

namespace korvid {

int NextPowerOfTwo(int n) {
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

TextureData MakeBlankTexture(int imageW, int imageH) {
    TextureData t;
    t.imageWidth = std::max(imageW, 1);
    t.imageHeight = std::max(imageH, 1);
    t.width = NextPowerOfTwo(t.imageWidth);
    t.height = NextPowerOfTwo(t.imageHeight);
    t.pixels.assign(std::size_t(t.width) * std::size_t(t.height), 0u);
    return t;
}

TextureData MakeTextureFromPixels(int imageW, int imageH, const std::uint32_t* argb, std::string file) {
    TextureData t = MakeBlankTexture(imageW, imageH);
    for (int y = 0; y < imageH; ++y)
        std::memcpy(t.pixels.data() + std::size_t(y) * t.width, argb + std::size_t(y) * imageW,
                    std::size_t(imageW) * 4);
    t.file = std::move(file);
    return t;
}

}  // namespace korvid
