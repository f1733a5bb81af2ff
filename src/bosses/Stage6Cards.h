// The stage-6 boss's cards, one attack each (t is the boss timer), with the
// work some of them do when they end. Each attack's design is written at its
// head; the bar they share is in Stage6Boss.cpp.
#pragma once

namespace korvid {

struct Game;

// Stage6CardsEarly.cpp
void Card46(Game& game, int t);   // the bombs' card: tiny streams, only bombs hurt
void Card46Ended(Game& game);
void Card47(Game& game, int t);   // four familiars on an orbit
void Card48(Game& game, int t);   // lanterns from the top that eat bullets
void Card49(Game& game, int t);   // great orbs thrown out and called back

// Stage6CardsMiddle.cpp
void Card50(Game& game, int t);   // blades from four muzzles, in four phases
void Card51(Game& game, int t);   // two-speed rings
void Card52(Game& game, int t);   // great bullets that split
void Card53(Game& game, int t);   // phasing and bouncing streams

// Stage6CardsLate.cpp
void Card54(Game& game, int t);   // volleys born at the field's centre
void Card55(Game& game, int t);   // columns from the top and bottom edges
void Card56(Game& game, int t);   // bursts that lead the ship
void Card57(Game& game, int t);   // unseen emitters and their widening rings

// Stage6SlotMachine.cpp
void Card58(Game& game, int t);   // the slot machine (Easy: lasers and streams)

// Stage6CardsLast.cpp
void Card59(Game& game, int t);   // the partners, waiting rings and lasers
void Card60(Game& game, int t);   // crossing spirals and a gapped ring
// Where the stage goes once card 60 has fallen (the boss already removed).
void Stage6AfterLastCard(Game& game);

// Bullet codes 85 and 86: card 54's emitters and drifting balls.
void Stage6EmitterBullet(Game& game, int slot);

}  // namespace korvid
