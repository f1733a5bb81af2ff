// Character select (screen 2): three portraits and a live preview of the
// chosen character's ship firing its shots.
#include "game/Game.h"
#include "game/Input.h"
#include "game/PoolSteps.h"
#include "play/Resources.h"
#include "play/StageFlow.h"
#include "menus/TitleMenus.h"
#include "play/Player.h"

namespace korvid {

namespace {

constexpr int kCharacters = 3;
constexpr std::uint32_t kGrey = 0xFF7F7F7F;

void drawPortraits(Game& game) {
    GameState& s = game.state;
    const float slide = static_cast<float>(s.menuSlideIn);
    auto draw = [&](int i, std::uint32_t color) {
        DrawMenuRect(game, s.subMenuTexture, static_cast<float>(172 * i), 0, 172, 480,
                     564 - 3 * slide * static_cast<float>(3 - i), 0, color);
    };
    // The others first, so the chosen one lies on top.
    if (s.menuCursor == 2) {
        for (int i = 0; i < kCharacters; ++i)
            if (i != s.menuCursor) draw(i, kGrey);
    } else {
        for (int i = kCharacters - 1; i >= 0; --i)
            if (i != s.menuCursor) draw(i, kGrey);
    }
    draw(s.menuCursor, kMenuSelected);
}

void preview(Game& game) {
    GameState& s = game.state;
    if (s.stageFrame % 60 == 0) s.shotTimer = 40;
    if (s.menuCursor + 1 != s.character) {
        s.playerShots.free.fill(1);
        LoadCharacterSheets(game, s.menuCursor + 1);
        s.character = s.menuCursor + 1;
    }
    for (int i = 0; i < kPlayerShotCapacity; ++i)
        if (!s.playerShots.free[i]) UpdatePlayerShot(game, i);
    UpdatePlayer(game);
    s.playerX = 140;
    s.playerY = 300;
}

void cancel(Game& game) {
    GameState& s = game.state;
    LoadCharacterSheets(game, 1);
    s.menuSlideIn = 0;
    s.menuCursor = s.difficulty;
    s.menuScroll = 0;
    SetSubMenuTexture(game, nullptr);
    if (s.practiceMode) {
        s.menuSlideIn = 30;
        s.menuCursor = s.stage - 1;
        SetSubMenuTexture(game, "Graphics/stagechose.png");
        s.screen = 6;
    } else {
        s.screen = 1;
    }
    Engine& e = game.engine;
    e.Texture_Free(s.titleMenuTexture);
    e.Texture_Free(s.cardTexture);
    s.titleMenuTexture = e.Texture_Load("Graphics/titlechose.png");
    s.cardTexture = e.Texture_Load("Graphics/chose2.png");
}

void startGame(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    s.menuCursor = 0;
    s.menuScroll = 0;
    for (HTEXTURE* t : {&s.titleMenuTexture, &s.cardTexture, &s.subMenuTexture, &s.titleTexture}) {
        e.Texture_Free(*t);
        *t = 0;
    }
    s.shotTimer = 0;
    s.screen = 10;
    s.maxPowerFrames = 0;
    e.Stream_Free(s.bgmStream);
    s.bgmStream = 0;
    s.bgmChannel = 0;
    StartRoutine(game);
}

}  // namespace

void RunCharacterMenu(Game& game) {
    GameState& s = game.state;
    if (s.menuSlideIn < 30) s.menuSlideIn += 1;
    DrawSlidingCard(game, s.menuSlideIn);
    const bool front = game.engine.System_IsForeground();
    if (front) {
        if (TakeLatched(s.latchRight, MenuRightHeld(game))) s.menuCursor = (s.menuCursor + 1) % kCharacters;
        if (TakeLatched(s.latchLeft, MenuLeftHeld(game))) s.menuCursor = (s.menuCursor + kCharacters - 1) % kCharacters;
    }
    drawPortraits(game);
    preview(game);
    if (!front) return;
    const bool cancelHeld = IsKeyHeld(game, KeyBomb) || game.engine.Input_GetKeyState(VK_ESCAPE);
    if (TakeLatched(s.latchCancel, cancelHeld)) {
        cancel(game);
        return;
    }
    const bool confirmHeld = IsKeyHeld(game, KeyShoot) || game.engine.Input_GetKeyState(VK_RETURN);
    if (TakeLatched(s.latchConfirm, confirmHeld)) startGame(game);
}

}  // namespace korvid
