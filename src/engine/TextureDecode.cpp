#include "engine/TextureDecode.h"

#include "engine/ImageCodec.h"

namespace korvid {

bool TextureSizeAllowed(int w, int h) { return w > 0 && h > 0 && w <= kMaxTextureSide && h <= kMaxTextureSide; }

std::optional<TextureData> DecodeTexture(const std::uint8_t* data, std::size_t size, std::string file) {
    // A picture too large is refused from its header, before the decoder
    // would make room for all of it (a few bytes can declare gigabytes).
    int w = 0, h = 0;
    if (ReadImageSize(data, size, w, h) && !TextureSizeAllowed(w, h)) return std::nullopt;
    ArgbImage image;
    if (!DecodeImage(data, size, image) || !TextureSizeAllowed(image.width, image.height)) return std::nullopt;
    return MakeTextureFromPixels(image.width, image.height, image.pixels.data(), std::move(file));
}

}  // namespace korvid
