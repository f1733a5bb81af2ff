// A game on the recording engine, for rules that need no real engine.
#pragma once

#include <memory>

#include "game/Game.h"
#include "support/RecordingEngine.h"

namespace korvid::test {

struct TestGame {
    RecordingEngine engine;
    std::unique_ptr<Game> game = std::make_unique<Game>(engine);
    GameState& s = game->state;

    TestGame() {
        game->screenSprite = std::make_unique<Sprite>(engine, 0, 0, 0, 640, 480);
        game->uiSprite = std::make_unique<Sprite>(engine, 0, 0, 0, 0, 0);
    }
    void hold(int vk, bool down = true) { engine.keys[vk] = down; }
    void bind(GameKey k, int vk) { s.keyBindings[k].code = vk; }
    void bindDefaults() {
        bind(KeyUp, 38);
        bind(KeyDown, 40);
        bind(KeyLeft, 37);
        bind(KeyRight, 39);
        bind(KeySlow, 16);
        bind(KeyShoot, 'Z');
        bind(KeyBomb, 'X');
        bind(KeyFastForward, 17);
    }
};

}  // namespace korvid::test
