// The main menu's eight entries and what each one starts.
#include <algorithm>

#include "game/Game.h"
#include "game/Input.h"
#include "game/Settings.h"
#include "menus/TitleMenus.h"

namespace korvid {

namespace {

constexpr int kEntries = 8;
constexpr int kQuitEntry = 7;

enum Entry { Start, Extra, Practice, Replays, Settings, MusicRoom, Manual, Quit };

void confirm(Game& game) {
    GameState& s = game.state;
    LoadSettings(game, /*atBoot=*/false);
    s.stage = 0;
    s.power = 0;
    s.musicRoomSelected = 1;
    s.spellPracticeCard = 0;
    switch (s.menuCursor) {
        case Start:
        case Extra:
        case Practice:
            s.practiceMode = (s.menuCursor == Practice) ? 1 : 0;
            if (s.menuCursor == Extra) s.stage = 7;
            s.screen = 1;
            game.uiSprite->SetTexture(s.cardTexture);
            game.uiSprite->SetTextureRect(0, 0, 320, 160);
            break;
        case Replays:
            s.practiceMode = 0;
            s.screen = 5;
            s.gameFinished = 0;
            SetSubMenuTexture(game, "Graphics/stagechose.png");
            s.stage = 0;
            break;
        case Settings:
            s.screen = 4;
            SetSubMenuTexture(game, "Graphics/chose3.png");
            game.uiSprite->SetTexture(s.subMenuTexture);
            break;
        case MusicRoom:
            s.practiceMode = 0;
            s.screen = 9;
            break;
        case Manual:
            s.practiceMode = 0;
            s.screen = 9;
            s.musicRoomSelected = 0;
            SetSubMenuTexture(game, "Graphics/manual_menu.png");
            break;
        case Quit:
            s.quitRequested = 1;
            break;
        default:
            break;
    }
    s.menuCursor = 0;
}

}  // namespace

void RunMainMenu(Game& game) {
    GameState& s = game.state;
    const std::uint32_t alpha = static_cast<std::uint32_t>(std::clamp(s.titleBrightness, 0, 255)) << 24;
    for (int i = 0; i < kEntries; ++i) {
        const float x = (i == s.menuCursor) ? 220.0f : 0.0f;
        DrawMenuRect(game, s.titleMenuTexture, x, static_cast<float>(16 + 36 * i), 220, 32, 32,
                     static_cast<float>(208 + 32 * i), alpha | 0x00FFFFFFu);
    }
    if (!game.engine.System_IsForeground()) return;
    if (TakeLatched(s.latchDown, MenuDownHeld(game))) s.menuCursor = (s.menuCursor + 1) % kEntries;
    if (TakeLatched(s.latchUp, MenuUpHeld(game))) s.menuCursor = (s.menuCursor + kEntries - 1) % kEntries;
    if (TakeLatched(s.latchConfirm, MenuConfirmHeld(game))) {
        confirm(game);
        return;
    }
    if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) {
        // The first cancel moves to Quit, the second ends the program. The
        // quit request makes it end from every path, also when an earlier
        // visit left `stage` at 7 (where lives -2 alone would not end it).
        if (s.menuCursor == kQuitEntry) {
            s.lives = -2;
            s.quitRequested = 1;
        }
        s.menuCursor = kQuitEntry;
    }
}

}  // namespace korvid
