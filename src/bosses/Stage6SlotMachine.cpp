// Card 58, the slot machine. t is the boss timer, (x, y) the boss.
//
// On Normal and Hard the boss stands behind a machine of three reels and
// cannot be hurt until all three are filled. Each round: the strip rolls
// under the window; the ship pulls the lever by touching its target (or
// the machine pulls it itself at the round's frame 1000); the strip spins
// and slows; the symbol read at the pull fills the next reel; the symbol's
// attack follows; the round repeats from frame 250 until three reels are
// filled. Then the bar drains by itself and the reels are judged: three of
// a kind pay (symbol 2 opens the way to the fight after the stage's boss).
//
// The machine's work values: the strip offset (bossVar entry 5, 0..446),
// the symbol of the pull (bossVarX, 1..5), the reels (bossVarArr entries
// 0..2, 0 = empty) and the spins done (bossVarArr entry 3).
//
// On Easy there is no machine: the card is an attack that can be shot.
#include <algorithm>
#include <cmath>

#include "bosses/Stage6Bar.h"
#include "bosses/Stage6Cards.h"
#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

constexpr int kReels = 3;
constexpr int kSpinsDone = 3;  // bossVarArr entry
constexpr float kStripWrap = 446;
constexpr float kMachineX = 224, kMachineY = 180;
constexpr float kLeverX = 224, kLeverY = 330;
constexpr float kMachineZ = 0.88f;

// The round's frames.
constexpr int kOpeningEnd = 100;    // the machine unfolds from here
constexpr int kUnfolded = 160;      // full size; the lever can be pulled
constexpr int kAutoPull = 1000;     // the machine pulls its own lever
constexpr int kSpinFrom = 1100, kSpinSlowFrom = 1180, kSpinTo = 1259;
constexpr int kReelFills = 1260;
constexpr int kAttackFrom = 1320, kAttackTo = 1450;
constexpr int kRoundEnds = 1650, kRoundAgain = 250;
constexpr int kDrainFrom = 1651, kJudged = 1652;

// The item sheet's icons of symbols 1..5.
constexpr int kSymbolIconX[6] = {0, 96, 112, 80, 16, 32};

int spinsDone(const GameState& s) { return static_cast<int>(s.bossVarArr[kSpinsDone]); }

// How hard a symbol's attack hits: the spins done, on Normal one less once
// two are done (1, 1, 2), on Hard the spins done (1, 2, 3).
int strength(const GameState& s) {
    const int spins = spinsDone(s);
    return s.difficulty == 1 && spins >= 2 ? spins - 1 : spins;
}

// The symbol under the window at strip offset `offset`: the strip shows the
// five symbols in 88-offset bands, 5 first.
int symbolAt(float offset) { return 5 - static_cast<int>(offset + 267) / 88 % 5; }

void wrapStrip(float& offset) {
    if (offset >= kStripWrap) offset -= kStripWrap;
}

// The sounds of the pull and of a reel filling, each loaded the first time
// it is wanted and kept for the rest of the game.
void playMachineSound(Game& game, HSTREAM& sound, const char* file) {
    GameState& s = game.state;
    if (!sound) sound = game.engine.Stream_Load(file);
    game.engine.Stream_Play(sound, false, s.seVolume);
}

bool nearLever(const GameState& s) {
    const double dx = s.playerX - kLeverX, dy = s.playerY - kLeverY;
    return dx * dx + dy * dy <= 1024;
}

