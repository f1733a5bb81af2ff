// The game asks for keys by Windows virtual-key code (VK): 'A'..'Z', '0'..'9',
// 37..40 for the arrows, 16/160/161 for Shift and so on. This file turns SDL
// key and mouse events into those codes and keeps the held state, read once
// per frame so every query inside one frame sees the same keyboard.
#pragma once

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include "engine/KeyCodes.h"

#include <array>
#include <cstdint>

namespace korvid {


inline constexpr int kVirtualKeyCount = 256;

// VK code of a key event, 0 when the key has none. Letters and digits follow
// the keyboard layout (the key that types 'a' is 'A' wherever it sits),
// falling back to the key's position where the layout types no Latin letter
// or digit (AZERTY's top row, Cyrillic); everything else goes by position.
int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);

// VK code of an SDL mouse button (1 left, 2 right, 4 middle), 0 otherwise.
int VirtualKeyFromMouseButton(int sdlButton);

using KeySnapshot = std::array<bool, kVirtualKeyCount>;

// Live key state fed by events, and the per-frame snapshot taken from it. A
// key pressed and released between two snapshots still reads as held in the
// next one, so a tap shorter than a frame is never lost. The side-neutral
// codes (Shift 16, Ctrl 17, Alt 18) read held while either side is.
class KeyTracker {
public:
    void press(int vk);
    void release(int vk);
    void releaseAll();
    // Fills `out` with this frame's held keys and clears the tap memory.
    void capture(KeySnapshot& out);

private:
    KeySnapshot down_{};
    KeySnapshot tapped_{};
};

}  // namespace korvid
