// A test game in play: default keys, character 1, the stage's counters
// reset, a little way into the stage with two lives.
#pragma once

#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid::test {

inline void StartPlay(TestGame& t, int stage) {
    t.bindDefaults();
    t.s.screen = 10;
    t.s.stage = stage;
    t.s.character = 1;
    StageLoadReset(t.s);
    t.s.stageFrame = 100;
    t.s.lives = 2;
}

}  // namespace korvid::test
