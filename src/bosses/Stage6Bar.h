// The stage-6 boss's long bar: fifteen cards on one ring of hit points.
// A card does not end at 0 but once its hit points fall to a fraction of the
// bar; on that frame the next card is declared with the bar rewritten, so the
// ring goes on from the same fraction while the next card's share of hit
// points may be longer or shorter. Three cards end at 0 instead and pass
// through an interlude: the bar refills from empty, and the next card begins
// with a full bar once the refill reaches the top.
//
// One table (a BarCard per card, in fight order) says all of that; RunBarCard
// plays one frame of the card the boss is on; BarCardRow makes the card's
// row for the fight registry (direct starts walk the rows' hand-overs).
#pragma once

#include <span>

#include "bosses/BossSkeleton.h"

namespace korvid {

inline constexpr int kBarCardLimit = 6000;  // every card's time limit

struct BarCard {
    int id = 0;
    float maxHp = 0;  // the bar while the card runs (what the card before wrote)
    // The opening: hit points held at hold * maxHp for t 0..holdTo (holdTo < 0:
    // no hold), with the charge burst for t 0..chargeTo (chargeTo < 0: none).
    double hold = 1;
    int holdTo = 59;
    int chargeTo = 25;
    // The card ends on the first frame its hit points are at or below
    // endsAt * maxHp (0: at or below 0).
    double endsAt = 0;
    // Written for the next card: the bar and the hit points on it. With an
    // interlude the next card starts full: nextHp is nextMaxHp.
    float nextMaxHp = 0, nextHp = 0;
    // What the card writes instead when its clock ran out (timedOutMaxHp 0:
    // the same as when it is shot down).
    float timedOutMaxHp = 0, timedOutHp = 0;
    // > 0: the card ends at 0 into an interlude: hp 0 on a bar of refillMaxHp,
    // which refills by refillMaxHp / 100 a frame; the next card begins once
    // the bar is full (and the card's bonus is paid then).
    float refillMaxHp = 0;
    // The backdrop picture the card shows (lastboss<picture>.jpg), chosen
    // from its frame pictureFrom.
    int picture = 0;
    int pictureFrom = 0;
    BossStep attack = nullptr;          // every frame t >= 0 the card has not ended on
    void (*ended)(Game& game) = nullptr;  // the card's own work at its end, before the hand-over
    // The fight's last card: its defeat sequence instead of a hand-over.
    const DefeatPlan* defeat = nullptr;
};

// One frame of the card the boss is on (bossPattern), looked up in `cards`:
// its interlude or defeat while the timer is negative; otherwise the hold,
// the charge, the picture, then the end test (a hand-over or the interlude
// or the defeat) and, while the card runs on, its attack.
void RunBarCard(Game& game, std::span<const BarCard> cards);

// The hand-over from `from` to `to` on this frame: `from`'s card ends (its
// bonus), `to` is declared with its time limit and the bar `from` writes,
// and `to`'s picture is chosen at once (the backdrop never blinks).
void HandOverCard(Game& game, const BarCard& from, const BarCard& to, bool bulletsToItems);

// The bar's fraction while a card runs, and whether it is at or below f.
double BarFraction(const Game& game);

// The card's row for the fight registry: a spell card of limit 6000 that
// hands over to `next` (0 for the last) with nextMaxHp, run by `own`.
constexpr PatternRow BarCardRow(const BarCard& card, int next, void (*own)(Game&)) {
    PatternRow row{};
    row.id = card.id;
    row.endMaxHp = card.nextMaxHp;
    row.next = next;
    row.limit = kBarCardLimit;
    row.spell = true;
    row.own = own;
    return row;
}

// Moves the boss toward (x, y) so it arrives at frame `arrive` of the card:
// on each frame t < arrive it heads there at the speed that covers the
// distance left in the frames left; at t == arrive it stops.
void GlideTo(Game& game, int t, float x, float y, int arrive);

// The cards' resting place, about where card 46's glide leaves the boss.
// A card started directly (the boss still at its entry point) glides there
// over its first 60 frames; in the fight the boss is already (near) there.
inline constexpr float kCardHomeX = 220, kCardHomeY = 119;
inline void ComeHome(Game& game, int t) { GlideTo(game, t, kCardHomeX, kCardHomeY, 60); }

}  // namespace korvid
