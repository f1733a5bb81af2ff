// Conversations before (and after) boss fights: pages of a pre-drawn text
// picture shown in a box at the foot of the field, turned by Shoot, by
// FastForward or by time. RunDialogue (game/FrameSteps.h) draws and pages.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace korvid {

struct Game;

// Whether a conversation keeps the first page from turning on a key that
// is already down when it opens.
enum class KeyLatch : std::uint8_t { Set, Leave };
// Whether it records its start frame (timed pages count from it).
enum class PageStart : std::uint8_t { Leave, Stamp };

struct Conversation {
    int first = 1;
    int last = 0;
    KeyLatch latch = KeyLatch::Set;
    PageStart start = PageStart::Leave;
};
// Opens pages first..last of the stage's conversation.
void StartConversation(Game& game, const Conversation& talk);

// A conversation chosen by character, as boss entries and closing talks
// name it: pages first..last[character - 1]; a last page of 0 means none.
struct OpeningTalk {
    int first = 1;
    std::array<int, 3> last{};
    PageStart start = PageStart::Leave;
};
// Starts `talk` for the game's character; false when it has no pages.
bool StartTalk(Game& game, const OpeningTalk& talk);

// A conversation the stage makes ready for its boss to open later (stage 6):
// the pages and the key latch are set, nothing shows yet.
void PrepareConversation(Game& game, const Conversation& talk);
// Opens the pages made ready, if any are waiting, with the page start
// stamped now (timed pages count from the opening, not from the
// preparation). False when no pages wait.
bool OpenPreparedConversation(Game& game);

// Ends the conversation on show, or the one made ready, at once: nothing
// shows and nothing waits to open (a fight put in its boss's place). The
// boss's timer is left as it is.
void CloseConversation(Game& game);

// First line of each page (index 0 first) for the stage, character and boss
// pattern; page p shows lines L[p-1] .. L[p]-1. Empty for stage 7.
std::span<const int> DialoguePageLines(int stage, int character, int bossPattern);
// Height in pixels of one text line in the stage's dialogue picture.
double DialogueLineHeight(int stage, int character);

}  // namespace korvid
