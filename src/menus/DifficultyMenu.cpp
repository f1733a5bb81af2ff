// Difficulty cards (screen 1) and the practice stage list (screen 6).
#include <cmath>

#include "game/Game.h"
#include "game/Input.h"
#include "menus/TitleMenus.h"

namespace korvid {

namespace {

constexpr int kDifficulties = 3;
constexpr int kPracticeStages = 6;

// Eases the list toward its target; true (input allowed) once it has arrived.
bool easeScroll(float& scroll, float target, float divisor) {
    scroll += (target - scroll) / divisor;
    if (std::fabs(target - scroll) < 3) {
        scroll = target;
        return true;
    }
    return false;
}

void stepFade(int& fade, bool rise) {
    if (rise && fade < 24) fade += 1;
    if (!rise && fade > 0) fade -= 1;
}

void moveCursor(Game& game, int count) {
    GameState& s = game.state;
    if (TakeLatched(s.latchDown, MenuDownHeld(game))) s.menuCursor = (s.menuCursor + 1) % count;
    if (TakeLatched(s.latchUp, MenuUpHeld(game))) s.menuCursor = (s.menuCursor + count - 1) % count;
}

// The character screen comes next: reset what its live preview uses.
void enterCharacterScreen(GameState& s) {
    s.screen = 2;
    s.framesSinceShot = 0;
    s.playerShots.clear();
}

}  // namespace

void RunDifficultyMenu(Game& game) {
    GameState& s = game.state;
    const bool extra = s.stage == 7;
    const bool ready = easeScroll(s.menuScroll, 200.0f * s.menuCursor, 8);
    if (extra) {
        DrawMenuRect(game, s.cardTexture, 0, 484, 320, 160, 160, 160, kMenuSelected);
    } else {
        for (int i = 0; i < kDifficulties; ++i)
            DrawMenuRect(game, s.cardTexture, 0, static_cast<float>(4 + 160 * i), 320, 160, 160,
                         160 - s.menuScroll + 200 * i, i == s.menuCursor ? kMenuSelected : kMenuOther);
    }
    stepFade(s.altTitleFade, s.menuCursor == 2);
    if (!ready || !game.engine.System_IsForeground()) return;
    if (!extra) moveCursor(game, kDifficulties);
    if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) {
        s.screen = 0;
        s.menuCursor = 0;
        s.menuScroll = 0;
        game.uiSprite->SetTexture(s.titleMenuTexture);
        return;
    }
    if (TakeLatched(s.latchConfirm, MenuConfirmHeld(game))) {
        if (s.practiceMode) {
            SetSubMenuTexture(game, "Graphics/stagechose.png");
            s.screen = 6;
        } else {
            SetSubMenuTexture(game, "Graphics/chosewing.png");
            enterCharacterScreen(s);
        }
        s.character = 1;
        s.optionSpread = 24;
        s.optionLift = 0;
        s.difficulty = extra ? 3 : s.menuCursor;
        s.replayPlaying = 0;
        s.menuCursor = 0;
        s.menuScroll = 0;
        s.bombGauge = 0;
        s.playerX = 0;
        s.playerY = 0;
    }
}

void RunPracticeMenu(Game& game) {
    GameState& s = game.state;
    if (s.menuSlideIn < 30) s.menuSlideIn += 2;
    const bool ready = easeScroll(s.menuScroll, 120.0f * s.menuCursor, 5);
    for (int i = 0; i < kPracticeStages; ++i)
        DrawMenuRect(game, s.subMenuTexture, 0, static_cast<float>(120 * i), 320, 120, 280,
                     200 - s.menuScroll + 120 * i, i == s.menuCursor ? kMenuSelected : kMenuOther);
    DrawSlidingCard(game, s.menuSlideIn);
    stepFade(s.altTitleFade, true);
    if (!ready || !game.engine.System_IsForeground()) return;
    moveCursor(game, kPracticeStages);
    if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) {
        SetSubMenuTexture(game, nullptr);
        s.screen = 1;
        s.menuCursor = s.difficulty;
        s.menuScroll = 0;
        s.menuSlideIn = 0;
        return;
    }
    if (TakeLatched(s.latchConfirm, MenuConfirmHeld(game))) {
        s.stage = s.menuCursor + 1;
        s.character = 1;
        s.optionSpread = 32;
        s.optionLift = 0;
        s.menuCursor = 0;
        s.menuScroll = 0;
        SetSubMenuTexture(game, "Graphics/chosewing.png");
        enterCharacterScreen(s);
    }
}

}  // namespace korvid
