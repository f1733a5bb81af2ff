// The shape every boss pattern shares, written once: the opening (hit
// points held, charge burst, the switch to the boss music, the glide in),
// movement legs, the end of a pattern (items, bullets to items, the spell
// card's end), the interlude that refills the bar and hands over to the next
// pattern, and the defeat sequence of a fight's last pattern. A boss file is
// then its tables and its attacks.
//
// t is always the boss timer as read at the start of the frame.
#pragma once

namespace korvid {

struct Game;
struct Enemy;

Enemy& Boss(Game& game);

// ------------------------------------------------------------------ opening

struct OpeningPlan {
    int holdFrom = 0, holdTo = 0;       // hp held at maxHp for t in holdFrom..holdTo
    int chargeFrom = -1, chargeTo = -1;  // charge burst (sound 16 on its first frame); -1: none
    int glideTo = -1;                    // SpeedRamp(5, 60, 0) for t 1..glideTo; -1: no glide
    // The first pattern of a fight that brings its own music: the stage music
    // fades over t fadeFrom..99 and the boss track starts at t 100.
    const char* music = nullptr;
    int fadeFrom = 0;
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

// Where a pattern hands over. `limit` < 0 keeps the running time limit (the
// mid-boss's patterns share one).
struct NextPattern {
    int id;
    float maxHp;     // written when the pattern ends; < 0: nothing written
    int limit;
    bool spell;      // the next pattern is a spell card: declared on arrival
};

struct PatternEndPlan {
    float maxHp = -1;       // the next pattern's hit points; < 0: not written
    bool dropItems = true;  // ten kind-3 and two kind-2 items around the boss
    bool chargeSound = false;
    float speed = -1;       // the interlude's travel speed; < 0: unchanged
    bool spellEnd = false;  // the pattern was a spell card
};
// The pattern's hit points are gone: timer to -300 and the end's steps, in
// the order maxHp, sound, items, bullets to items, speed, spell end.
void PatternEnd(Game& game, const PatternEndPlan& plan);
// The same from a hand-over: the next pattern's hit points, items, speed 2.
PatternEndPlan EndBefore(const NextPattern& next, bool spellEnd = false);

// The drop of every ordinary pattern end: ten kind-3 and two kind-2 items,
// each at a random offset of -32..31 (y offset drawn first).
void DropPatternItems(Game& game);

// ---------------------------------------------------------------- interlude

// Between patterns, the bar refills by maxHp / 50 a frame while it does not
// exceed maxHp, the boss moving dy a frame; once it is over full (and only
// while t < 0) the next pattern begins at timer 0.
void InterludeRefill(Game& game, int t, float dy, const NextPattern& next);
// Between patterns, the boss flies home to (224, 143) while the bar refills;
// within 16 pixels it is placed there, at rest and full, and the next
// pattern begins.
void InterludeHome(Game& game, const NextPattern& next);
// The switch itself: id, limit, timer 0, and a spell card's declaration.
void BeginPattern(Game& game, const NextPattern& next);

// ----------------------------------------------------------------- defeat

enum class AfterDefeat { ResumeStage, ClearStage };
struct DefeatPlan {
    int endAt;  // timer at which the boss leaves (-230 for most, -240 for the stage-1 mid-boss)
    AfterDefeat after;
    int resumeFrame = 0;      // ResumeStage: stageFrame afterwards
    float scrollSpeed = 0;    // ResumeStage: the stage's scroll speed again
};
// The last pattern's interlude: the field shakes and charge particles
// gather every frame; at endAt the boss slot is freed (sound 7) and the stage
// either resumes or ends (stageCleared, stageFrame 100000).
void DefeatSequence(Game& game, int t, const DefeatPlan& plan);

}  // namespace korvid
