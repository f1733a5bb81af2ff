// A picture file's bytes as a texture, the way Texture_Load makes one: the
// image decoded, its size checked, the pixels padded into the surface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/TextureData.h"

namespace korvid {

// Larger than any picture the game has, and within every GL's limits.
inline constexpr int kMaxTextureSide = 8192;

bool TextureSizeAllowed(int w, int h);

// Nothing when the bytes are no picture, or one too large for a texture.
std::optional<TextureData> DecodeTexture(const std::uint8_t* data, std::size_t size, std::string file);

}  // namespace korvid
