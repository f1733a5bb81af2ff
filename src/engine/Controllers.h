// Game controllers (SDL's game-controller API and its mapping database):
// every open pad's buttons, D-pad and left stick are turned into held
// virtual keys, so the game sees a pad exactly as the keyboard keys it is
// bound to. Pads plugged in or out are picked up between frames.
#pragma once

#include <array>
#include <vector>

#include "engine/VirtualKeys.h"

struct _SDL_GameController;

namespace korvid {

// SDL's button numbering (SDL_GameControllerButton): a, b, x, y, back,
// guide, start, left stick, right stick, left shoulder, right shoulder,
// D-pad up, down, left, right, and the extra buttons of newer pads.
inline constexpr int kControllerButtonCount = 21;

struct ControllerBindings {
    // The virtual key each button stands for; 0 = none. The D-pad buttons
    // and the left stick stand for up/down/left/right below.
    std::array<int, kControllerButtonCount> buttons{};
    int up = 0, down = 0, left = 0, right = 0;
};

// A stick past this much of its travel (of 32767) counts as held.
inline constexpr int kStickDeadZone = 12000;

// Which of up/down/left/right a stick position holds.
struct StickDirections {
    bool up, down, left, right;
};
StickDirections StickToDirections(int x, int y);

// A button's name as SDL spells it ("a", "start", "dpup"), or nothing.
const char* ControllerButtonName(int button);
// The button called `name`, or -1.
int ControllerButtonFromName(const char* name);

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
