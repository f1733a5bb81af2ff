// Test helpers for the engines: quads made to measure, test pictures written
// as image files, a probe for offscreen OpenGL, and a one-call way to render
// frames and get a frame's finished picture back.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "engine/Engine.h"
#include "engine/ImageCodec.h"

namespace korvid::testing {

inline Quad MakeQuad(float x, float y, float w, float h, std::uint32_t color, HTEXTURE tex = 0,
                     int blend = BLEND_DEFAULT, float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1) {
    Quad q{};
    q.v[0] = {x, y, 0.5f, color, u0, v0};
    q.v[1] = {x + w, y, 0.5f, color, u1, v0};
    q.v[2] = {x + w, y + h, 0.5f, color, u1, v1};
    q.v[3] = {x, y + h, 0.5f, color, u0, v1};
    q.tex = tex;
    q.blend = blend;
    return q;
}

// Writes ARGB pixels (rows top-down) as a PNG or JPEG file, making its folder.
inline bool WriteImage(const std::string& path, const std::vector<std::uint32_t>& argb, int w, int h,
                       bool jpeg = false) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(argb.data()), w, h, 32, w * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (!s) return false;
    const int rc = jpeg ? IMG_SaveJPG(s, path.c_str(), 95) : IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    return rc == 0;
}

// Whether this machine can give the headless engine a GL 3.3 context on
// SDL's offscreen driver, checked without the engine's own code.
inline bool OffscreenGlAvailable() {
    static const bool available = [] {
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
        const bool up = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
        if (!up) return false;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        bool ok = false;
        if (SDL_Window* w = SDL_CreateWindow("probe", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN)) {
            if (SDL_GLContext c = SDL_GL_CreateContext(w)) {
                ok = epoxy_gl_version() >= 33;
                SDL_GL_DeleteContext(c);
            }
            SDL_DestroyWindow(w);
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return ok;
    }();
    return available;
}

// A headless engine with `dir` as its game folder, initiated.
inline std::unique_ptr<Engine> StartHeadless(const TempDir& dir) {
    auto engine = CreateHeadlessEngine();
    engine->Shell_SetGameDir(dir.path().string());
    engine->System_Initiate();
    return engine;
}

// Runs `frames` frames, each clearing to `background` and then calling
// draw(frame); returns the finished picture of frame `shotFrame`.
inline ArgbImage RenderFrames(Engine& engine, const TempDir& dir, int frames, int shotFrame,
                              std::uint32_t background, const std::function<void(int)>& draw) {
    const std::string shot = dir.file("shot-" + std::to_string(shotFrame) + ".png");
    int frame = 0;
    engine.System_SetStateFunc(HGE_FRAMEFUNC, [&frame] {
        ++frame;
        return false;
    });
    engine.System_SetStateFunc(HGE_RENDERFUNC, [&] {
        engine.Gfx_BeginScene();
        engine.Gfx_Clear(background);
        draw(frame);
        engine.Gfx_EndScene();
        return false;
    });
    engine.Shell_SetFrameLimit(frames);
    engine.Shell_AddScreenshot(shotFrame, shot);
    engine.System_Start();
    std::ifstream in(shot, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ArgbImage image;
    DecodeImage(bytes.data(), bytes.size(), image);
    return image;
}

inline std::uint32_t PixelAt(const ArgbImage& image, int x, int y) {
    return image.pixels.at(std::size_t(y) * std::size_t(image.width) + std::size_t(x));
}

inline int Channel(std::uint32_t argb, int shift) { return int((argb >> shift) & 0xFF); }

}  // namespace korvid::testing
