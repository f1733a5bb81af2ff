#include "game/Settings.h"

#include <filesystem>

#include "game/Game.h"
#include "game/KeySettings.h"

namespace korvid {

namespace {

std::string settingsPath(const Game& game) {
    return (std::filesystem::path(game.gameDir) / kKeySettingsFileName).string();
}

}  // namespace

void LoadSettings(Game& game, bool atBoot) {
    GameState& s = game.state;
    KeySettings k{};
    if (!LoadKeySettings(settingsPath(game), k)) {
        if (!atBoot) return;
        k = KeySettings{};
    }
    for (int i = 0; i < kGameKeyCount; ++i) s.keyBindings[i] = KeyBinding{k.keys[i], 0};
    s.bgmVolume = k.bgmVolume;
    s.seVolume = k.seVolume;
    s.autoBomb = k.autoBomb;
    s.windowMode = k.windowMode;
}

bool SaveSettings(const Game& game) {
    const GameState& s = game.state;
    KeySettings k{};
    for (int i = 0; i < kGameKeyCount; ++i) k.keys[i] = s.keyBindings[i].code;
    k.bgmVolume = s.bgmVolume;
    k.seVolume = s.seVolume;
    k.autoBomb = s.autoBomb;
    k.windowMode = s.windowMode;
    return SaveKeySettings(settingsPath(game), k);
}

}  // namespace korvid
