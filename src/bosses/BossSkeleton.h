// The shape every boss pattern shares, written once: the opening (hit
// points held, charge burst, the switch to the boss music, the glide in),
// movement legs, the end of a pattern (items, bullets to items, the spell
// card's end), the interlude that refills the bar and hands over to the next
// pattern, and the defeat sequence of a fight's last pattern.
//
// A fight file is a table of PatternRow (one per pattern: what it holds and
// writes, where it hands over, its opening, end and interlude) plus one
// attack function per pattern; RunPatternRow plays a row. A card is a row
// with `spell` set (declared on arrival, SpellEnd at its end).
//
// t is always the boss timer as read at the start of the frame.
#pragma once

#include <cstdint>
#include <span>

#include "play/Spawn.h"
#include "stages/Dialogue.h"
#include "stages/StageRegistry.h"

namespace korvid {

struct Game;
struct Enemy;

Enemy& Boss(Game& game);

// A fight's own numbers: where its boss rests between patterns, how fast it
// travels there, and how fast its bar refills (maxHp / refillDivisor a frame).
struct FightParams {
    float homeX = 224, homeY = 143;
    float travelSpeed = 2;
    double refillDivisor = 50;
};

// ------------------------------------------------------------------ opening

struct OpeningPlan {
    int holdFrom = 0, holdTo = 0;        // hp held at maxHp for t in holdFrom..holdTo
    int chargeFrom = -1, chargeTo = -1;  // charge burst (sound 16 on its first frame); -1: none
    int glideTo = -1;                    // SpeedRamp(5, 60, 0) for t 1..glideTo; -1: no glide
    // The first pattern of a fight that brings its own music: the stage music
    // fades over t fadeFrom..99 and the boss track starts at t 100.
    const char* music = nullptr;
    int fadeFrom = 0;
    int attackAfter = 0;   // the attack (and the end test) runs for t > attackAfter
    int chargeEvery = 0;   // > 0: the charge burst repeats with this cycle (cards)
    int castPoseTo = 0;    // > 0: the casting pose (cell row 192) for t 1..castPoseTo
};
void Opening(Game& game, int t, const OpeningPlan& plan);

// The charge burst at cycle position `pos`: four particles a frame while
// from <= pos <= to, with sound 16 on its first frame.
void ChargeBurst(Game& game, int pos, int from, int to);

// Hands the music over: the running stream is freed and `file` plays looped
// at the music volume, from `startAt` seconds.
void SwitchMusic(Game& game, const char* file, float startAt = 0);
// Sets the music channel to `percent` of the music volume.
void MusicVolume(Game& game, int percent);

// ------------------------------------------------------------ movement legs

// A leg of the boss's wandering. At cycle position legAt it picks a heading:
// home (224, 143) plus rand() % 30 - 15 degrees when it is outside the box
// 96..352 x 96..160, else rand() % 360, and stores t in auxC. While the
// position is within rampFrom..rampTo the leg's kick SpeedRamp(1.2, auxC + 70,
// auxC + 1) runs.
void MovementLeg(Game& game, int t, int pos, int legAt, int rampFrom, int rampTo);

// ---------------------------------------------------------- end of pattern

enum class EndMotion : std::uint8_t {
    Travel,  // the interlude's speed is the fight's travel speed
    Keep,    // the speed is left as it is (bosses that rise or sink instead)
};
struct PatternEndPlan {
    bool dropItems = true;    // ten kind-3 and two kind-2 items around the boss
    bool chargeSound = false;
    EndMotion motion = EndMotion::Travel;
    bool restPose = false;    // back from the casting pose to the animated rows
    int bonusItemKind = 0;    // > 0: one more item of this kind at the boss
    TexRect bonusItemCell{3, 80, 96, 16, 16};
};

// The drop of every ordinary pattern end: ten kind-3 and two kind-2 items,
// each at a random offset of -32..31 (y offset drawn first).
void DropPatternItems(Game& game);

// The switch to a pattern: id, limit (-1 keeps the running one), timer 0,
// and a spell card's declaration.
void BeginPattern(Game& game, int id, int limit, bool spell);

// ------------------------------------------------------------------ defeat

enum class AfterDefeat : std::uint8_t {
    ResumeStage,  // the stage script runs on (at resumeFrame, or where its clock stands)
    ClearStage,   // stageCleared, stageFrame 100000
    ClosingTalk,  // the closing conversation; the stage clears when it ends
    FlyOff,       // the boss leaves along flyHeading at flySpeed; the stage runs on
    Own,          // the boss is removed, then `finish` decides (stage 6's routing)
};
using BossStep = void (*)(Game& game, int t);
struct DefeatPlan {
    int endAt = -230;  // timer at which the boss leaves (-240 for the stage-1 mid-boss)
    AfterDefeat after = AfterDefeat::ClearStage;
    int resumeFrame = -1;     // ResumeStage, FlyOff: stageFrame afterwards; -1 leaves it
    float scrollSpeed = -1;   // ResumeStage, FlyOff: scroll speed afterwards; < 0 leaves it
    int shake = 32;           // backgroundShake = rand() % shake each frame
    OpeningTalk talk{};       // ClosingTalk
    float flyHeading = 0, flySpeed = 0;  // FlyOff
    void (*finish)(Game& game) = nullptr;  // Own
    BossStep during = nullptr;  // more work on each frame of the sequence, before it
};
// The last pattern's interlude: the field shakes and charge particles
// gather every frame (a fly-off only flies); at endAt the boss leaves as the
// plan says.
void DefeatSequence(Game& game, int t, const DefeatPlan& plan);
// Removes the boss: slot freed, bossActive cleared, sound 7, no shake.
void RemoveBoss(Game& game);

// ---------------------------------------------------------------- the rows

enum class InterludeKind : std::uint8_t {
    Home,    // flies home while the bar refills; the next pattern begins there
    Refill,  // rises or sinks `dy` a frame; the next pattern begins once the bar is full
    Defeat,  // the fight's last pattern: the defeat sequence
};

struct PatternRow {
    int id = 0;
    float endMaxHp = -1;  // written when the pattern ends: the next pattern's maxHp (< 0: nothing)
    int next = 0;         // the next pattern's id; 0 for the fight's last
    int limit = -1;       // the next pattern's time limit; -1 keeps the running one
    bool spell = false;   // this pattern is a spell card
    OpeningPlan opening{};
    PatternEndPlan end{};
    InterludeKind interlude = InterludeKind::Home;
    float refillDy = 0;                  // Refill: the boss's y step a frame
    const DefeatPlan* defeat = nullptr;  // Defeat
    int interludeBelow = 0;  // the interlude runs while t < this (1: also on the spawn frame)
    BossStep attack = nullptr;
    // A pattern that does not fit the skeleton runs this instead, with the
    // row kept for its numbers (direct starts, the next pattern's card flag).
    void (*own)(Game& game) = nullptr;
};

struct FightLine;  // bosses/FightRegistry.h

// One frame of `row` in `fight`: interlude (t below 0), opening, end (hp 0
// or less past the opening), attack.
void RunPatternRow(Game& game, const FightLine& fight, const PatternRow& row);

// The end of `row`'s pattern: timer -300, then maxHp, sound, items, bullets
// to items, speed, the card's end, the bonus item.
void PatternEnd(Game& game, const FightLine& fight, const PatternRow& row);

// Between patterns, the bar refills by maxHp / divisor a frame while it does
// not exceed maxHp, the boss moving dy a frame; once it is over full (and
// only while t < 0) the next pattern begins.
void InterludeRefill(Game& game, const FightLine& fight, const PatternRow& row, int t);
// Between patterns, the boss flies home while the bar refills; within 16
// pixels it is placed there, at rest and full, and the next pattern begins.
void InterludeHome(Game& game, const FightLine& fight, const PatternRow& row);
// The hand-over to the pattern after `row`.
void BeginNextPattern(Game& game, const FightLine& fight, const PatternRow& row);

// ------------------------------------------------- segmented bars (stage 6)

// A card that ends at a fraction of one long bar hands over on the same
// frame: the running card ends (its bonus), the next is declared with its
// time limit set first (so the card remembers it), and the bar is rewritten
// so it goes on from the same fraction. The cards' work values (bossVar
// entries 1 and 5, bossVarX) start again from 0.
struct Segment {
    int id;
    float maxHp, hp;
    int limit = 6000;
    bool bulletsToItems = true;
};
void SegmentTransition(Game& game, const Segment& next);

}  // namespace korvid
