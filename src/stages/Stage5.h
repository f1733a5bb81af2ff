// Stage 5's exports: its script, enemy types and spell backdrop (its line in
// StageRegistry.cpp), the entries of its corridor sections and of its boss
// (the fight registry starts a fight directly from them), and the corridor
// geometry its sections and tests share.
#pragma once

#include <span>

#include "stages/StageRegistry.h"
#include "stages/StageScript.h"

namespace korvid {

struct GameState;

void RunStage5(Game& game);
std::span<const EnemyTypeEntry> Stage5EnemyTypes();
void DrawStage5SpellBackdrop(Game& game);

// The lightning of the opening: the grey level (alpha, red, green and blue
// alike) the field is cleared to on stage frame f, or -1 on frames without
// a flash.
int LightningShade(int f);
// The lightning, the corridor or the boss's approach, and section 3c's tint:
// every frame, before the boss gate.
void DrawStage5Scene(Game& game);

// The corridor sections: invisible bodies (texture 0, empty cell, alpha 0)
// but for section 3, the small visible mid-boss from the boss sheet.
inline constexpr BossEntry kStage5Section1{
    .cell = {0, 0, 0, 0, 0}, .x = 0, .y = 0, .pattern = 30, .hp = 700, .timeLimit = 900, .heading = 80,
    .alpha = 0, .flash = EntryFlash::None};
inline constexpr BossEntry kStage5Section2{
    .cell = {0, 0, 0, 0, 0}, .x = 0, .y = 0, .pattern = 32, .hp = 1200, .timeLimit = 1200, .heading = 80,
    .alpha = 0, .flash = EntryFlash::None};
inline constexpr BossEntry kStage5Section3{
    .cell = {36, 256, 0, 64, 64}, .x = -16, .y = 160, .pattern = 33, .hp = 1300, .timeLimit = 1500, .heading = 80};
inline constexpr BossEntry kStage5Section3b{
    .cell = {0, 0, 0, 0, 0}, .x = 0, .y = 0, .pattern = 34, .hp = 500, .timeLimit = 600, .heading = 80,
    .alpha = 0, .flash = EntryFlash::None};
inline constexpr BossEntry kStage5Section4{
    .cell = {0, 0, 0, 0, 0}, .x = 0, .y = 0, .pattern = 36, .hp = 300, .timeLimit = 1800, .heading = 80,
    .alpha = 0, .flash = EntryFlash::None};
// The stage boss enters from the right and opens its conversation itself.
inline constexpr BossEntry kStage5Boss{.cell = {40, 0, 0, 64, 64},
                                       .x = 464,
                                       .y = 160,
                                       .pattern = 37,
                                       .hp = 1500,
                                       .timeLimit = 4200,
                                       .heading = 280,
                                       .flashZ = 0.7f};
// The conversation the boss opens at its frame 100 (pages by character).
inline constexpr OpeningTalk kStage5BossTalk{.first = 1, .last = {6, 8, 10}};

// The last section's corridor: the gates counted so far added up, one row
// per gate plus the closing gate far up the corridor, and with no gate
// counted a stronger body (hp 1000). The stage does this as it brings the
// section in at 10100; a fight started at the section directly does it on
// its first frame.
void CloseCorridor(Game& game);

// The boss's partner (type 35) lives in enemy slot 0. Its hit points count
// above a floor, so an ordinary enemy's death never takes it: its own bar
// is hp - kPartnerFloor, and at the floor it waits, unhittable.
inline constexpr int kPartnerSlot = 0;
inline constexpr float kPartnerFloor = 100000;
inline constexpr float kPartnerSpawnHp = 111100;

// ------------------------------------------------------------ the corridor
//
// Every corridor piece is drawn about the screen's top-left corner, turned
// by bgCamTurn and scaled by bgCamScale: a point (u, v) of the corridor
// shows at R(turn) * s (u, v).
struct ScreenPoint {
    double x, y;
};
ScreenPoint CorridorToScreen(const GameState& s, double u, double v);
ScreenPoint ScreenToCorridor(const GameState& s, double x, double y);

// The corridor y of the top of gate row i (its picture is 708 corridor
// units tall at half scale, so 354 on the corridor) and the centre of its
// opening across.
double GateTop(const GameState& s, int i);
double GateCentreU(const GameState& s);
inline constexpr double kGateHalfHeight = 177;  // the gate's middle line below its top
inline constexpr double kGateOpening = 37;      // half the curtain between its pillars

// Counts the gates the ship passes (the corridor sections call it every
// frame): gates are passed in order from the lowest row up; the next gate
// counts once the ship, inside its opening, is over its middle line by no
// more than 24; gateFlag is set while the ship is inside the opening within
// 24 of that line either way.
void CountGates(GameState& s);

}  // namespace korvid
