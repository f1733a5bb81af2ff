// All state of one running game, as plain data: it can be zeroed, copied
// and hashed, so tests build one, run frames on it and compare. It holds no
// pointers into the platform, only texture and stream handles.
//
// It is three records by lifetime, each field under its own name (s.field
// reaches every one):
//   RunState   what lives for the whole run: the screen flow and menus,
//              settings, texture and stream handles, the replay record;
//   GamePlay   what a game plays with across its stages: reset when a game
//              starts (StartRoutine);
//   StagePlay  what a stage plays with: reset at every stage load.
// A shorter-lived record is reset by assigning it a value-initialised one in
// one place (play/StageFlow.cpp), so a field added to it is reset without
// anyone listing it. The play records (PlayRecords) hold no heap members: a
// snapshot of play is a plain copy of them, without the 4 MB replay record.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "game/GameRandom.h"
#include "engine/Engine.h"
#include "game/PoolRecords.h"

namespace korvid {

enum GameKey : int { KeyUp = 0, KeyDown, KeyLeft, KeyRight, KeySlow, KeyShoot, KeyBomb, KeyFastForward, kGameKeyCount };

// Counters at the end of each stage, restored when a replay starts later.
struct StageSnapshot {
    int bombGauge = 0;
    int lives = 0;
    int grazeCount = 0;
    std::int64_t score = 0;
    int maxPowerFrames = 0;
};

struct KeyBinding {
    std::int32_t code = 0;
    std::int32_t high = 0;  // 0 after loading; the sign extension of the code after capture
};

inline constexpr int kStageSlots = 10;          // snapshots and records are indexed by stage 1..9
inline constexpr int kReplayFramesPerStage = 100000;
inline constexpr int kTextureTableSize = 100;
inline constexpr int kSoundCount = 50;

// What lives for the whole run.
struct RunState {
    // --- flow of the program ---
    int screen = 0;  // 0..9 title and menus, 10 play, 11 staff roll, 12/13 replay save
    int stage = 0;   // 0 none, 1..6 main stages, 7 extra stage
    int startStage = 0;
    int difficulty = 0;  // 0..2, 3 for the extra stage
    int character = 0;   // 1..3
    std::uint8_t practiceMode = 0;
    // Spell practice: the card played alone (0 otherwise), and where its run
    // stands: 0 the boss is still to come in, 1 the card runs, 2 it has ended.
    int spellPracticeCard = 0;
    std::uint8_t spellPracticePhase = 0;
    std::uint8_t quitRequested = 0;
    std::uint8_t musicRoomSelected = 0;
    int menuCursor = 0;

    // --- menu key latches (0 or 1) and the menu scroll, cleared at stage load ---
    float latchCancel = 0, latchConfirm = 0, latchUp = 0, latchDown = 0, latchLeft = 0, latchRight = 0;
    float menuScroll = 0;

    // --- title and menus ---
    int titleBrightness = 0;
    int altTitleFade = 0;
    int menuSlideIn = 0;
    int settingsSlide = 0;
    std::uint8_t keyCapturePending = 0;  // key configuration: waiting for the key to bind
    HTEXTURE titleMenuTexture = 0, cardTexture = 0, titleTexture = 0, subMenuTexture = 0;
    HCHANNEL bgmChannel = 0;
    HSTREAM bgmStream = 0;
    int panelCounter = 0;  // the side panel's number (score-file value)

    // --- pause, continue and game over ---
    int pauseState = 0;
    int pauseFade = 0;
    int pauseTicks = 0;
    int pauseCursor = 0;
    HTEXTURE pauseMenuTexture = 0;
    HTEXTURE snapshotTexture = 0;

    // --- settings (key settings file) and this frame's keys ---
    std::array<KeyBinding, kGameKeyCount> keyBindings{};
    std::array<std::uint8_t, kGameKeyCount> frameKeys{};
    int bgmVolume = 0;
    int seVolume = 0;
    int autoBomb = 0;
    int windowMode = 0;
    // --- controller buttons (settings file, not gameplay) ---
    std::array<int, 6> padButtons{0, 1, 10, 9, 6, 4};  // shoot, bomb, slow, fast-forward, pause, screenshot

    // --- replays: the record being made or played ---
    std::uint8_t replayPlaying = 0;
    int replayEndStage = 0;
    std::array<int, kStageSlots> replayStageFrames{};
    std::array<StageSnapshot, kStageSlots> snapshots{};
    std::array<std::array<std::int32_t, kReplayFramesPerStage>, kStageSlots> replayInputs{};

    // --- resources ---
    HTEXTURE logoTexture = 0;
    std::array<HTEXTURE, kTextureTableSize> textures{};  // the texture table
    std::array<HSTREAM, kSoundCount> sounds{};           // the sound table
    HSTREAM chimeSound = 0;  // "SE/1685.wav", loaded the first time a sweeper bullet plays it
    HSTREAM slotPullSound = 0;  // "SE/dissolve_work.wav", the slot machine's lever, loaded once
    HSTREAM slotReelSound = 0;  // "SE/dissolved.wav", a slot machine's reel filling, loaded once
};

// What a game plays with across its stages; a new game starts from zero.
struct GamePlay {
    std::int64_t score = 0;
    std::int64_t bestScore = 0;  // the HUD's first per-game work counter
    int lives = 0;
    int bombGauge = 0;
    int grazeCount = 0;
    int maxPowerFrames = 0;
    int hudWork = 0;  // the HUD's second per-game work counter
    std::uint8_t wideFieldFightStarted = 0;  // stage 6: the whole-screen fight has begun
};

// What a stage plays with; every stage load starts from zero (then the
// stage's start values: play/StageFlow.cpp). Its counters and its pools are
// two records, so a snapshot copies the first whole and only the used part
// of the second.
struct StageCounters {
    int stageFrame = 0;
    int replayFrame = 0;
    std::uint8_t gameFinished = 0;
    float laserNear = 0;  // the player came close to a laser this frame

