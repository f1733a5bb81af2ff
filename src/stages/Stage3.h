// Stage 3's exports: its script, enemy types and the entries of its two
// fights (the fight registry starts a fight from them).
#pragma once

#include <span>

#include "stages/StageRegistry.h"
#include "stages/StageScript.h"

namespace korvid {

void RunStage3(Game& game);
// A start part-way: from 5760 on the ground panels are gone (only the
// picture rushes on).
void JumpIntoStage3(Game& game, int frame);
std::span<const EnemyTypeEntry> Stage3EnemyTypes();
// The cards' backdrops; card 14's also holds the clock while time stands still.
void DrawStage3SpellBackdrop(Game& game);

// The mid-boss from stage frame 3960 with its timed conversation (pages 1..5
// turned on fixed frames from the stamp); the boss from 9200 with its own.
inline constexpr BossEntry kStage3MidBoss{.cell = {36, 0, 0, 32, 64},
                                          .x = 224,
                                          .y = 0,
                                          .pattern = 14,
                                          .hp = 1000,
                                          .timeLimit = 1000,
                                          .talk = {.first = 1, .last = {5, 5, 5}, .start = PageStart::Stamp},
                                          .flashZ = 0.6f};
inline constexpr BossEntry kStage3Boss{.cell = {36, 0, 0, 96, 96},
                                       .x = 224,
                                       .y = 180,
                                       .pattern = 15,
                                       .hp = 1200,
                                       .timeLimit = 1440,
                                       .talk = {.first = 1, .last = {14, 14, 7}, .start = PageStart::Stamp},
                                       .alpha = 0,
                                       .flashZ = 0.6f};

// The picture's vertical place and its rect's top on frame f (the rush from
// 5700 moves the rect instead), and the alpha it fades out with from 8944.
struct PictureAt {
    double y = 512;
    double rectY = 1280;
    int alpha = 255;
    bool drawn = true;
};
PictureAt Stage3PictureAt(int stageFrame);

}  // namespace korvid

namespace korvid {
void Strafer(Game& game, int slot);  // type 12
void Dropper(Game& game, int slot);  // type 13
void Dart(Game& game, int slot);     // type 14
void Swerver(Game& game, int slot);  // type 15
}  // namespace korvid
