// An SDL window with an OpenGL 3.3 core context, as both engines use it: the
// real engine shows it, the headless one keeps it hidden on SDL's offscreen
// video driver just to have a context to draw into.
#pragma once

#include <SDL.h>

#include <string>

namespace korvid {

class GlWindow {
public:
    GlWindow() = default;
    ~GlWindow() { close(); }
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    // The video subsystem must be up. Leaves the context current with no
    // vertical sync (frames are paced by the engine's timer).
    bool open(const char* title, int w, int h, Uint32 flags, std::string* error);
    void close();
    void makeCurrent();

    SDL_Window* window() const { return window_; }

private:
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
};

}  // namespace korvid
