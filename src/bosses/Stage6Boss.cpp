// The stage-6 boss: fifteen cards on one bar (texture 38, 64 x 96), from
// stage frame 6800 after its conversation, which it opens itself at frame 61
// of its first card.
//
//   46 -> 47 -> 48 -> 49 -> 50 (interlude) -> 51 -> 52 -> 53 -> 54 (interlude)
//      -> 55 -> 56 -> 57 -> 58 (slot machine) -> 59 (interlude) -> 60 -> the routing
//
// Each row is one segment of the bar: the bar while the card runs, the
// fraction held during its opening, the fraction it ends at, the bar and hit
// points it writes for the next card, and the backdrop picture it shows
// (lastboss1.jpg .. lastboss15.jpg). Every card has 6000 frames.
//
// Adding a card's attack: write it (with its design at its head) in a file of
// its own, declare it in Stage6Cards.h and name it in its row below.
#include "bosses/Stage6Boss.h"

#include "bosses/Stage6Cards.h"

namespace korvid {

namespace {

// Card 60's defeat: 70 frames, then the stage goes on as Stage6AfterLastCard
// decides (cleared on Easy; on to 8200 or 8600 otherwise).
constexpr DefeatPlan kLastCardDefeat{.endAt = -230, .after = AfterDefeat::Own, .finish = Stage6AfterLastCard};

constexpr BarCard kCards[] = {
    // Card 46: glides in, held full until frame 61; the conversation; the
    // declaration and its picture at frame 102.
    {.id = 46, .maxHp = 3500, .hold = 1.0, .holdTo = 60, .chargeTo = -1, .endsAt = 0.8,
     .nextMaxHp = 8000, .nextHp = 6400, .picture = 1, .pictureFrom = 102, .attack = Card46, .ended = Card46Ended},
    {.id = 47, .maxHp = 8000, .hold = 0.8, .endsAt = 0.6, .nextMaxHp = 4000, .nextHp = 2400, .picture = 2, .attack = Card47},
    {.id = 48, .maxHp = 4000, .hold = 0.6, .endsAt = 0.4, .nextMaxHp = 5000, .nextHp = 2000, .picture = 3, .attack = Card48},
    // 0.2 of card 50's 7500, so the ring goes on where card 49 left it.
    {.id = 49, .maxHp = 5000, .hold = 0.4, .endsAt = 0.2, .nextMaxHp = 7500, .nextHp = 1500, .picture = 4, .attack = Card49},
    {.id = 50, .maxHp = 7500, .hold = 0.2, .endsAt = 0, .nextMaxHp = 5200, .nextHp = 5200, .refillMaxHp = 8000,
     .picture = 5, .attack = Card50},
    {.id = 51, .maxHp = 5200, .hold = 1.0, .endsAt = 0.75, .nextMaxHp = 8000, .nextHp = 6000, .picture = 6, .attack = Card51},
    {.id = 52, .maxHp = 8000, .hold = 0.75, .endsAt = 0.5, .nextMaxHp = 6000, .nextHp = 3000, .picture = 7, .attack = Card52},
    {.id = 53, .maxHp = 6000, .hold = 0.5, .endsAt = 0.25, .nextMaxHp = 6000, .nextHp = 1500, .picture = 8, .attack = Card53},
    {.id = 54, .maxHp = 6000, .hold = 0.25, .endsAt = 0, .nextMaxHp = 6000, .nextHp = 6000, .refillMaxHp = 10000,
     .picture = 9, .attack = Card54},
    {.id = 55, .maxHp = 6000, .hold = 1.0, .endsAt = 0.8, .nextMaxHp = 10000, .nextHp = 8000, .picture = 10,
     .attack = Card55},
    // Run out of time, card 56 leaves card 57 a longer bar: 9000, written at
    // 1800 (card 57's opening lifts it to its 0.6 at once).
    {.id = 56, .maxHp = 10000, .hold = 0.8, .endsAt = 0.6, .nextMaxHp = 7000, .nextHp = 4200,
     .timedOutMaxHp = 9000, .timedOutHp = 1800, .picture = 11, .attack = Card56},
    {.id = 57, .maxHp = 7000, .hold = 0.6, .endsAt = 0.4, .nextMaxHp = 6000, .nextHp = 2400, .picture = 12,
     .attack = Card57},
    // The machine holds the bar itself until its reels are full.
    {.id = 58, .maxHp = 6000, .hold = 0.4, .endsAt = 0.2, .nextMaxHp = 6000, .nextHp = 1200, .picture = 13,
     .attack = Card58},
    {.id = 59, .maxHp = 6000, .hold = 0.2, .endsAt = 0, .nextMaxHp = 10000, .nextHp = 10000,
     .refillMaxHp = 10000, .picture = 14, .attack = Card59},
    {.id = 60, .maxHp = 10000, .hold = 1.0, .endsAt = 0, .picture = 15, .attack = Card60, .defeat = &kLastCardDefeat},
};

void runCard(Game& game) { RunBarCard(game, kCards); }

constexpr int nextId(std::size_t i) {
    return i + 1 < std::size(kCards) ? kCards[i + 1].id : 0;
}

constexpr PatternRow kRows[] = {
    BarCardRow(kCards[0], nextId(0), runCard),   BarCardRow(kCards[1], nextId(1), runCard),
    BarCardRow(kCards[2], nextId(2), runCard),   BarCardRow(kCards[3], nextId(3), runCard),
    BarCardRow(kCards[4], nextId(4), runCard),   BarCardRow(kCards[5], nextId(5), runCard),
    BarCardRow(kCards[6], nextId(6), runCard),   BarCardRow(kCards[7], nextId(7), runCard),
    BarCardRow(kCards[8], nextId(8), runCard),   BarCardRow(kCards[9], nextId(9), runCard),
    BarCardRow(kCards[10], nextId(10), runCard), BarCardRow(kCards[11], nextId(11), runCard),
    BarCardRow(kCards[12], nextId(12), runCard), BarCardRow(kCards[13], nextId(13), runCard),
    BarCardRow(kCards[14], nextId(14), runCard),
};
static_assert(std::size(kRows) == std::size(kCards), "one row per card");

constexpr BossBulletEntry kBullets[] = {{85, Stage6EmitterBullet}, {86, Stage6EmitterBullet}};

}  // namespace

std::span<const PatternRow> Stage6BossRows() { return kRows; }
std::span<const BossBulletEntry> Stage6BossBullets() { return kBullets; }
std::span<const BarCard> Stage6BarCards() { return kCards; }

}  // namespace korvid
