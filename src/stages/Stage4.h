// Stage 4's exports: its script, enemy types and spell backdrop (its line in
// StageRegistry.cpp), the wall map the script slides over the field, and the
// entries of its two fights (the fight registry starts a fight from them).
#pragma once

#include <cstdint>
#include <span>

#include "stages/StageRegistry.h"
#include "stages/StageScript.h"

namespace korvid {

void RunStage4(Game& game);
// A fight brought in at the stage's start: the clock of its moment.
void DirectFightInStage4(Game& game);
std::span<const EnemyTypeEntry> Stage4EnemyTypes();
void DrawStage4SpellBackdrop(Game& game);

// The mid-boss from stage frame 3050 (texture 46), entering from the left;
// the boss from 12700 (texture 40, the boss sheet by then) after its
// conversation, unhittable while pattern 25's waves come.
inline constexpr BossEntry kStage4MidBoss{.cell = {46, 0, 0, 64, 64},
                                          .x = -16,
                                          .y = 160,
                                          .pattern = 22,
                                          .hp = 750,
                                          .timeLimit = 2700,
                                          .heading = 80};
inline constexpr BossEntry kStage4Boss{.cell = {40, 0, 0, 64, 64},
                                       .x = 224,
                                       .y = 160,
                                       .pattern = 25,
                                       .hp = 1000000,
                                       .timeLimit = 1800,
                                       .talk = {.first = 1, .last = {10, 10, 8}, .start = PageStart::Stamp},
                                       .heading = 80,
                                       .sheet = "Graphics/stg4enm3.png"};

// ------------------------------------------------------------ the wall map

// The map picture as the engine holds it: its pixels, the row stride of its
// surface (the texture's real width, padded or not) and the picture's own
// size. Everything outside the picture is free space.
struct WallMapView {
    const std::uint32_t* pixels = nullptr;
    int stride = 0;
    int width = 0, height = 0;
    // True when (column, row) is wall: any value but exactly 0x00FFFFFF.
    bool wall(int column, int row) const;
};

// Where the map stands on frame f: how much of it shows and which map row
// lies under a field row. Phases: 1 slides in (7001..7960), 2 scrolls
// (7961..10999), 3 slides out (11000..11959); 0 before and after.
struct WallMapPhase {
    int phase = 0;
    double edge = 0;  // phase 1: rows above it show; phase 3: rows below it
    // The map row under field row y, and whether that part of the field
    // shows the map at all (the player uses `margin` -6 in phase 1 and +3 in
    // phase 3; shots use 0).
    bool covers(double y, double margin) const;
    int row(double y) const;
};
WallMapPhase WallMapAt(int stageFrame);

// The map's rules for one frame: the ship hit (Hard) or pushed out of a
// wall (the others), then every shot over a wall removed unless a bomb runs.
void WallMapRules(Game& game, const WallMapView& map, const WallMapPhase& at);

}  // namespace korvid
