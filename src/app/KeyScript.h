// Scripted keys for tests and demos: `--keys FILE` replaces the keyboard with
// a list of which physical keys are held on which frames.
//
//   # comment
//   1-120   RIGHT          held on frames 1..120 (inclusive)
//   30      Z+SHIFT        held on frame 30 only
//   200-260 UP + Z         '+' or blanks join keys
//
// Frames count from 1 after start. Key names are Windows virtual-key names:
// UP DOWN LEFT RIGHT SHIFT CONTROL/CTRL ALT/MENU RETURN/ENTER ESCAPE/ESC SPACE
// TAB BACKSPACE PAUSE CAPSLOCK, LSHIFT RSHIFT LCONTROL RCONTROL, F1..F12, and
// single letters and digits, in any case.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvid {

class KeyScript {
public:
    // On a malformed line: nullopt, and `error` reads like
    // "keys.txt:3: unknown key 'FOO' in '10-20 FOO'" (`source` names the text).
    static std::optional<KeyScript> parse(std::string_view text, std::string& error,
                                          std::string_view source = "keys");
    static std::optional<KeyScript> load(const std::string& path, std::string& error);

    // Whether virtual key `vk` is held on `frame`. Keys outside 0..255 and
    // frames outside the script are never held.
    bool held(int frame, int vk) const;
    // The last frame on which any key is held; 0 for an empty script.
    int lastFrame() const { return lastFrame_; }
    // Whether any rule holds `vk` (the screenshot key needs pictures drawn).
    bool usesKey(int vk) const;

private:
    using KeyMask = std::array<std::uint64_t, 4>;  // one bit per virtual key
    // From `start` up to the next segment's start, exactly `keys` are held.
    struct Segment {
        int start;
        KeyMask keys;
    };

    std::vector<Segment> segments_;  // sorted by start
    int lastFrame_ = 0;
};

}  // namespace korvid
