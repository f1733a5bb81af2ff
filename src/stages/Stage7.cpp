// The extra stage. A frozen opening (the ship held below the field, the
// world stopped while the other two ships fly in and speak), then three 3D
// scenes: the shaft from 901, the block wall from 9600 and the tower from
// 11850, with two mid-bosses (3800 and 11420) and the boss at 12200.
//
// Every frame: the music's loop points, the turning backdrop, the camera's
// flights, the tower's particles, the boss gate, the timeline (no boss),
// then the scenery's sort.
#include "stages/Stage7.h"

#include <string_view>

#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"
#include "play/SceneList.h"
#include "play/Spawn.h"
#include "stages/MusicLoops.h"
#include "stages/Stage7Scenery.h"
#include "stages/Timeline.h"

namespace korvid {

namespace {

constexpr float kEnemyZ = 0.7f;
constexpr int kOtherShipA = 36, kOtherShipB = 40;  // the two other ships' sheets, the scenery's walls from 901
constexpr int kOtherShipEffect = 60;
constexpr int kMusicFrame = 900;
constexpr const char* kStageMusic = "Music/musicex.mp3";
constexpr const char* kBossMusic = "Music/musicexboss.mp3";

const MusicLoop& loopOf(const char* tune) {
    for (const MusicLoop& m : kMusicLoops)
        if (m.stage == 7 && std::string_view(m.tune) == tune) return m;
    return kMusicLoops[0];
}

// The boss's tune loops from its fight on; the stage's own at any other
// time, but only once it plays (before 900 the channel is whatever played
// before the stage).
void musicLoops(Game& game) {
    const GameState& s = game.state;
    if (s.bossActive && s.bossPattern() >= 72 && !s.stageCleared) {
        const MusicLoop& m = loopOf(kBossMusic);
        MusicLoopPoint(game, m.at, m.to);
        return;
    }
    if (s.stageFrame < kMusicFrame || s.stageFrame >= kStage7BossFrame) return;
    const MusicLoop& m = loopOf(kStageMusic);
    MusicLoopPoint(game, m.at, m.to);
}

// ------------------------------------------------------------ the opening

// The ship waits below the field with the world stopped; the two other
// ships fly up past it.
void opening(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    s.stage5Work = 0;
    s.bossVar[2] = 0;
    s.backgroundShake = 0;
    s.playerY = 496;
    s.scrollSpeed = 0;
    s.timeStop = 1;
    for (float x : {114.0f, 334.0f}) {
        const int tex = x < 224 ? kOtherShipA : kOtherShipB;
        SpawnEffect(game, {tex, 432, 0, 48, 60}, x, 512, 1, 1, 0, 0.8f, kOtherShipEffect, {255, 255, 255, 255}, 2,
                    0);
    }
}

void oneUps(Game& game, const CueArgs&, int) {
    for (float x : {154.0f, 294.0f}) SpawnItem(game, {3, 80, 96, 16, 16}, x, -16, 0, 6);
}

void balloons(Game& game, const CueArgs&, int) {
    constexpr EffectColour kWhite{255, 255, 255, 255};
    SpawnEffect(game, {34, 0, 459, 176, 53}, 210, 340, 0.9f, 0, 9, 0.31f, 55, kWhite, 0, 0);
    SpawnEffect(game, {34, 195, 464, 74, 48}, 220, 340, 0.9f, 0, 9, 0.31f, 55, kWhite, 0, 0);
}

// A large item falls on the field, and the world moves again.
void fallingBullet(Game& game, const CueArgs&, int) {
    SpawnEnemyBullet(game, {3, 80, 96, 16, 16}, 224, -16, 3, 3, 0, 0.31f, 0, 116, 255);
    game.state.timeStop = 0;
}

void music(Game& game, const CueArgs&, int) { StartStageMusic(game, kStageMusic, true); }

// The two ships have flown off by now; they go before their sheets do, so
// nothing draws from a freed texture. The sheets' entries hold the
// scenery's walls from here on.
void shipsGone(GameState& s) {
    for (int i = 0; i < kEffectCapacity; ++i)
        if (!s.effects.free[i] && s.effects.slot[i].type == kOtherShipEffect) s.effects.free[i] = 1;
}

void shipsOffWallsIn(Game& game) {
    GameState& s = game.state;
    shipsGone(s);
    HTEXTURE& a = s.textures[kOtherShipA];
    HTEXTURE& b = s.textures[kOtherShipB];
    if (a) game.engine.Texture_Free(a);
    if (b) game.engine.Texture_Free(b);
    a = game.engine.Texture_Load("Graphics/backam23.jpg");
    b = game.engine.Texture_Load("Graphics/backam24.jpg");
}

void shaft(Game& game, const CueArgs&, int) {
    shipsOffWallsIn(game);
    BuildShaft(game);
}

void titleCard(Game& game, const CueArgs&, int) { SpawnTitleCard(game, 0.85f); }

// ------------------------------------------------------------ the waves

// One type-64 scout: cell row (0 or 1: y 256 or 288), x, y, heading, hp.
void scout(Game& game, const CueArgs& a) {
    const int row = static_cast<int>(a[0]);
    SpawnEnemy(game, 6, 0, 256 + 32 * row, 32, 32, a[1], a[2], 1, 1, a[3], kEnemyZ, 0, 64, a[4], 255);
}
void scoutPair(Game& game, const CueArgs&, int) {
    scout(game, {0, 192, 0, 210, 60});
    scout(game, {1, 256, 0, 150, 60});
}
void scoutTriple(Game& game, const CueArgs&, int) {
    scout(game, {0, 192, 0, 210, 60});
    scout(game, {1, 224, 0, 180, 60});
    scout(game, {0, 256, 0, 150, 60});
}
void scoutFive(Game& game, const CueArgs&, int) {
    scout(game, {0, 192, 0, 210, 100});
    scout(game, {1, 224, 0, 180, 100});
    scout(game, {0, 256, 0, 150, 100});
    scout(game, {1, 0, 240, 120, 100});
    scout(game, {1, 448, 240, 240, 100});
}

// The heavy gunships down the middle: type (65 or 67), hp.
void heavy(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 0, 384, 64, 64, 224, 0, 1, 1, 180, kEnemyZ, 1.5f, static_cast<int>(a[0]), a[1], 255);
}

// The darts from below: x, type (66 or 68).
void riser(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 224, 192, 32, 32, a[0], 480, 1, 1, 0, kEnemyZ, 6, static_cast<int>(a[1]), 2, 254);
}

