// Conversations before (and after) boss fights: pages of a pre-drawn text
// picture shown in a box at the foot of the field, turned by Shoot, by
// FastForward or by time. RunDialogue (game/FrameSteps.h) draws and pages.
#pragma once

#include <span>

namespace korvid {

struct Game;

// Opens pages first..last of the stage's conversation. `latched` keeps the
// first page from turning on a key already down; `stampStart` records the
// start frame (timed pages count from it).
void StartConversation(Game& game, int first, int last, bool latched = true, bool stampStart = false);

// First line of each page (index 0 first) for the stage, character and boss
// pattern; page p shows lines L[p-1] .. L[p]-1. Empty for stage 7.
std::span<const int> DialoguePageLines(int stage, int character, int bossPattern);
// Height in pixels of one text line in the stage's dialogue picture.
double DialogueLineHeight(int stage, int character);

}  // namespace korvid
