#include "game/Settings.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game/Game.h"
#include "engine/KeyCodes.h"
#include "game/KeySettings.h"

namespace korvid {

namespace {

std::string settingsPath(const Game& game) {
    return (std::filesystem::path(game.gameDir) / kKeySettingsFileName).string();
}

}  // namespace

void LoadSettings(Game& game, bool atBoot) {
    GameState& s = game.state;
    const std::string path = settingsPath(game);
    KeySettings probe;
    if (!atBoot && !LoadKeySettings(path, probe)) return;  // a failed re-read keeps the current values
    // A damaged or incomplete file must not leave the ship unable to move or
    // the game silent: what is unusable takes the shipped value, and the file
    // stays as it is until the player saves.
    std::vector<std::string> replaced;
    const KeySettings k = LoadKeySettingsOrShipped(path, replaced);
    if (atBoot && !replaced.empty()) {
        std::string names;
        for (const std::string& n : replaced) names += (names.empty() ? "" : ", ") + n;
        std::fprintf(stderr, "korvid: %s: using the shipped settings for %s\n", path.c_str(), names.c_str());
    }
    for (int i = 0; i < kGameKeyCount; ++i) s.keyBindings[i] = KeyBinding{k.keys[i], 0};
    s.bgmVolume = k.bgmVolume;
    s.seVolume = k.seVolume;
    s.autoBomb = k.autoBomb;
    s.windowMode = k.windowMode;
    for (int i = 0; i < kPadActionCount; ++i) s.padButtons[static_cast<std::size_t>(i)] = k.pad[i];
    ApplyControllerBindings(game);
    game.language = k.language;
    ApplyLanguage(game);
}

void ApplyLanguage(Game& game) { game.engine.Resource_SetVariantFolder(game.language == 1 ? "English/" : ""); }

void ApplyControllerBindings(Game& game) {
    const GameState& s = game.state;
    ControllerBindings b;
    auto bind = [&](int action, int vk) {
        const int button = s.padButtons[static_cast<std::size_t>(action)];
        if (button >= 0 && button < kControllerButtonCount) b.buttons[static_cast<std::size_t>(button)] = vk;
    };
    bind(PadShoot, s.keyBindings[KeyShoot].code);
    bind(PadBomb, s.keyBindings[KeyBomb].code);
    bind(PadSlow, s.keyBindings[KeySlow].code);
    bind(PadFastForward, s.keyBindings[KeyFastForward].code);
    bind(PadPause, VK_ESCAPE);
    bind(PadScreenshot, kScreenshotKey);
    b.up = s.keyBindings[KeyUp].code;
    b.down = s.keyBindings[KeyDown].code;
    b.left = s.keyBindings[KeyLeft].code;
    b.right = s.keyBindings[KeyRight].code;
    game.engine.Input_SetControllerBindings(b);
}

bool SaveSettings(const Game& game) {
    const GameState& s = game.state;
    KeySettings k{};
    for (int i = 0; i < kGameKeyCount; ++i) k.keys[i] = s.keyBindings[i].code;
    k.bgmVolume = s.bgmVolume;
    k.seVolume = s.seVolume;
    k.autoBomb = s.autoBomb;
    k.windowMode = s.windowMode;
    k.language = game.language;
    for (int i = 0; i < kPadActionCount; ++i) k.pad[i] = s.padButtons[static_cast<std::size_t>(i)];
    return SaveKeySettings(settingsPath(game), k);
}

}  // namespace korvid