// The type-69 spinners: x, hp, alpha.
void spinner(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 0, 384, 64, 64, a[0], 0, 1, 1, 180, kEnemyZ, 0, 69, a[1], static_cast<int>(a[2]));
}
void spinnerPair(Game& game, const CueArgs& a, int) {
    spinner(game, {352, a[0], 255}, 0);
    spinner(game, {96, a[0], 254}, 0);
}

// The type-70 drops from the top: right (360..439) or left (1..80).
void dropRight(Game& game) {
    const int r = game.rand() % 80;
    SpawnEnemy(game, 6, 0, 288, 32, 32, static_cast<float>(r + 360), 0, 1, 1, 180, kEnemyZ, 3.5f, 70, 5, 255);
}
void dropLeft(Game& game) {
    const int r = game.rand() % 80;
    SpawnEnemy(game, 6, 0, 288, 32, 32, static_cast<float>(80 - r), 0, 1, 1, 180, kEnemyZ, 3.5f, 70, 5, 254);
}
void dropsRight(Game& game, const CueArgs&, int) { dropRight(game); }
void dropsLeft(Game& game, const CueArgs&, int) { dropLeft(game); }
void dropsBoth(Game& game, const CueArgs&, int) {
    dropRight(game);
    dropLeft(game);
}

// The type-71 line over the wall: in the first 91 frames of each 150, a
// dart every 10 frames, each 40 pixels further right.
void wallDarts(Game& game, const CueArgs&, int) {
    const int p = (game.state.stageFrame - 10000) % 150;
    if (p > 90) return;
    const float x = static_cast<float>(40 * (p / 10) + 60);
    SpawnEnemy(game, 6, 0, 256, 32, 32, x, 0, 1, 1, 180, kEnemyZ, 3.5f, 71, 5, 255);
}

// ------------------------------------------------------------ sweeps and fights

// Every bullet becomes an item and every ordinary enemy goes, without a death.
void sweep(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    BulletsToItems(game);
    for (int i = 0; i < kBossSlot; ++i) s.enemies.free[i] = 1;
}

void midBoss1(Game& game, const CueArgs&, int) { BringInBoss(game, kStage7MidBoss1); }
void midBoss2(Game& game, const CueArgs&, int) { BringInBoss(game, kStage7MidBoss2); }

void resetScenery(Game& game, const CueArgs&, int) { ResetSceneObjects(game.state); }
void blockWall(Game& game, const CueArgs&, int) { BuildBlockWall(game); }
void tower(Game& game, const CueArgs&, int) { BuildTower(game); }

