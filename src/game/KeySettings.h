// The key-settings file beside the game: the eight key bindings, the two
// volumes, automatic bombing and the window mode.
#pragma once

#include <string>

namespace korvid {

// Looked up in the working directory; UTF-8 on Linux.
inline constexpr const char* kKeySettingsFileName = "按键设置.ini";

inline constexpr int kKeyBindingCount = 8;

struct KeySettings {
    int keys[kKeyBindingCount] = {};  // virtual-key code per GameKey, 0 = unbound
    int bgmVolume = 0;                // 0..100
    int seVolume = 0;                 // 0..100
    int autoBomb = 0;                 // 1 = bomb automatically when hit
    int windowMode = 0;               // 1 = windowed, anything else full screen
};

// Reads the settings. The file is outside input: key codes outside 1..255
// read as unbound and volumes are clamped to 0..100; missing entries read 0.
// False, with `out` untouched, when the file cannot be read.
bool LoadKeySettings(const std::string& path, KeySettings& out);

// Writes the settings, keeping everything else already in the file.
bool SaveKeySettings(const std::string& path, const KeySettings& settings);

}  // namespace korvid
