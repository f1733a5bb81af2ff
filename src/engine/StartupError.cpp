#include "engine/StartupError.h"

#include <SDL.h>

#include <cstdlib>

namespace korvid {

void ShowStartupError(const std::string& title, const std::string& text) {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!display || !*display) && (!wayland || !*wayland)) return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr);
}

}  // namespace korvid