// ------------------------------------------------------ the symbols' attacks
//
// From frame 1320 to 1450 of a round; k = strength (1..3).
//   1  rings: every 20 frames a ring of 12 + 6k small bullets (texture 0
//      (32, 48)) from the boss at speed 2, turned by a random start
//      (one rand() a ring).
//   2  aimed fans: every 30 frames a fan of 2k + 1 bullets (texture 0
//      (112, 96)) at the ship, 12 degrees apart, speed 2.5.
//   3  side rain: every 8 frames k bullets (texture 0 (80, 48)) from the
//      left and right edges at a random height (rand() % 320 + 32, left
//      first), heading across at 90 / 270, speed 2.
//   4  the great rain: on even frames (every fourth for the first two
//      spins) a large bullet (texture 1 (0, 288)) from a random x at the
//      top (rand() % 448), aimed at (224, 480) with a spread of -45..44
//      degrees (rand() % 90 - 45, drawn after x), speed 2 + 0.5k.
//   5  spirals: every 5 frames k + 1 streams (texture 0 (32, 96)) turning
//      7 degrees a frame from the boss, speed 2.
void symbolAttack(Game& game, int t) {
    GameState& s = game.state;
    const Enemy& b = Boss(game);
    const int k = strength(s);
    const int p = t - kAttackFrom;
    switch (static_cast<int>(s.bossVarX)) {
        case 1:
            if (p % 20 == 0) {
                const int start = game.rand() % 360;
                const BulletPlan ring{{0, 32, 48, 16, 16}, 2, 0};
                FireRing(game, ring, b.x, b.y, 12 + 6 * k, static_cast<float>(start));
            }
            break;
        case 2:
            if (p % 30 == 0) {
                const BulletPlan fan{{0, 112, 96, 16, 16}, 2.5, 0};
                FireAimedFan(game, fan, b.x, b.y, k, 12);
            }
            break;
        case 3:
            if (p % 8 == 0) {
                const BulletPlan rain{{0, 80, 48, 16, 16}, 2, 0};
                for (int i = 0; i < k; ++i) {
                    const int left = game.rand() % 320 + 32;
                    Fire(game, rain, 0, static_cast<float>(left), 90);
                    const int right = game.rand() % 320 + 32;
                    Fire(game, rain, 448, static_cast<float>(right), 270);
                }
            }
            break;
        case 4:
            if (p % (spinsDone(s) <= 2 ? 4 : 2) == 0) {
                const int x = game.rand() % 448;
                const int spread = game.rand() % 90 - 45;
                const BulletPlan great{{1, 0, 288, 32, 32}, 2 + 0.5 * k, 0};
                const float aim = static_cast<float>(BearingTo(x, -16, 224, 480, spread));
                Fire(game, great, static_cast<float>(x), -16, aim);
            }
            break;
        case 5:
            if (p % 5 == 0) {
                const BulletPlan spiral{{0, 32, 96, 16, 16}, 2, 0};
                FireRing(game, spiral, b.x, b.y, k + 1, static_cast<float>(7 * p));
            }
            break;
        default:
            break;
    }
}

// Three of a kind pay, the bonus intact; symbol 2 opens the way whatever
// became of the bonus. The items scatter round the boss: x then y offset,
// each rand() % 96 - 48.
void judge(Game& game) {
    GameState& s = game.state;
    const Enemy& b = Boss(game);
    const float first = s.bossVarArr[0];
    if (first == 0 || s.bossVarArr[1] != first || s.bossVarArr[2] != first) return;
    s.wideFieldFightStarted = 0;
    const int symbol = static_cast<int>(first);
    if (symbol == 2) {
        s.wideFieldFightStarted = 1;
        return;
    }
    if (s.spellBonusLost) return;
    auto scatter = [&](int count, int cell, int kind) {
        for (int i = 0; i < count; ++i) {
            const int dx = game.rand() % 96 - 48;
            const int dy = game.rand() % 96 - 48;
            SpawnItem(game, TexRect{3, cell, 96, 16, 16}, b.x + dx, b.y + dy, 0, kind);
        }
    };
    switch (symbol) {
        case 1: scatter(20, 32, 2); break;
        case 3: SpawnItem(game, TexRect{3, 80, 96, 16, 16}, s.playerX, s.playerY, 0, 6); break;
        case 4: scatter(50, 16, 3); break;
        case 5: scatter(10, 32, 2); break;
        default: break;
    }
}

// ------------------------------------------------------------- the picture

float machineScale(int t) { return t < kUnfolded ? static_cast<float>((t - kOpeningEnd) * 0.016) : 1.0f; }

