#include "engine/VirtualKeys.h"

#include <SDL_mouse.h>

namespace korvid {
namespace {

struct ScancodeKey {
    SDL_Scancode scancode;
    std::uint8_t vk;
};

// Keys found by position. Letters and digits go by keycode first and only
// fall back to their position when the layout types something else there.
constexpr ScancodeKey kByPosition[] = {
    {SDL_SCANCODE_BACKSPACE, 8},     {SDL_SCANCODE_TAB, 9},           {SDL_SCANCODE_RETURN, 13},
    {SDL_SCANCODE_KP_ENTER, 13},     {SDL_SCANCODE_PAUSE, 19},        {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_ESCAPE, 27},       {SDL_SCANCODE_SPACE, 32},        {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},     {SDL_SCANCODE_END, 35},          {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_LEFT, 37},         {SDL_SCANCODE_UP, 38},           {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},         {SDL_SCANCODE_PRINTSCREEN, 44},  {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_DELETE, 46},       {SDL_SCANCODE_1, '1'},           {SDL_SCANCODE_2, '2'},
    {SDL_SCANCODE_3, '3'},           {SDL_SCANCODE_4, '4'},           {SDL_SCANCODE_5, '5'},
    {SDL_SCANCODE_6, '6'},           {SDL_SCANCODE_7, '7'},           {SDL_SCANCODE_8, '8'},
    {SDL_SCANCODE_9, '9'},           {SDL_SCANCODE_0, '0'},           {SDL_SCANCODE_LGUI, 91},
    {SDL_SCANCODE_RGUI, 92},         {SDL_SCANCODE_APPLICATION, 93},  {SDL_SCANCODE_KP_0, 96},
    {SDL_SCANCODE_KP_1, 97},         {SDL_SCANCODE_KP_2, 98},         {SDL_SCANCODE_KP_3, 99},
    {SDL_SCANCODE_KP_4, 100},        {SDL_SCANCODE_KP_5, 101},        {SDL_SCANCODE_KP_6, 102},
    {SDL_SCANCODE_KP_7, 103},        {SDL_SCANCODE_KP_8, 104},        {SDL_SCANCODE_KP_9, 105},
    {SDL_SCANCODE_KP_MULTIPLY, 106}, {SDL_SCANCODE_KP_PLUS, 107},     {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_PERIOD, 110},   {SDL_SCANCODE_KP_DIVIDE, 111},   {SDL_SCANCODE_F1, 112},
    {SDL_SCANCODE_F2, 113},          {SDL_SCANCODE_F3, 114},          {SDL_SCANCODE_F4, 115},
    {SDL_SCANCODE_F5, 116},          {SDL_SCANCODE_F6, 117},          {SDL_SCANCODE_F7, 118},
    {SDL_SCANCODE_F8, 119},          {SDL_SCANCODE_F9, 120},          {SDL_SCANCODE_F10, 121},
    {SDL_SCANCODE_F11, 122},         {SDL_SCANCODE_F12, 123},         {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},  {SDL_SCANCODE_LSHIFT, 160},      {SDL_SCANCODE_RSHIFT, 161},
    {SDL_SCANCODE_LCTRL, 162},       {SDL_SCANCODE_RCTRL, 163},       {SDL_SCANCODE_LALT, 164},
    {SDL_SCANCODE_RALT, 165},        {SDL_SCANCODE_SEMICOLON, 186},   {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},       {SDL_SCANCODE_MINUS, 189},       {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},       {SDL_SCANCODE_GRAVE, 192},       {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},   {SDL_SCANCODE_RIGHTBRACKET, 221}, {SDL_SCANCODE_APOSTROPHE, 222},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

constexpr std::array<std::uint8_t, SDL_NUM_SCANCODES> MakePositionTable() {
    std::array<std::uint8_t, SDL_NUM_SCANCODES> table{};
    for (const ScancodeKey& k : kByPosition) table[k.scancode] = k.vk;
    // Letters by position, for layouts whose letter keys type no Latin letter.
    for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = static_cast<std::uint8_t>('A' + i);
    return table;
}

constexpr auto kPositionTable = MakePositionTable();

// Side-specific code -> side-neutral code.
struct SidePair {
    int neutral, left, right;
};
constexpr SidePair kSidePairs[] = {
    {VK_SHIFT, VK_LSHIFT, VK_RSHIFT},
    {VK_CONTROL, VK_LCONTROL, VK_RCONTROL},
    {VK_MENU, VK_LMENU, VK_RMENU},
};

bool ValidVk(int vk) { return vk > 0 && vk < kVirtualKeyCount; }

}  // namespace

int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) return 0;
    return kPositionTable[scancode];
}

int VirtualKeyFromMouseButton(int sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return VK_LBUTTON;
        case SDL_BUTTON_RIGHT: return VK_RBUTTON;
        case SDL_BUTTON_MIDDLE: return VK_MBUTTON;
        default: return 0;
    }
}

void KeyTracker::press(int vk) {
    if (!ValidVk(vk)) return;
    down_[vk] = true;
    tapped_[vk] = true;
}

void KeyTracker::release(int vk) {
    if (ValidVk(vk)) down_[vk] = false;
}

void KeyTracker::releaseAll() { down_.fill(false); }

void KeyTracker::capture(KeySnapshot& out) {
    for (int vk = 0; vk < kVirtualKeyCount; ++vk) out[vk] = down_[vk] || tapped_[vk];
    tapped_.fill(false);
    for (const SidePair& p : kSidePairs) out[p.neutral] = out[p.neutral] || out[p.left] || out[p.right];
    out[0] = false;
}

}  // namespace korvid
