#include "engine/Controllers.h"

#include <SDL.h>

#include <algorithm>

namespace korvid {

Controllers::~Controllers() { close(); }

bool Controllers::open() {
    if (started_) return true;
    // Pads keep working while the window is in the background of a test or
    // a headless run; the game decides itself what focus means.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    return started_;
}

void Controllers::close() {
    for (Pad& p : pads_) SDL_GameControllerClose(p.controller);
    pads_.clear();
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started_ = false;
}

void Controllers::refresh() {
    SDL_GameControllerUpdate();
    for (auto it = pads_.begin(); it != pads_.end();) {
        if (SDL_GameControllerGetAttached(it->controller)) {
            ++it;
            continue;
        }
        SDL_GameControllerClose(it->controller);
        it = pads_.erase(it);
        removed_ = true;
    }
    const int n = SDL_NumJoysticks();
    for (int i = 0; i < n; ++i) {
        if (!SDL_IsGameController(i)) continue;
        const int instance = SDL_JoystickGetDeviceInstanceID(i);
        const bool known = std::any_of(pads_.begin(), pads_.end(), [&](const Pad& p) { return p.instance == instance; });
        if (known) continue;
        if (SDL_GameController* c = SDL_GameControllerOpen(i)) pads_.push_back({c, instance});
    }
}

void Controllers::update(KeySnapshot& keys) {
    firstHeld_ = -1;
    if (!started_) return;
    refresh();
    auto hold = [&](int vk) {
        if (vk > 0 && vk < kVirtualKeyCount) keys[static_cast<std::size_t>(vk)] = true;
    };
    for (const Pad& p : pads_) {
        for (int b = 0; b < kControllerButtonCount; ++b) {
            if (!SDL_GameControllerGetButton(p.controller, static_cast<SDL_GameControllerButton>(b))) continue;
            if (firstHeld_ < 0) firstHeld_ = b;
            switch (b) {
                case SDL_CONTROLLER_BUTTON_DPAD_UP: hold(bindings_.up); break;
                case SDL_CONTROLLER_BUTTON_DPAD_DOWN: hold(bindings_.down); break;
                case SDL_CONTROLLER_BUTTON_DPAD_LEFT: hold(bindings_.left); break;
                case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: hold(bindings_.right); break;
                default: hold(bindings_.buttons[static_cast<std::size_t>(b)]); break;
            }
        }
        const StickDirections d = StickToDirections(SDL_GameControllerGetAxis(p.controller, SDL_CONTROLLER_AXIS_LEFTX),
                                                    SDL_GameControllerGetAxis(p.controller, SDL_CONTROLLER_AXIS_LEFTY));
        if (d.up) hold(bindings_.up);
        if (d.down) hold(bindings_.down);
        if (d.left) hold(bindings_.left);
        if (d.right) hold(bindings_.right);
    }
}

bool Controllers::takeRemoved() {
    const bool r = removed_;
    removed_ = false;
    return r;
}

}  // namespace korvid
