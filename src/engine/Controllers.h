// Game controllers (SDL's game-controller API and its mapping database):
// every open pad's buttons, D-pad and left stick are turned into held
// virtual keys, so the game sees a pad exactly as the keyboard keys it is
// bound to. Pads plugged in or out are picked up between frames.
#pragma once

#include <array>
#include <vector>

#include "engine/ControllerButtons.h"
#include "engine/VirtualKeys.h"

struct _SDL_GameController;

namespace korvid {

class Controllers {
public:
    Controllers() = default;
    ~Controllers();
    Controllers(const Controllers&) = delete;
    Controllers& operator=(const Controllers&) = delete;

    // Starts SDL's controller subsystem; false when it is not available
    // (the game then simply has no pads).
    bool open();
    void close();

    void setBindings(const ControllerBindings& b) { bindings_ = b; }
    // Opens newly attached pads, closes detached ones, then ORs every open
    // pad's held inputs into `keys`.
    void update(KeySnapshot& keys);
    // True once after a pad was unplugged.
    bool takeRemoved();
    int openCount() const { return static_cast<int>(pads_.size()); }
    // The first button held on any pad this frame, or -1 (key configuration).
    int firstHeldButton() const { return firstHeld_; }

private:
    struct Pad {
        _SDL_GameController* controller;
        int instance;
    };
    bool started_ = false;
    bool removed_ = false;
    int firstHeld_ = -1;
    ControllerBindings bindings_;
    std::vector<Pad> pads_;
    void refresh();
};

}  // namespace korvid
