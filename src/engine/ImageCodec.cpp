#include "engine/ImageCodec.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace korvid {

bool DecodeImage(const std::uint8_t* data, std::size_t size, ArgbImage& out) {
    if (!data || size == 0) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(data, int(size));
    if (!rw) return false;
    SDL_Surface* loaded = IMG_Load_RW(rw, 1);
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