    // --- player counters ---
    float power = 0;
    int invincibleTimer = 0;
    int hitPending = 0;

    // --- the player ---
    float playerX = 0, playerY = 0;
    std::uint8_t playerDying = 0;
    std::uint8_t playerRespawning = 0;
    float deathScale = 0;
    int focusLevel = 0;
    std::uint8_t bombActive = 0;
    int shotTimer = 0;
    int framesSinceShot = 0;
    int optionSpread = 0;
    int optionLift = 0;
    int tilt = 0;
    int moveDirection = 0;
    int laserFrames = 0, laserFramesB = 0;  // character 2: frames of continuous focused fire
    std::array<std::uint8_t, kSoundCount> soundRequests{};
    float damageSoundPercent = 0;  // volume percent of sound 9, set by the shot-hit code

    // --- player shots ---
    int laserEndY = 0;  // y of the far end of character 2's beam (an effect follows it)

    // --- bosses ---
    std::uint8_t bossActive = 0;
    std::uint8_t spellActive = 0;
    std::uint8_t spellBonusLost = 0;
    int spellTimeLimit = 0;
    int bossTimeLeft = 0;
    std::uint8_t stageCleared = 0;
    float bossRotation = 0;
    std::array<float, 6> bossVar{};
    float bossVarX = 0;
    std::array<float, 93> bossVarArr{};
    // --- boss driver ---
    std::uint8_t bossTimedOut = 0;  // the stage's boss gate ran the time-out action on this pattern
    std::uint8_t bossClosingTalk = 0;  // the beaten boss's closing conversation runs; the stage clears after it
    // --- HUD ---
    // The extra boss's words (GBK, two bytes a character), shown one
    // character per word bullet (behaviour 120) at offset 2 x its work value.
    std::array<char, 256> wordBulletText{};

    // --- the world ---
    std::uint8_t wideField = 0;
    std::uint8_t timeStop = 0;
    std::uint8_t dialogueActive = 0;
    int dialoguePage = 0;
    float backgroundShake = 0;
    float scrollSpeed = 0;
    float stage5Work = 0;
    // --- stage 2 ---
    int popcornCounter = 0;  // frames since the popcorn generator last spawned
    // --- stage 4 ---
    float bossScroll = 0;   // the boss fight's extra ground scroll (0: the stage's own)
    int bossFade = 0;       // 0..255: the mid-boss's card backdrop over the ground
    std::uint8_t wallMapLoaded = 0;  // texture 40 holds the wall map
    float camX = 0, camHeight = 0, camDepth = 0, camYaw = 0, camPitch = 0;
    float bgCamX = 0, bgCamY = 0, bgCamTurn = 0;
    // --- stage 5: the corridor (stage5Work is its gates' scroll offset) ---
    float bgCamScale = 0;
    int gatesPassed = 0;   // gates passed in the running section
    int gateTotal = 0;     // gates passed in the sections before it
    int gateRows = 0;      // gate rows drawn ahead
    std::uint8_t gateFlag = 0;  // a gate is being passed
    std::array<float, 3> bossApproach{};  // the stage boss's approach: walls, shaft, floor
    std::array<float, 6> sceneCamera{};  // x, y, z, yaw, pitch, roll
    float sceneFocal = 2400;
    int sceneObjectCount = 0;
    int sceneObjectsUsed = kSceneObjectCapacity;  // records [used, capacity) are as a stage load left them
    // --- stage scripts and dialogue ---
    int dialoguePageCount = 0;      // last page of the running conversation
    std::uint8_t dialogueKeyLatch = 0;
    int dialoguePageStart = 0;      // stageFrame at which the page began
    float dialogueShootReleased = 0;
    int dialogueTextAlpha = 0;
    int dialogueTicks = 0;          // calls since the conversation began (paging by time)

    GameRandom rng;
    int lastEnemyBulletSlot = 0, lastEffectSlot = 0, lastItemSlot = 0, lastEnemySlot = 0;
};

// The pools: the big part.
struct StagePools {
    EnemyBulletPool enemyBullets;
    EffectPool effects;
    ItemPool items;
    PlayerShotPool playerShots;
    EnemyPool enemies;
    BgPanelPool bgPanels;
    std::array<SceneObject, kSceneObjectCapacity> sceneObjects{};
};

struct StagePlay : StageCounters, StagePools {

    // The boss slot's type and timer are the boss pattern and boss timer.
    int& bossPattern() { return enemies.slot[kBossSlot].type; }
    int bossPattern() const { return enemies.slot[kBossSlot].type; }
    int& bossTimer() { return enemies.slot[kBossSlot].timer; }
    int bossTimer() const { return enemies.slot[kBossSlot].timer; }
};

// Everything play depends on, without the run's record: what a snapshot
// copies.
struct PlayRecords : GamePlay, StagePlay {};

static_assert(std::is_trivially_copyable_v<GamePlay>);
static_assert(std::is_trivially_copyable_v<StagePlay>);
static_assert(std::is_trivially_copyable_v<StageCounters>);
static_assert(std::is_trivially_copyable_v<PlayRecords>);

struct GameState : RunState, PlayRecords {};

}  // namespace korvid
