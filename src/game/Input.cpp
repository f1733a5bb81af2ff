#include "game/Input.h"

#include "game/Game.h"

namespace korvid {

namespace {

// The controls reverse during one boss pattern on the easiest difficulty.
constexpr int kReversedPattern = 59;
constexpr GameKey kSwapped[kGameKeyCount] = {KeyDown, KeyUp,   KeyRight, KeyLeft,
                                             KeySlow, KeyShoot, KeyBomb, KeyFastForward};

}  // namespace

bool IsKeyHeld(Game& game, GameKey key) {
    GameState& s = game.state;
    if (s.bossActive && s.bossPattern() == kReversedPattern && s.difficulty == 0) key = kSwapped[key];
    if (s.replayPlaying) return s.frameKeys[key] != 0;
    if (game.engine.Input_GetKeyState(s.keyBindings[key].code)) {
        s.frameKeys[key] = 1;
        return true;
    }
    return false;
}

bool BoundKeyDown(Game& game, GameKey key) {
    return game.engine.Input_GetKeyState(game.state.keyBindings[key].code);
}

bool MenuCancelHeld(Game& game) {
    return game.engine.Input_GetKeyState(VK_ESCAPE) || BoundKeyDown(game, KeyBomb);
}
bool MenuConfirmHeld(Game& game) {
    return BoundKeyDown(game, KeyShoot) || game.engine.Input_GetKeyState(VK_RETURN);
}
bool MenuUpHeld(Game& game) { return BoundKeyDown(game, KeyUp) || game.engine.Input_GetKeyState(VK_UP); }
bool MenuDownHeld(Game& game) { return BoundKeyDown(game, KeyDown) || game.engine.Input_GetKeyState(VK_DOWN); }
bool MenuLeftHeld(Game& game) { return BoundKeyDown(game, KeyLeft) || game.engine.Input_GetKeyState(VK_LEFT); }
bool MenuRightHeld(Game& game) {
    return BoundKeyDown(game, KeyRight) || game.engine.Input_GetKeyState(VK_RIGHT);
}

void ReleaseMenuLatches(Game& game) {
    GameState& s = game.state;
    if (!MenuCancelHeld(game)) s.latchCancel = 0;
    if (!MenuConfirmHeld(game)) s.latchConfirm = 0;
    if (!MenuUpHeld(game)) s.latchUp = 0;
    if (!MenuDownHeld(game)) s.latchDown = 0;
    if (!MenuLeftHeld(game)) s.latchLeft = 0;
    if (!MenuRightHeld(game)) s.latchRight = 0;
}

void SetAllMenuLatches(GameState& s) {
    s.latchCancel = s.latchConfirm = s.latchUp = s.latchDown = s.latchLeft = s.latchRight = 1;
}

bool TakeLatched(float& latch, bool held) {
    if (!held || latch != 0) return false;
    latch = 1;
    return true;
}

}  // namespace korvid
