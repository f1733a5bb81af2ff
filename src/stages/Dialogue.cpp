#include "stages/Dialogue.h"

#include <algorithm>

#include "engine/OutlinedSprite.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"

namespace korvid {

namespace {

constexpr int kS1Pair[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12};
constexpr int kS1Third[] = {1, 2, 3, 5, 6, 7};
constexpr int kS2Pair[] = {1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15, 16, 17, 19, 20};
constexpr int kS2Third[] = {1, 2, 3, 4, 6, 7, 8, 9, 10, 11};
constexpr int kS3Mid[] = {1, 2, 3, 4, 6, 7};
constexpr int kS3Pair[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 16, 17, 19, 20};
constexpr int kS3Third[] = {1, 2, 3, 4, 5, 7, 9, 10, 11, 12, 13, 14};
constexpr int kS4First[] = {1, 2, 3, 4, 6, 7, 9, 10, 11, 12, 13};
constexpr int kS4Second[] = {1, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13};
constexpr int kS4Third[] = {1, 2, 3, 4, 6, 8, 9, 10, 11, 12};
constexpr int kS5First[] = {1, 3, 4, 5, 7, 10, 11};
constexpr int kS5Second[] = {1, 2, 3, 4, 5, 6, 8, 10, 11};
constexpr int kS5Third[] = {1, 2, 3, 4, 6, 7, 8, 9, 11, 12, 13};
constexpr int kS6EarlyFirst[] = {1, 3, 5, 6, 8, 9};
constexpr int kS6EarlySecond[] = {1, 3, 4, 5, 6, 7};
constexpr int kS6EarlyThird[] = {1, 2, 3, 4, 5, 7};
constexpr int kS6LateFirst[] = {1, 2, 3, 4, 5, 6, 7, 8};
constexpr int kS6LateOthers[] = {1, 2, 3, 5, 6, 7, 9, 10};

constexpr float kBoxZ = 0.21f;

// The conversations whose first five pages turn by time, and after how many
// frames a page is due.
bool timedPages(const GameState& s) {
    return (s.stage == 3 && s.bossPattern() == 14) || (s.stage == 6 && s.bossPattern() < 46);
}
int timedPageFrames(const GameState& s) { return s.stage == 6 ? 150 : 90; }

void drawPage(Game& game, std::span<const int> lines) {
    GameState& s = game.state;
    if (s.dialogueTextAlpha < 255) s.dialogueTextAlpha = std::min(s.dialogueTextAlpha + 10, 255);
    if (!game.uiSprite) return;
    Sprite& ui = *game.uiSprite;
    ui.SetZ(kBoxZ);
    ui.SetHotSpot(0, 0);
    ui.SetColor(0xFFFFFFFF);
    ui.SetTexture(s.textures[17]);
    ui.SetTextureRect(0, 0, 352, 80);
    ui.Render(48, 364);

    const int p = s.dialoguePage;
    const int last = std::min<int>(s.dialoguePageCount, static_cast<int>(lines.size()) - 1);
    if (p < 1 || p > last) return;
    const double h = DialogueLineHeight(s.stage, s.character);
    const std::uint32_t alpha = static_cast<std::uint32_t>(std::clamp(s.dialogueTextAlpha, 0, 255));
    ui.SetTexture(s.textures[44]);
    ui.SetTextureRect(0, static_cast<float>(lines[p - 1] * h - 16), 320,
                      static_cast<float>((lines[p] - lines[p - 1]) * h));
    RenderOutlined(ui, 56, 372, 1.0f, (alpha << 24) | 0x00FFFFFFu);  // a dark rim keeps it readable
    ui.SetColor(0xFFFFFFFF);
}

void turnPage(Game& game) {
    GameState& s = game.state;
    s.dialogueKeyLatch = 1;
    s.dialogueShootReleased = 0;
    s.dialogueTextAlpha = 5;
    s.dialoguePage += 1;
    s.dialoguePageStart = s.stageFrame;
    if (s.dialoguePage <= s.dialoguePageCount) return;
    s.dialogueActive = 0;
    // These bosses resume their pattern just after the frame it began on.
    const bool resumes = s.stage == 5 || (s.stage == 6 && s.bossPattern() > 45);
    s.bossTimer() = resumes ? 101 : 0;
}

}  // namespace

std::span<const int> DialoguePageLines(int stage, int character, int bossPattern) {
    const bool third = character == 3;
    switch (stage) {
    case 1: return third ? std::span<const int>(kS1Third) : std::span<const int>(kS1Pair);
    case 2: return third ? std::span<const int>(kS2Third) : std::span<const int>(kS2Pair);
    case 3:
        if (bossPattern == 14) return kS3Mid;
        return third ? std::span<const int>(kS3Third) : std::span<const int>(kS3Pair);
    case 4: return character == 1 ? std::span<const int>(kS4First)
                                  : (character == 2 ? std::span<const int>(kS4Second) : std::span<const int>(kS4Third));
    case 5: return character == 1 ? std::span<const int>(kS5First)
                                  : (character == 2 ? std::span<const int>(kS5Second) : std::span<const int>(kS5Third));
    case 6:
        if (bossPattern < 46)
            return character == 1 ? std::span<const int>(kS6EarlyFirst)
                                  : (character == 2 ? std::span<const int>(kS6EarlySecond)
                                                    : std::span<const int>(kS6EarlyThird));
        return character == 1 ? std::span<const int>(kS6LateFirst) : std::span<const int>(kS6LateOthers);
    default: return {};
    }
}

double DialogueLineHeight(int stage, int character) { return (character == 3 || stage >= 4) ? 16.2 : 16.8; }

bool StartTalk(Game& game, const OpeningTalk& talk) {
    const int c = game.state.character;
    const int last = (c >= 1 && c <= 3) ? talk.last[c - 1] : 0;
    if (last <= 0) return false;
    StartConversation(game, Conversation{talk.first, last, KeyLatch::Set, talk.start});
    return true;
}

void StartConversation(Game& game, const Conversation& talk) {
    GameState& s = game.state;
    s.dialoguePage = talk.first;
    s.dialoguePageCount = talk.last;
    if (talk.latch == KeyLatch::Set) s.dialogueKeyLatch = 1;
    if (talk.start == PageStart::Stamp) s.dialoguePageStart = s.stageFrame;
    // A conversation starts from a clean slate: faint text, Shoot not yet
    // seen released, its own call count at 0.
    s.dialogueTextAlpha = 5;
    s.dialogueShootReleased = 0;
    s.dialogueTicks = 0;
    s.dialogueActive = 1;
}

void PrepareConversation(Game& game, const Conversation& talk) {
    GameState& s = game.state;
    if (talk.latch == KeyLatch::Set) s.dialogueKeyLatch = 1;
    s.dialoguePage = talk.first;
    s.dialoguePageCount = talk.last;
    s.dialoguePageStart = s.stageFrame;
}

bool OpenPreparedConversation(Game& game) {
    GameState& s = game.state;
    if (s.dialogueActive || s.dialoguePage < 1 || s.dialoguePage > s.dialoguePageCount) return false;
    StartConversation(game, Conversation{s.dialoguePage, s.dialoguePageCount, KeyLatch::Set, PageStart::Stamp});
    return true;
}

void CloseConversation(Game& game) {
    GameState& s = game.state;
    const bool waiting = s.dialoguePage >= 1 && s.dialoguePage <= s.dialoguePageCount;
    if (!s.dialogueActive && !waiting) return;
    s.dialogueActive = 0;
    s.dialoguePage = s.dialoguePageCount + 1;
}

void RunDialogue(Game& game) {
    GameState& s = game.state;
    const std::span<const int> lines = DialoguePageLines(s.stage, s.character, s.bossPattern());
    // Both keys are asked every call, whatever follows: the questions are
    // what a recording keeps.
    const bool shoot = IsKeyHeld(game, KeyShoot);
    const bool fastForward = IsKeyHeld(game, KeyFastForward);
    const int tick = s.dialogueTicks;
    s.dialogueTicks += 1;

    int mode = 1;  // 1 keys, 0 waiting for time, 2 the page is due
    if (timedPages(s)) {
        mode = s.dialoguePage > 5 ? 1 : 0;
        if (mode == 0 && s.stageFrame - s.dialoguePageStart > timedPageFrames(s)) mode = 2;
    }

    drawPage(game, lines);

    if (s.replayPlaying && s.stageFrame >= kReplayFramesPerStage) {
        // Nothing is recorded after the stage's end: pages turn by time.
        if (tick % 4 == 0) {
            turnPage(game);
        } else {
            s.dialogueKeyLatch = 0;
        }
    } else {
        const bool byKey = mode != 0 && s.dialogueShootReleased == 1.0f && (shoot || (fastForward && tick % 4 == 0));
        if (!byKey && mode != 2) {
            s.dialogueKeyLatch = 0;
        } else if (!(s.dialogueKeyLatch == 1 && !fastForward)) {
            turnPage(game);
        }
    }
    if (!shoot) s.dialogueShootReleased = 1;
}

}  // namespace korvid
