#include "ImageFile.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <stdexcept>

namespace korvid::packgen {

namespace {

// An SDL_RWops that appends everything written to a byte vector.
SDL_RWops* VectorWriter(std::vector<std::uint8_t>* out) {
    SDL_RWops* rw = SDL_AllocRW();
    if (!rw) throw std::runtime_error("SDL_AllocRW failed");
    rw->hidden.unknown.data1 = out;
    rw->hidden.unknown.data2 = nullptr;  // write position
    rw->size = [](SDL_RWops* ctx) -> Sint64 {
        return Sint64(static_cast<std::vector<std::uint8_t>*>(ctx->hidden.unknown.data1)->size());
    };
    rw->seek = [](SDL_RWops* ctx, Sint64 offset, int whence) -> Sint64 {
        auto* v = static_cast<std::vector<std::uint8_t>*>(ctx->hidden.unknown.data1);
        Sint64 pos = Sint64(reinterpret_cast<std::uintptr_t>(ctx->hidden.unknown.data2));
        Sint64 base = whence == RW_SEEK_SET ? 0 : (whence == RW_SEEK_CUR ? pos : Sint64(v->size()));
        Sint64 next = base + offset;
        if (next < 0) return -1;
        ctx->hidden.unknown.data2 = reinterpret_cast<void*>(std::uintptr_t(next));
        return next;
    };
    rw->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
    rw->write = [](SDL_RWops* ctx, const void* ptr, size_t size, size_t num) -> size_t {
        auto* v = static_cast<std::vector<std::uint8_t>*>(ctx->hidden.unknown.data1);
        std::size_t pos = reinterpret_cast<std::uintptr_t>(ctx->hidden.unknown.data2);
        std::size_t n = size * num;
        if (v->size() < pos + n) v->resize(pos + n);
        std::copy_n(static_cast<const std::uint8_t*>(ptr), n, v->begin() + std::ptrdiff_t(pos));
        ctx->hidden.unknown.data2 = reinterpret_cast<void*>(std::uintptr_t(pos + n));
        return num;
    };
    rw->close = [](SDL_RWops* ctx) -> int {
        SDL_FreeRW(ctx);
        return 0;
    };
    return rw;
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

template <class Save>
std::vector<std::uint8_t> Encode(const Canvas& canvas, Save save, std::uint32_t clearRgb = 0) {
    std::vector<std::uint32_t> argb = canvas.toArgb(clearRgb);
    std::unique_ptr<SDL_Surface, SurfaceDeleter> surface(SDL_CreateRGBSurfaceWithFormatFrom(
        argb.data(), canvas.width(), canvas.height(), 32, canvas.width() * 4, SDL_PIXELFORMAT_ARGB8888));
    if (!surface) throw std::runtime_error(std::string("SDL surface: ") + SDL_GetError());
    std::vector<std::uint8_t> out;
    if (save(surface.get(), VectorWriter(&out)) != 0)
        throw std::runtime_error(std::string("image encoding: ") + IMG_GetError());
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Canvas& canvas, std::uint32_t clearRgb) {
    return Encode(canvas, [](SDL_Surface* s, SDL_RWops* rw) { return IMG_SavePNG_RW(s, rw, 1); }, clearRgb);
}

std::vector<std::uint8_t> EncodeJpeg(const Canvas& canvas, int quality) {
    // Flatten over black first so transparent corners do not turn into noise.
    Canvas flat(canvas.width(), canvas.height());
    flat.fill({0, 0, canvas.width(), canvas.height()}, {0, 0, 0, 1});
    flat.draw(canvas, 0, 0);
    return Encode(flat, [quality](SDL_Surface* s, SDL_RWops* rw) { return IMG_SaveJPG_RW(s, rw, 1, quality); });
}

std::vector<std::uint8_t> EncodeImage(const Canvas& canvas, const std::string& fileName, int jpegQuality,
                                      std::uint32_t clearRgb) {
    auto ends = [&](const char* ext) {
        std::string e(ext);
        return fileName.size() >= e.size() && fileName.compare(fileName.size() - e.size(), e.size(), e) == 0;
    };
    if (ends(".jpg")) return EncodeJpeg(canvas, jpegQuality);
    if (ends(".png")) return EncodePng(canvas, clearRgb);
    throw std::runtime_error("no image encoder for " + fileName);
}

}  // namespace korvid::packgen
