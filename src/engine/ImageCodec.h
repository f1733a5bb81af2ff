// Image files in and out: decoding PNG/JPG bytes into 32-bit ARGB pixels
// exactly as stored (no gamma correction, no premultiplied alpha, since game
// code reads pixel values back), and writing ARGB pictures as PNG files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvid {

struct ArgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // rows top-down, `width` apart
};

// False when the bytes are no PNG, JPEG or BMP image SDL_image can read.
// (Pictures of the game and its packs are PNG and JPEG; other formats'
// readers are not offered bytes from a pack.)
bool DecodeImage(const std::uint8_t* data, std::size_t size, ArgbImage& out);

// The width and height a PNG, JPEG or BMP file declares, read from its
// header without decoding it; false when the bytes do not say.
bool ReadImageSize(const std::uint8_t* data, std::size_t size, int& width, int& height);

// Writes width x height ARGB pixels, rows top-down and `width` apart.
bool WritePng(const std::string& path, const std::uint32_t* argb, int width, int height);

}  // namespace korvid
