#include "engine/ImageCodec.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstring>

namespace korvid {

namespace {

std::uint32_t bigEndian(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
    return v;
}

std::uint32_t littleEndian(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

bool fitsInt(std::uint32_t v) { return v <= 0x7FFFFFFFu; }

// PNG: the IHDR chunk comes first, right after the signature.
bool pngSize(const std::uint8_t* d, std::size_t n, int& w, int& h) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (n < 24 || std::memcmp(d, kSignature, 8) != 0 || std::memcmp(d + 12, "IHDR", 4) != 0) return false;
    const std::uint32_t width = bigEndian(d + 16, 4), height = bigEndian(d + 20, 4);
    if (!fitsInt(width) || !fitsInt(height)) return false;
    w = static_cast<int>(width);
    h = static_cast<int>(height);
    return true;
}

// JPEG: the first start-of-frame marker, walking the segments before it.
bool jpegSize(const std::uint8_t* d, std::size_t n, int& w, int& h) {
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8) return false;
    std::size_t at = 2;
    while (at + 4 <= n) {
        if (d[at] != 0xFF) return false;
        const std::uint8_t marker = d[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return false;  // end, or scan data before any frame
        const std::size_t length = bigEndian(d + at + 2, 2);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 7 || at + 9 > n) return false;
            h = static_cast<int>(bigEndian(d + at + 5, 2));
            w = static_cast<int>(bigEndian(d + at + 7, 2));
            return true;
        }
        if (length < 2) return false;
        at += 2 + length;
    }
    return false;
}

// BMP: the sizes in the info header (16-bit in the old OS/2 one; a
// negative height is a picture stored top-down).
bool bmpSize(const std::uint8_t* d, std::size_t n, int& w, int& h) {
    if (n < 26 || d[0] != 'B' || d[1] != 'M') return false;
    const std::uint32_t header = littleEndian(d + 14, 4);
    if (header == 12) {
        w = static_cast<int>(littleEndian(d + 18, 2));
        h = static_cast<int>(littleEndian(d + 20, 2));
        return true;
    }
    const auto width = static_cast<std::int32_t>(littleEndian(d + 18, 4));
    const auto height = static_cast<std::int32_t>(littleEndian(d + 22, 4));
    if (width == INT32_MIN || height == INT32_MIN) return false;
    w = width < 0 ? -width : width;
    h = height < 0 ? -height : height;
    return true;
}

}  // namespace

bool ReadImageSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    if (!data) return false;
    return pngSize(data, size, width, height) || jpegSize(data, size, width, height) ||
           bmpSize(data, size, width, height);
}

bool DecodeImage(const std::uint8_t* data, std::size_t size, ArgbImage& out) {
    if (!data || size == 0 || size > 0x7FFFFFFF) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(data, int(size));
    if (!rw) return false;
    SDL_Surface* loaded = nullptr;
    if (IMG_isPNG(rw)) loaded = IMG_LoadPNG_RW(rw);
    else if (IMG_isJPG(rw)) loaded = IMG_LoadJPG_RW(rw);
    else if (IMG_isBMP(rw)) loaded = IMG_LoadBMP_RW(rw);
    SDL_RWclose(rw);
    if (!loaded) return false;
    // A straight copy into ARGB: colour keys become alpha 0, images without
    // alpha become opaque, nothing is blended or premultiplied.
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return false;
    out.width = argb->w;
    out.height = argb->h;
    out.pixels.resize(std::size_t(argb->w) * std::size_t(argb->h));
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        std::memcpy(out.pixels.data() + std::size_t(y) * argb->w,
                    static_cast<const std::uint8_t*>(argb->pixels) + std::size_t(y) * argb->pitch,
                    std::size_t(argb->w) * 4);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return true;
}

bool WritePng(const std::string& path, const std::uint32_t* argb, int width, int height) {
    if (!argb || width <= 0 || height <= 0) return false;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(argb), width, height, 32,
                                                        width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return false;
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

}  // namespace korvid
