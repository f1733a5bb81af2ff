// The key-settings file beside the game: the eight key bindings, the two
// volumes, automatic bombing and the window mode.
#pragma once

#include <string>
#include <vector>

namespace korvid {

// Looked up in the working directory; UTF-8 on Linux.
inline constexpr const char* kKeySettingsFileName = "按键设置.ini";

inline constexpr int kKeyBindingCount = 8;

// Game-controller buttons (SDL's numbering, engine/Controllers.h), kept in a
// section of their own that older games ignore.
enum PadAction : int { PadShoot = 0, PadBomb, PadSlow, PadFastForward, PadPause, PadScreenshot, kPadActionCount };

struct KeySettings {
    int keys[kKeyBindingCount] = {};  // virtual-key code per GameKey, 0 = unbound
    int bgmVolume = 0;                // 0..100
    int seVolume = 0;                 // 0..100
    int autoBomb = 0;                 // 1 = bomb automatically when hit
    int windowMode = 0;               // 1 = windowed, anything else full screen
    // 0 = 中文, 1 = English; kept in a section of its own that older games
    // ignore, anything else there reads 0.
    int language = 0;
    // Controller button per PadAction; -1 = none.
    int pad[kPadActionCount] = {0, 1, 10, 9, 6, 4};  // a, b, right and left shoulder, start, back
};

// Reads the settings. The file is outside input: key codes outside 1..255
// read as unbound and volumes are clamped to 0..100; missing entries read 0.
// False, with `out` untouched, when the file cannot be read.
bool LoadKeySettings(const std::string& path, KeySettings& out);

// The settings the game ships with (data/按键设置.ini): arrows, Shift, Z, X,
// Ctrl, both volumes 80, no automatic bomb, windowed.
KeySettings ShippedKeySettings();

// Like LoadKeySettings, but every entry that is missing or unusable (no
// number, a key code outside 1..255, a volume outside 0..100, a switch other
// than 0 or 1) takes the shipped value instead, and its "section/key" name is
// added to `replaced`. A missing file gives the shipped settings whole.
// Nothing is written back.
KeySettings LoadKeySettingsOrShipped(const std::string& path, std::vector<std::string>& replaced);

// Writes the settings, keeping everything else already in the file.
bool SaveKeySettings(const std::string& path, const KeySettings& settings);

}  // namespace korvid
