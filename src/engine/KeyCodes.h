// Windows virtual-key codes (VK) with a name in the game or the engine. Keys
// stay Windows codes inside the game, so settings files move between systems.
#pragma once

namespace korvid {

enum VirtualKey : int {
    VK_LBUTTON = 1,
    VK_RBUTTON = 2,
    VK_MBUTTON = 4,
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,  // Alt
    VK_PAUSE = 19,
    VK_CAPITAL = 20,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_DELETE = 46,
    VK_NUMPAD0 = 96,
    VK_F1 = 112,
    VK_F12 = 123,
    VK_LSHIFT = 160,
    VK_RSHIFT = 161,
    VK_LCONTROL = 162,
    VK_RCONTROL = 163,
    VK_LMENU = 164,
    VK_RMENU = 165,
};

// Writes the current picture into the game folder's screenshots/.
inline constexpr int kScreenshotKey = VK_F12;

}  // namespace korvid