void whiteFlash(Game& game, const CueArgs&, int) {
    SpawnEffect(game, {25, 65, 97, 6, 6}, 224, 240, 80, 80, 0, 0.21f, 63, {0, 255, 255, 255}, 0, 0);
}

void musicFade(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    game.engine.Channel_SetVolume(s.bgmChannel, (kStage7BossFrame - s.stageFrame) * s.bgmVolume / 100);
}

void boss(Game& game, const CueArgs&, int) {
    StartStageMusic(game, kBossMusic, true);
    BringInBoss(game, kStage7Boss);
}


// A practice started part-way (the last frame played is `last`) is set as
// the skipped cues would have left it: the world running, the walls'
// sheets in, the music on, and the scene of that time built, its camera
// flown and its turning pieces turned on by the frames skipped since.
void jumpInto(Game& game, int last) {
    GameState& s = game.state;
    if (last >= 600) {
        s.timeStop = 0;
        s.playerY = 412;
    }
    if (last < kStage7ShaftFrame) return;
    shipsOffWallsIn(game);
    s.sceneFocal = kStage7Focal;
    if (last < kStage7BossFrame) StartStageMusic(game, kStageMusic, true);
    int built = kStage7TowerFrame;
    if (last >= kStage7TowerFrame) {
        BuildTower(game);
    } else if (last >= kStage7WallFrame) {
        BuildBlockWall(game);
        built = kStage7WallFrame;
    } else if (last >= kStage7ResetFrame) {
        ResetSceneObjects(s);
        return;
    } else {
        BuildShaft(game);
        built = kStage7ShaftFrame;
    }
    const int clock = s.stageFrame;
    for (int f = built + 1; f <= last; ++f) {
        s.stageFrame = f;
        MoveStage7Camera(game);
    }
    s.stageFrame = clock;
    // The turning pieces stand where their age puts them; the wall's
    // pillars keep their ages (their thrusts are counted from where they
    // stand).
    if (built == kStage7WallFrame) return;
    for (int i = 0; i < s.sceneObjectCount; ++i) s.sceneObjects[i].timer += last - built;
}

// ------------------------------------------------------------ the timeline

constexpr ExactCue kExact[] = {
    {-62, opening},
    {83, oneUps},
    {90, balloons},
    {480, balloons},
    {600, fallingBullet},
    {900, music},
    {901, shaft},
    {970, titleCard},
    {1380, scoutPair},
    {1600, scoutPair},
    {1820, scoutTriple},
    {2100, heavy, {65, 550}},
    {2950, heavy, {67, 200}},
    {3660, scoutFive},
    {3780, sweep},
    {3800, midBoss1},
    {6180, scoutPair},
    {6400, scoutPair},
    {6620, scoutPair},
    {6840, scoutPair},
    {7060, scoutPair},
    {7280, scoutPair},
    {7500, scoutTriple},
    {7800, scoutFive},
    {8220, spinner, {352, 100, 255}},
    {8420, spinner, {96, 100, 254}},
    {8720, spinner, {164, 100, 254}},
    {9000, spinnerPair, {100}},
    {9550, resetScenery},
    {9600, blockWall},
    {10800, spinner, {164, 100, 254}},
    {11000, spinnerPair, {50}},
    {11400, sweep},
    {11420, midBoss2},
    {11650, whiteFlash},
    {11850, tower},
    {12200, boss},
};

constexpr WindowCue kWindows[] = {
    {2320, 2400, 5, riser, {64, 66}},
    {3170, 3250, 5, riser, {384, 68}},
    {8250, 8440, 10, dropsRight},
    {8450, 8640, 10, dropsLeft},
    {9000, 9190, 10, dropsBoth},
    {10000, 10590, 10, wallDarts},
    {12100, 12199, 1, musicFade},
};

constexpr Timeline kTimeline{kExact, kWindows};

}  // namespace

void JumpIntoStage7(Game& game, int frame) { jumpInto(game, frame - 1); }

// A fight started directly during the frozen opening is played in a
// running world, the ship in its usual place, the other two ships gone.
void DirectFightInStage7(Game& game) {
    GameState& s = game.state;
    if (!s.timeStop || s.stageFrame >= 599) return;
    s.timeStop = 0;
    s.playerY = 412;
    shipsGone(s);
}

void RunStage7(Game& game) {
    musicLoops(game);
    DrawStage7Backdrop(game);
    MoveStage7Camera(game);
    SpawnTowerParticles(game);
    if (!BossGate(game)) RunTimeline(game, kTimeline);
    SortStage7Scenery(game);
}

}  // namespace korvid
