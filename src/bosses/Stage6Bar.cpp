#include "bosses/Stage6Bar.h"

#include <cmath>

#include "bosses/SpellCards.h"
#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

const BarCard* findCard(std::span<const BarCard> cards, int id) {
    for (const BarCard& c : cards)
        if (c.id == id) return &c;
    return nullptr;
}

// The card after `card` in fight order, or null for the last.
const BarCard* nextCard(std::span<const BarCard> cards, const BarCard& card) {
    for (std::size_t i = 0; i + 1 < cards.size(); ++i)
        if (&cards[i] == &card) return &cards[i + 1];
    return nullptr;
}

// The interlude's refill. It normally fills within 100 frames; should shots
// hold it back until the timer comes round to 0, the next card begins anyway
// (a card never runs twice).
void refill(Game& game, std::span<const BarCard> cards, const BarCard& card, int t) {
    Enemy& b = Boss(game);
    b.hp = static_cast<float>(b.hp + b.maxHp / 100.0);
    if (b.hp < b.maxHp && t < -1) return;
    if (const BarCard* to = nextCard(cards, card)) HandOverCard(game, card, *to, false);
}

void endCard(Game& game, std::span<const BarCard> cards, const BarCard& card) {
    Enemy& b = Boss(game);
    if (card.ended) card.ended(game);
    if (card.defeat) {
        b.timer = -300;
        BulletsToItems(game);
        SpellEnd(game);
        return;
    }
    if (card.refillMaxHp > 0) {
        // The card stays declared through its interlude.
        b.timer = -300;
        b.hp = 0;
        b.maxHp = card.refillMaxHp;
        BulletsToItems(game);
        return;
    }
    if (const BarCard* to = nextCard(cards, card)) HandOverCard(game, card, *to, true);
}

}  // namespace

double BarFraction(const Game& game) {
    const Enemy& b = game.state.enemies.slot[kBossSlot];
    return b.maxHp > 0 ? b.hp / static_cast<double>(b.maxHp) : 0.0;
}

void HandOverCard(Game& game, const BarCard& from, const BarCard& to, bool bulletsToItems) {
    // The transition forgets the time-out: read it first.
    const bool timedOut = game.state.bossTimedOut && from.timedOutMaxHp > 0;
    const float maxHp = timedOut ? from.timedOutMaxHp : from.nextMaxHp;
    const float hp = timedOut ? from.timedOutHp : from.nextHp;
    SegmentTransition(game, Segment{to.id, maxHp, hp, kBarCardLimit, bulletsToItems});
    // The picture changes straight to the next card's; a 0 in between would
    // leave the field without a backdrop for a frame.
    if (to.pictureFrom == 0) game.state.bossVar[1] = static_cast<float>(to.picture);
}

void RunBarCard(Game& game, std::span<const BarCard> cards) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    const BarCard* card = findCard(cards, s.bossPattern());
    if (!card) return;
    const int t = b.timer;
    if (t < 0) {
        if (card->defeat) {
            DefeatSequence(game, t, *card->defeat);
        } else if (card->refillMaxHp > 0) {
            refill(game, cards, *card, t);
        }
        return;
    }
    if (t <= card->holdTo) b.hp = static_cast<float>(card->hold * b.maxHp);
    if (card->chargeTo >= 0) ChargeBurst(game, t, 0, card->chargeTo);
    if (t == card->pictureFrom && card->picture > 0) s.bossVar[1] = static_cast<float>(card->picture);
    if (b.hp <= card->endsAt * b.maxHp) {
        endCard(game, cards, *card);
        return;
    }
    if (card->attack) card->attack(game, t);
}

void GlideTo(Game& game, int t, float x, float y, int arrive) {
    Enemy& b = Boss(game);
    if (t > arrive) return;
    if (t == arrive) {
        b.speed = 0;
        return;
    }
    const double dx = x - b.x, dy = y - b.y;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance < 1) {
        b.speed = 0;
        return;
    }
    b.angle = static_cast<float>(BearingTo(b.x, b.y, x, y, 0));
    b.speed = static_cast<float>(distance / (arrive - t));
}

}  // namespace korvid
