// Game-controller buttons and what they stand for, without SDL: the engine
// interface and the settings file use these; engine/Controllers.h reads pads.
#pragma once

#include <array>

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

}  // namespace korvid
