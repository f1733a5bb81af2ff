#include "bosses/SpellCards.h"

#include <algorithm>

#include "game/Game.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

// Bonus bases, in units of (d + 3): the base of card `id` is perUnit * (d + 3).
struct CardBase {
    int id;
    std::int64_t perUnit;
};
constexpr CardBase kCardBases[] = {
    {5, 300000},     {7, 320000},     {10, 350000},    {12, 380000},    {13, 400000},    {14, 430000},
    {16, 460000},    {18, 500000},    {20, 550000},    {21, 800000},    {32, 800000},    {23, 600000},
    {24, 600000},    {26, 640000},    {28, 680000},    {29, 720000},    {30, 1500000},   {34, 900000},
    {36, 1000000},   {38, 1000000},   {40, 1000000},   {42, 1000000},   {43, 1000000},   {44, 1000000},
    {45, 1000000},   {46, 1100000},   {47, 1200000},   {48, 1300000},   {49, 1400000},   {50, 1500000},
    {51, 1600000},   {52, 1700000},   {53, 1800000},   {54, 1900000},   {55, 2000000},   {56, 2100000},
    {57, 2200000},   {58, 2300000},   {59, 2500000},   {60, 4000000},   {61, 5000000},   {63, 50000000},
    {65, 50000000},
    // Card 66's base is ten thousand million per unit; the bonus is 64-bit, so it is paid in full.
    {66, 10000000000LL},
};

struct FlatBonus {
    int id;
    std::int64_t amount;
};
constexpr FlatBonus kFlatBonuses[] = {
    {68, 10000000}, {69, 10000000}, {71, 20000000}, {73, 20000000}, {75, 21000000}, {77, 23000000},
    {79, 25000000}, {81, 30000000}, {87, 30000000}, {83, 26000000}, {85, 27000000}, {88, 80000000},
};

// Captions: texture 9 ("Graphics/font2.png"), centred over the field.
constexpr TexRect kBonusCaption{9, 256, 96, 240, 32};
constexpr TexRect kFailedCaption{9, 256, 384, 160, 32};
constexpr EffectColour kOpaque{255, 255, 255, 255};

void caption(Game& game, const TexRect& rect, float shift) {
    SpawnEffect(game, rect, 224 + shift, 76, 1, 1, 0, 0.21f, 14, kOpaque, 2, 0);
}

void showBonus(Game& game, std::int64_t bonus, float shift) {
    const DigitList digits = DigitSplit(bonus);
    for (int j = 0; j < digits.count; ++j) {
        const float x = 224 + shift + 16 * j - 8 * digits.count;
        SpawnEffect(game, TexRect{8, digits.digit[j] * 16, 208, 14, 24}, x, 100, 1, 1, 0, 0.21f, 14, kOpaque, 2, 0);
    }
}

}  // namespace

std::int64_t SpellBonusBase(int id, int difficulty) {
    for (const CardBase& c : kCardBases)
        if (c.id == id) return c.perUnit * (difficulty + 3);
    return 0;
}

std::int64_t SpellFlatBonus(int id) {
    for (const FlatBonus& f : kFlatBonuses)
        if (f.id == id) return f.amount;
    return 0;
}

std::int64_t SpellBonus(int id, int difficulty, int limit, int left, bool timedOut) {
    if (timedOut) return 0;
    if (id >= 68) return SpellFlatBonus(id);
    if (limit <= 0) return 0;
    const int clamped = std::clamp(left, 0, limit);
    const double perFrame = static_cast<double>(SpellBonusBase(id, difficulty)) / limit;
    return static_cast<std::int64_t>(perFrame * clamped);
}

void SpellDeclare(Game& game) {
    GameState& s = game.state;
    s.spellBonusLost = 0;
    s.spellTimeLimit = s.bossTimeLeft;
    RequestSound(game, 18);
    NoteCardReached(game);
}

void SpellEnd(Game& game) {
    GameState& s = game.state;
    const float shift = s.wideField ? 96.0f : 0.0f;
    RequestSound(game, 19);
    NoteCardEnded(game);
    s.spellActive = 0;
    if (s.spellBonusLost) {
        caption(game, kFailedCaption, shift);
        return;
    }
    // A card that ran out of time was not spoiled: it shows its bonus, 0,
    // whatever the count shows by then (some stages set it to 9999).
    caption(game, kBonusCaption, shift);
    const std::int64_t bonus =
        SpellBonus(s.bossPattern(), s.difficulty, s.spellTimeLimit, s.bossTimeLeft, s.bossTimedOut != 0);
    s.score += bonus - bonus % 10;
    showBonus(game, bonus, shift);
}

}  // namespace korvid
