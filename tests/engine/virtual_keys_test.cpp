#include <gtest/gtest.h>

#include <SDL_mouse.h>

#include "engine/VirtualKeys.h"

namespace korvid {
namespace {

TEST(VirtualKeys, LettersAndDigitsFollowTheLayoutThenThePosition) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_z, SDL_SCANCODE_Z), 'Z');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a, SDL_SCANCODE_Q), 'A');  // AZERTY: 'a' sits where Q is
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_w, SDL_SCANCODE_Z), 'W');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_7, SDL_SCANCODE_7), '7');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_AMPERSAND, SDL_SCANCODE_1), '1');  // AZERTY top row
    EXPECT_EQ(VirtualKeyFromSdl(0x044F, SDL_SCANCODE_Z), 'Z');          // Cyrillic letter
}

TEST(VirtualKeys, NamedKeysByPosition) {
    const std::pair<SDL_Scancode, int> cases[] = {
        {SDL_SCANCODE_LEFT, 37},    {SDL_SCANCODE_UP, 38},       {SDL_SCANCODE_RIGHT, 39},
        {SDL_SCANCODE_DOWN, 40},    {SDL_SCANCODE_RETURN, 13},   {SDL_SCANCODE_KP_ENTER, 13},
        {SDL_SCANCODE_ESCAPE, 27},  {SDL_SCANCODE_LSHIFT, 160},  {SDL_SCANCODE_RSHIFT, 161},
        {SDL_SCANCODE_LCTRL, 162},  {SDL_SCANCODE_RCTRL, 163},   {SDL_SCANCODE_LALT, 164},
        {SDL_SCANCODE_RALT, 165},   {SDL_SCANCODE_TAB, 9},       {SDL_SCANCODE_PAUSE, 19},
        {SDL_SCANCODE_CAPSLOCK, 20}, {SDL_SCANCODE_SPACE, 32},   {SDL_SCANCODE_BACKSPACE, 8},
        {SDL_SCANCODE_DELETE, 46},  {SDL_SCANCODE_HOME, 36},     {SDL_SCANCODE_PAGEDOWN, 34},
        {SDL_SCANCODE_KP_0, 96},    {SDL_SCANCODE_KP_9, 105},
    };
    for (const auto& [scancode, vk] : cases)
        EXPECT_EQ(VirtualKeyFromSdl(SDL_SCANCODE_TO_KEYCODE(scancode), scancode), vk) << scancode;
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1 + i, SDL_Scancode(SDL_SCANCODE_F1 + i)), VK_F1 + i);
}

TEST(VirtualKeys, UnmappedKeysAndButtonsHaveNoCode) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F24, SDL_SCANCODE_F24), 0);
    EXPECT_EQ(VirtualKeyFromSdl(0, SDL_Scancode(SDL_NUM_SCANCODES + 5)), 0);
    EXPECT_EQ(VirtualKeyFromMouseButton(SDL_BUTTON_LEFT), VK_LBUTTON);
    EXPECT_EQ(VirtualKeyFromMouseButton(SDL_BUTTON_RIGHT), VK_RBUTTON);
    EXPECT_EQ(VirtualKeyFromMouseButton(SDL_BUTTON_MIDDLE), VK_MBUTTON);
    EXPECT_EQ(VirtualKeyFromMouseButton(SDL_BUTTON_X1), 0);
}

TEST(KeyTracker, HeldUntilReleasedAndTapsLastOneFrame) {
    KeyTracker tracker;
    KeySnapshot snap{};
    tracker.press('Z');
    tracker.press('X');
    tracker.release('X');  // pressed and released between two frames
    tracker.capture(snap);
    EXPECT_TRUE(snap['Z']);
    EXPECT_TRUE(snap['X']);
    tracker.capture(snap);
    EXPECT_TRUE(snap['Z']);
    EXPECT_FALSE(snap['X']);
    tracker.releaseAll();
    tracker.capture(snap);
    EXPECT_FALSE(snap['Z']);
}

TEST(KeyTracker, SideNeutralModifiersFollowEitherSide) {
    KeyTracker tracker;
    KeySnapshot snap{};
    tracker.press(VK_LSHIFT);
    tracker.press(VK_RSHIFT);
    tracker.press(VK_RCONTROL);
    tracker.release(VK_LSHIFT);
    tracker.capture(snap);
    tracker.capture(snap);
    EXPECT_TRUE(snap[VK_SHIFT]);
    EXPECT_FALSE(snap[VK_LSHIFT]);
    EXPECT_TRUE(snap[VK_CONTROL]);
    EXPECT_FALSE(snap[VK_MENU]);
    tracker.release(VK_RSHIFT);
    tracker.capture(snap);
    EXPECT_FALSE(snap[VK_SHIFT]);
}

TEST(KeyTracker, InvalidCodesAreIgnored) {
    KeyTracker tracker;
    KeySnapshot snap{};
    for (int vk : {0, -1, kVirtualKeyCount}) tracker.press(vk);
    tracker.capture(snap);
    for (bool held : snap) EXPECT_FALSE(held);
}

}  // namespace
}  // namespace korvid
