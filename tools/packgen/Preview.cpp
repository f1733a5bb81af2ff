#include "Preview.h"

#include <SDL.h>
#include <SDL_image.h>

#include "Canvas.h"
#include "ImageFile.h"

namespace korvid::packgen {

std::vector<std::uint8_t> PreviewPng(const std::vector<std::uint8_t>& picture, int scale) {
    SDL_RWops* rw = SDL_RWFromConstMem(picture.data(), int(picture.size()));
    SDL_Surface* loaded = rw ? IMG_Load_RW(rw, 1) : nullptr;
    if (!loaded) return {};
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return {};
    int up = scale > 0 ? scale : 1, down = scale < 0 ? -scale : 1;
    Canvas out(argb->w * up / down, argb->h * up / down);
    SDL_LockSurface(argb);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            bool dark = ((x / 8) + (y / 8)) % 2 == 0;
            out.set(x, y, dark ? Rgba{0.12f, 0.12f, 0.16f, 1} : Rgba{0.2f, 0.2f, 0.26f, 1});
            auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) +
                                                                (y * down / up) * argb->pitch);
            std::uint32_t p = row[x * down / up];
            Rgba c{float((p >> 16) & 0xFF) / 255, float((p >> 8) & 0xFF) / 255, float(p & 0xFF) / 255,
                   float(p >> 24) / 255};
            out.over(x, y, c);
        }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return EncodePng(out);
}

}  // namespace korvid::packgen
