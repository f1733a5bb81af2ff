#include "engine/ControllerButtons.h"

#include <string_view>

namespace korvid {

namespace {

// SDL's own names, in its button order (the settings file stores these).
constexpr const char* kButtonNames[kControllerButtonCount] = {
    "a",          "b",          "x",          "y",       "back",         "guide",   "start",
    "leftstick",  "rightstick", "leftshoulder", "rightshoulder", "dpup", "dpdown",  "dpleft",
    "dpright",    "misc1",      "paddle1",    "paddle2", "paddle3",      "paddle4", "touchpad",
};

}  // namespace

StickDirections StickToDirections(int x, int y) {
    return {y < -kStickDeadZone, y > kStickDeadZone, x < -kStickDeadZone, x > kStickDeadZone};
}

const char* ControllerButtonName(int button) {
    if (button < 0 || button >= kControllerButtonCount) return nullptr;
    return kButtonNames[button];
}

int ControllerButtonFromName(const char* name) {
    if (!name || !*name) return -1;
    for (int b = 0; b < kControllerButtonCount; ++b)
        if (std::string_view(name) == kButtonNames[b]) return b;
    return -1;
}

}  // namespace korvid