void drawMachine(Game& game, int t) {
    if (!game.uiSprite || t < kOpeningEnd) return;
    const GameState& s = game.state;
    Sprite& sp = *game.uiSprite;
    const float scale = machineScale(t);
    sp.SetZ(kMachineZ);
    sp.SetColor(0xFFFFFFFFu);
    sp.SetTexture(s.textures[38]);
    sp.SetTextureRect(static_cast<float>(504 - s.bossVar[5] / 2), 704, 200, 59);
    sp.SetHotSpot(100, 3);
    sp.RenderEx(kMachineX, kMachineY, 0, scale, scale);
    sp.SetTextureRect(297, 406, 215, 208);
    sp.SetHotSpot(107, 104);
    sp.RenderEx(kMachineX, kMachineY, 0, scale, scale);
    if (t < kSpinFrom) {
        sp.SetTexture(s.textures[1]);
        sp.SetTextureRect(128, 80, 128, 128);
        sp.SetHotSpot(64, 64);
        sp.RenderEx(kLeverX, kLeverY, static_cast<float>(t / 30.0), scale / 2, scale / 2);
    }
    sp.SetTexture(s.textures[3]);
    sp.SetHotSpot(8, 8);
    for (int r = 0; r < kReels; ++r) {
        const int symbol = static_cast<int>(s.bossVarArr[r]);
        if (symbol < 1 || symbol > 5) continue;
        sp.SetTextureRect(static_cast<float>(kSymbolIconX[symbol]), 96, 16, 16);
        sp.Render(static_cast<float>(188 + 36 * r), 296);
    }
}

// ------------------------------------------------------- Easy: no machine
//
// Cycle: 120 frames from t 60. Position 0: three thin lasers (texture 4,
// column 64) from the boss, 40 degrees either side of the ship's bearing
// and straight down, speed 6: the ship is never in a beam's line when it
// fires (unless it sits right under the boss). Positions 30..69, every 8 frames: an aimed stream
// bullet (texture 0 (96, 48), speed 2.5). No rand() draws.
void easyCard(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    if (t < 60) return;
    const int p = (t - 60) % 120;
    if (p == 0) {
        RequestSound(game, 1);
        BulletPlan laser{{4, 64, 0, 16, 0}, 6, 0};
        laser.scaleX = 1.5f;
        laser.z = 0.55f;
        FireAimed(game, laser, b.x, b.y, -40);
        FireAimed(game, laser, b.x, b.y, 40);
        Fire(game, laser, b.x, b.y, 180);
    }
    if (p >= 30 && p < 70 && p % 8 == 6) {
        const BulletPlan stream{{0, 96, 48, 16, 16}, 2.5, 0};
        FireAimed(game, stream, b.x, b.y, 0);
    }
}

}  // namespace

// -------------------------------------------------------------- the card

void Card58(Game& game, int t) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    if (s.difficulty <= 0) {
        easyCard(game, t);
        return;
    }
    float& offset = s.bossVar[5];
    if (t < kOpeningEnd) {
        GlideTo(game, t, kMachineX, 160, kOpeningEnd - 1);
        offset = 0;
        s.bossVarX = 0;
        for (int i = 0; i <= kSpinsDone; ++i) s.bossVarArr[i] = 0;
    }
    if (t < kDrainFrom) b.hp = static_cast<float>(0.4 * b.maxHp);
    drawMachine(game, t);
    if (t >= kOpeningEnd && t < kAutoPull) {
        offset += 1;
        wrapStrip(offset);
    }
    if (spinsDone(s) < kReels && ((t >= kUnfolded && t < kSpinFrom && nearLever(s)) || t == kAutoPull)) {
        b.timer = kSpinFrom;
        s.bossVarX = static_cast<float>(symbolAt(offset));
        playMachineSound(game, s.slotPullSound, "SE/dissolve_work.wav");
    }
    if (t >= kSpinFrom && t <= kSpinTo) {
        offset = static_cast<float>(t <= kSpinSlowFrom ? offset + 7 : offset + 7 - (t - kSpinSlowFrom) / 13.5);
        wrapStrip(offset);
    }
    if (t == kReelFills) {
        for (int r = 0; r < kReels; ++r) {
            if (s.bossVarArr[r] == 0) {
                s.bossVarArr[r] = s.bossVarX;
                break;
            }
        }
        s.bossVarArr[kSpinsDone] += 1;
        playMachineSound(game, s.slotReelSound, "SE/dissolved.wav");
    }
    if (t >= kAttackFrom && t <= kAttackTo) symbolAttack(game, t);
    if (t == kRoundEnds && spinsDone(s) < kReels) b.timer = kRoundAgain;
    if (t >= kDrainFrom && spinsDone(s) >= kReels) b.hp = static_cast<float>(b.hp - 0.005 * b.maxHp);
    if (t == kJudged && spinsDone(s) >= kReels) judge(game);
}

}  // namespace korvid
