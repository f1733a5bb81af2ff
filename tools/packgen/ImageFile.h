// Encodes a painted canvas into the bytes of a PNG or JPEG file (SDL2_image).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"

namespace korvid::packgen {

// `clearRgb` is the colour given to fully transparent pixels (0xRRGGBB).
std::vector<std::uint8_t> EncodePng(const Canvas& canvas, std::uint32_t clearRgb = 0);
// JPEG has no alpha: the picture is flattened over black.
std::vector<std::uint8_t> EncodeJpeg(const Canvas& canvas, int quality);

// Picks the encoder from the file name's extension (".png" or ".jpg").
std::vector<std::uint8_t> EncodeImage(const Canvas& canvas, const std::string& fileName, int jpegQuality,
                                      std::uint32_t clearRgb = 0);

}  // namespace korvid::packgen
