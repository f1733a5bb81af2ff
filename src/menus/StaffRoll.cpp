// The staff roll (screen 11) after the last stage: a slow pan over the
// night sky, the credits rising and scrolling, the staff theme, and a fade
// into the replay save screen at frame 3805, or 255 frames after
// FastForward is held past frame 60.
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "menus/RecordsScreens.h"
#include "menus/TitleMenus.h"

namespace korvid {

namespace {

constexpr int kSkyTexture = 34;
constexpr int kCreditsTexture = 35;
constexpr int kMusicStartFrame = 60;
constexpr int kSkipAfter = 60;
constexpr int kAutoFadeFrame = 3550;
constexpr int kFadeFrames = 256;

void finish(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    e.Stream_Free(s.bgmStream);
    s.bgmStream = 0;
    s.bgmChannel = 0;
    for (int t : {kSkyTexture, kCreditsTexture}) {
        e.Texture_Free(s.textures[t]);
        s.textures[t] = 0;
    }
    s.gameFinished = 1;
    OpenReplaySaveScreen(game);
    SetSubMenuTexture(game, "Graphics/stagechose.png");
    s.screen = 12;
    s.menuCursor = 0;
    s.pauseState = 0;
    // A game that made the high scores takes its name first.
    OfferRecordEntry(game, /*allClear=*/true, /*thenSaveScreen=*/true);
}

// The credits sheet: rising in from the bottom, then scrolling through the
// texture, then its last part rising to rest.
void drawCredits(Sprite& ui, HTEXTURE sheet, int f) {
    ui.SetTexture(sheet);
    if (f <= 960) {
        ui.SetTextureRect(0, 0, 370, 480);
        ui.Render(270, static_cast<float>(480 - f / 2));
    } else if (f <= 2660) {
        ui.SetTextureRect(0, static_cast<float>((f - 960) / 2), 370, 480);
        ui.Render(270, 0);
    } else {
        ui.SetTextureRect(0, 850, 370, 480);
        ui.Render(270, f <= 3100 ? static_cast<float>(-(f - 2660) / 2) : -220.0f);
    }
}

}  // namespace

void StaffRollFrame(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    s.stageFrame += 1;
    const int f = s.stageFrame;
    int alpha = f < 255 ? f : 255;

    // The fade counter is backgroundShake, 0 on entry.
    if (s.backgroundShake > 0) {
        alpha = static_cast<int>(s.backgroundShake) - 1;
        s.backgroundShake -= 1;
        if (s.bgmChannel)
            e.Channel_SetVolume(s.bgmChannel, static_cast<int>((s.backgroundShake - 1) / 256.0 * s.bgmVolume));
        if (s.backgroundShake == 1) {
            finish(game);
            return;
        }
    } else if (f > kSkipAfter && BoundKeyDown(game, KeyFastForward)) {
        s.backgroundShake = kFadeFrames;
    }

    Sprite& ui = *game.uiSprite;
    ui.SetZ(0.92f);
    ui.SetHotSpot(0, 0);
    ui.SetColor((static_cast<std::uint32_t>(alpha < 0 ? 0 : alpha) << 24) | 0x00FFFFFFu);
    ui.SetTexture(s.textures[kSkyTexture]);
    ui.SetTextureRect(160, static_cast<float>(f / 30), 180, 320);
    ui.RenderEx(0, 0, 0, 1.5f);
    drawCredits(ui, s.textures[kCreditsTexture], f);

    if (f == kMusicStartFrame) {
        e.Stream_Free(s.bgmStream);
        s.bgmStream = e.Stream_Load("Music/staff.mp3");
        s.bgmChannel = e.Stream_Play(s.bgmStream, true, s.bgmVolume);
    }
    if (f == kAutoFadeFrame && s.backgroundShake <= 0) s.backgroundShake = kFadeFrames;
}

}  // namespace korvid
