#include "game/KeySettings.h"

#include <algorithm>
#include <array>

#include "game/ProfileFile.h"

namespace korvid {

namespace {

struct SettingName {
    const char* section;
    const char* key;
};

// File order: the bindings in GameKey order, then the volumes, then the
// system switches. Loading and saving both walk this table.
constexpr std::array<SettingName, kKeyBindingCount + 4> kSettingNames{{
    {"按键", "上移"},
    {"按键", "下移"},
    {"按键", "左移"},
    {"按键", "右移"},
    {"按键", "低速"},
    {"按键", "射击"},
    {"按键", "Bomb"},
    {"按键", "快进"},
    {"音频", "BGM"},
    {"音频", "SE"},
    {"系统", "自动Bomb"},
    {"系统", "游戏窗口"},
}};

// The settings fields in the order of kSettingNames.
template <typename Settings>
auto settingFields(Settings& s) {
    auto fields = std::array<decltype(&s.bgmVolume), kSettingNames.size()>{};
    for (int i = 0; i < kKeyBindingCount; ++i) fields[static_cast<std::size_t>(i)] = &s.keys[i];
    fields[kKeyBindingCount + 0] = &s.bgmVolume;
    fields[kKeyBindingCount + 1] = &s.seVolume;
    fields[kKeyBindingCount + 2] = &s.autoBomb;
    fields[kKeyBindingCount + 3] = &s.windowMode;
    return fields;
}

int validKeyCode(int code) { return (code >= 1 && code <= 255) ? code : 0; }
int validVolume(int volume) { return std::clamp(volume, 0, 100); }

}  // namespace

bool LoadKeySettings(const std::string& path, KeySettings& out) {
    ProfileFile file;
    if (!file.load(path)) return false;
    KeySettings loaded;
    const auto fields = settingFields(loaded);
    for (std::size_t i = 0; i < kSettingNames.size(); ++i)
        *fields[i] = file.getInt(kSettingNames[i].section, kSettingNames[i].key);
    for (int& key : loaded.keys) key = validKeyCode(key);
    loaded.bgmVolume = validVolume(loaded.bgmVolume);
    loaded.seVolume = validVolume(loaded.seVolume);
    out = loaded;
    return true;
}

bool SaveKeySettings(const std::string& path, const KeySettings& settings) {
    // A missing or unreadable file simply starts empty.
    ProfileFile file;
    file.load(path);
    const auto fields = settingFields(settings);
    for (std::size_t i = 0; i < kSettingNames.size(); ++i)
        file.setString(kSettingNames[i].section, kSettingNames[i].key, std::to_string(*fields[i]));
    return file.save(path);
}

}  // namespace korvid
