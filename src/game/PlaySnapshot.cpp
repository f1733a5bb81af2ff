#include "game/PlaySnapshot.h"

#include <algorithm>

namespace korvid {

namespace {

// One list of the flow fields, walked both ways.
template <typename From, typename To>
void copyFlow(const From& a, To& b) {
    b.screen = a.screen;
    b.stage = a.stage;
    b.startStage = a.startStage;
    b.difficulty = a.difficulty;
    b.character = a.character;
    b.practiceMode = a.practiceMode;
    b.quitRequested = a.quitRequested;
    b.latchCancel = a.latchCancel;
    b.latchConfirm = a.latchConfirm;
    b.latchUp = a.latchUp;
    b.latchDown = a.latchDown;
    b.latchLeft = a.latchLeft;
    b.latchRight = a.latchRight;
    b.menuScroll = a.menuScroll;
    b.pauseState = a.pauseState;
    b.pauseFade = a.pauseFade;
    b.pauseTicks = a.pauseTicks;
    b.pauseCursor = a.pauseCursor;
    b.frameKeys = a.frameKeys;
    b.replayPlaying = a.replayPlaying;
    b.replayEndStage = a.replayEndStage;
    b.replayStageFrames = a.replayStageFrames;
    b.snapshots = a.snapshots;
}

// A pool's used slots and every free flag. Restoring over a pool that play
// has since reached further into clears the slots past the snapshot's mark,
// so they are again as the pool's clear() left them.
template <typename PoolT>
void savePool(const PoolT& from, PoolT& to) {
    to.free = from.free;
    to.used = from.used;
    std::copy_n(from.slot.begin(), from.used, to.slot.begin());
}

template <typename PoolT>
void restorePool(const PoolT& from, PoolT& to) {
    to.free = from.free;
    std::copy_n(from.slot.begin(), from.used, to.slot.begin());
    for (int i = from.used; i < to.used; ++i) to.clearSlot(i);
    to.used = from.used;
}

void saveScenery(const StagePlay& from, StagePlay& to) {
    std::copy_n(from.sceneObjects.begin(), from.sceneObjectsUsed, to.sceneObjects.begin());
}

void restoreScenery(const StagePlay& from, StagePlay& to, int usedBefore) {
    std::copy_n(from.sceneObjects.begin(), from.sceneObjectsUsed, to.sceneObjects.begin());
    for (int i = from.sceneObjectsUsed; i < usedBefore; ++i) ResetSceneObject(to.sceneObjects[i], i);
}

}  // namespace

void SavePlay(const GameState& s, PlaySnapshot& out) {
    copyFlow(s, out.flow);
    PlayRecords& p = out.play;
    static_cast<GamePlay&>(p) = s;
    static_cast<StageCounters&>(p) = s;
    savePool(s.enemyBullets, p.enemyBullets);
    savePool(s.effects, p.effects);
    savePool(s.items, p.items);
    savePool(s.playerShots, p.playerShots);
    p.enemies = s.enemies;  // whole: the boss slot's pattern and timer are set before its spawn
    savePool(s.bgPanels, p.bgPanels);
    saveScenery(s, p);
}

void RestorePlay(const PlaySnapshot& in, GameState& s) {
    copyFlow(in.flow, s);
    const PlayRecords& p = in.play;
    const int sceneryUsedBefore = s.sceneObjectsUsed;
    static_cast<GamePlay&>(s) = p;
    static_cast<StageCounters&>(s) = p;
    restorePool(p.enemyBullets, s.enemyBullets);
    restorePool(p.effects, s.effects);
    restorePool(p.items, s.items);
    restorePool(p.playerShots, s.playerShots);
    s.enemies = p.enemies;
    restorePool(p.bgPanels, s.bgPanels);
    restoreScenery(p, s, sceneryUsedBefore);
}

}  // namespace korvid
