#include "game/KeySettings.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

#include "engine/ControllerButtons.h"
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

constexpr const char* kPadSection = "手柄";
constexpr const char* kPadNames[kPadActionCount] = {"射击", "Bomb", "低速", "快进", "暂停", "截图"};

// The controller section: a missing or unknown button name keeps the
// shipped button (older files have no such section at all).
void loadPad(const ProfileFile& file, KeySettings& out) {
    const KeySettings shipped;
    for (int i = 0; i < kPadActionCount; ++i) {
        const std::optional<std::string> name = file.findString(kPadSection, kPadNames[i]);
        int button = shipped.pad[i];
        if (name && *name == "none") button = -1;
        else if (name && ControllerButtonFromName(name->c_str()) >= 0) button = ControllerButtonFromName(name->c_str());
        out.pad[i] = button;
    }
}

void savePad(ProfileFile& file, const KeySettings& settings) {
    for (int i = 0; i < kPadActionCount; ++i) {
        const char* name = ControllerButtonName(settings.pad[i]);
        file.setString(kPadSection, kPadNames[i], name ? name : "none");
    }
}

// The language: a section of its own, so older games leave it alone.
constexpr const char* kLanguageSection = "界面";
constexpr const char* kLanguageKey = "语言";

int loadLanguage(const ProfileFile& file) {
    const std::optional<int> v = file.findInt(kLanguageSection, kLanguageKey);
    return v && *v == 1 ? 1 : 0;
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
    loadPad(file, loaded);
    loaded.language = loadLanguage(file);
    out = loaded;
    return true;
}

KeySettings ShippedKeySettings() {
    KeySettings k;
    const int keys[kKeyBindingCount] = {38, 40, 37, 39, 16, 'Z', 'X', 17};
    std::copy(std::begin(keys), std::end(keys), std::begin(k.keys));
    k.bgmVolume = 80;
    k.seVolume = 80;
    k.autoBomb = 0;
    k.windowMode = 1;
    return k;
}

KeySettings LoadKeySettingsOrShipped(const std::string& path, std::vector<std::string>& replaced) {
    const KeySettings shipped = ShippedKeySettings();
    ProfileFile file;
    if (!file.load(path)) {
        replaced.push_back("the whole file");
        return shipped;
    }
    KeySettings out;
    const auto fields = settingFields(out);
    const auto defaults = settingFields(shipped);
    for (std::size_t i = 0; i < kSettingNames.size(); ++i) {
        const std::optional<int> v = file.findInt(kSettingNames[i].section, kSettingNames[i].key);
        bool usable = v.has_value();
        if (usable && i < kKeyBindingCount) usable = validKeyCode(*v) != 0;
        else if (usable && i < kKeyBindingCount + 2) usable = *v >= 0 && *v <= 100;
        else if (usable) usable = *v == 0 || *v == 1;
        *fields[i] = usable ? *v : *defaults[i];
        if (!usable) replaced.push_back(std::string(kSettingNames[i].section) + "/" + kSettingNames[i].key);
    }
    loadPad(file, out);
    out.language = loadLanguage(file);
    return out;
}

bool SaveKeySettings(const std::string& path, const KeySettings& settings) {
    // A missing or unreadable file simply starts empty.
    ProfileFile file;
    file.load(path);
    const auto fields = settingFields(settings);
    for (std::size_t i = 0; i < kSettingNames.size(); ++i)
        file.setString(kSettingNames[i].section, kSettingNames[i].key, std::to_string(*fields[i]));
    savePad(file, settings);
    file.setString(kLanguageSection, kLanguageKey, std::to_string(settings.language == 1 ? 1 : 0));
    return file.save(path);
}

}  // namespace korvid
