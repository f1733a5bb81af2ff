#include "menus/Title.h"

#include <algorithm>

#include "game/Game.h"
#include "play/Resources.h"
#include "game/FrameSteps.h"
#include "menus/MusicRoom.h"
#include "menus/RecordsScreens.h"
#include "menus/ReplayScreens.h"
#include "menus/SettingsMenu.h"
#include "menus/TitleMenus.h"

namespace korvid {

namespace {

constexpr int kLogoEnd = 200;  // frame of the first visit at which everything shared loads

// The logo fades out over frames 100..200 of the first title visit.
std::uint32_t logoAlpha(int frame) {
    if (frame < 100) return 255;
    const double a = 255.0 - (frame - 100) * 2.55;
    return a <= 0.0 ? 0u : static_cast<std::uint32_t>(a);
}

std::uint32_t withAlpha(int alpha, std::uint32_t rgb = 0x00FFFFFF) {
    return (static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24) | rgb;
}

void drawLogo(Game& game) {
    Sprite& logo = *game.screenSprite;
    logo.SetColor(withAlpha(static_cast<int>(logoAlpha(game.state.stageFrame))));
    logo.SetZ(0.9f);
    logo.Render(0, 0);
}

void drawTitlePicture(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (s.bgmChannel) e.Channel_SetVolume(s.bgmChannel, std::min(s.stageFrame - kLogoEnd, 100) * s.bgmVolume / 100);

    // Brightness moves toward 253 on the main menu and 98 on the sub-menus,
    // and stops there.
    const int target = s.screen == 0 ? 253 : 98;
    if (s.titleBrightness < target) s.titleBrightness = std::min(s.titleBrightness + 5, target);
    else if (s.titleBrightness > target) s.titleBrightness = std::max(s.titleBrightness - 5, target);

    Sprite& pic = *game.screenSprite;
    pic.SetTexture(s.titleTexture);
    pic.SetTextureRect(0, 0, 960, 720);
    pic.SetColor(withAlpha(s.titleBrightness - 4 * s.altTitleFade));
    const float dim = static_cast<float>(s.titleBrightness - 253);
    pic.RenderEx(dim * 1.5f - 6, dim * 1.4f - 6, 0, (253 - s.titleBrightness) * 0.003f + 0.68f);
    if (s.screen == 0 && s.altTitleFade > 0) s.altTitleFade -= 1;
    pic.SetTextureRect(960, 0, 960, 720);
    pic.SetColor(withAlpha(4 * s.altTitleFade));
    pic.RenderEx(0, 0, 0, 0.67f);

    Sprite& ui = *game.uiSprite;
    ui.SetTexture(s.textures[15]);
    ui.SetTextureRect(0, 0, 480, 240);
    ui.SetHotSpot(0, 0);
    ui.SetColor(withAlpha(static_cast<int>(0.7 * (s.titleBrightness - 4 * s.altTitleFade))));
    ui.RenderEx(128, -10, 0, 0.8f);
}

using MenuFn = void (*)(Game&);

// What runs on each title screen 0..9 (screen 3 is handled like 2).
void runMusicRoomOrManual(Game& game) {
    if (game.state.musicRoomSelected) RunMusicRoom(game);
    else RunManual(game);
}

constexpr MenuFn kMenus[10] = {
    RunMainMenu,       RunDifficultyMenu, RunCharacterMenu, RunCharacterMenu,   RunSettingsScreen,
    RunReplayList,     RunPracticeMenu,   RunReplayList,    RunKeyConfigScreen, runMusicRoomOrManual,
};

}  // namespace

void RunTitle(Game& game) {
    GameState& s = game.state;
    if (!s.pauseState) s.stageFrame += 1;
    if (s.stageFrame <= kLogoEnd) {
        drawLogo(game);
        if (s.stageFrame == kLogoEnd) LoadSharedResources(game);
        return;
    }
    drawTitlePicture(game);
    if (s.screen >= 0 && s.screen <= 9) kMenus[s.screen](game);
    else if (s.screen == kRecordsScreen) RunRecordsScreen(game);
}

}  // namespace korvid
