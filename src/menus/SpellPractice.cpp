// Spell practice: one card a player has reached, played alone on its stage
// with practice rules (practice lives, no game record). The boss comes in
// at that card as soon as the stage has set its scene up; a while after the
// card ends the run ends as a practice stage does, on the replay save
// screen. A replay of the run carries the card, so playback brings the boss
// in on the same frame.
#include "bosses/FightRegistry.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "menus/RecordsScreens.h"
#include "play/Resources.h"
#include "play/StageFlow.h"
#include "stages/StageClearHandOver.h"
#include "stages/StageScript.h"

namespace korvid {

namespace {

constexpr int kExtraStage = 7;
constexpr int kExtraOpeningEnd = 601;  // the extra stage's frozen opening is over
constexpr int kWaiting = 0, kRunning = 1, kEnded = 2;
constexpr int kFramesAfterEnd = 90;    // the bonus caption and the items, then the end

bool cardRuns(const GameState& s) {
    return s.bossActive && !s.enemies.free[kBossSlot] && s.spellActive && s.bossPattern() == s.spellPracticeCard;
}

}  // namespace

void StartSpellPractice(Game& game, int card, int stage, int difficulty, int character) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (card <= 0 || stage < 1 || stage > kExtraStage) return;
    for (HTEXTURE* t : {&s.titleMenuTexture, &s.cardTexture, &s.subMenuTexture, &s.titleTexture}) {
        e.Texture_Free(*t);
        *t = 0;
    }
    e.Stream_Free(s.bgmStream);
    s.bgmStream = 0;
    s.bgmChannel = 0;
    s.difficulty = stage == kExtraStage ? 3 : difficulty;
    s.character = character;
    LoadCharacterSheets(game, character);
    s.practiceMode = 1;
    s.spellPracticeCard = card;
    s.spellPracticePhase = kWaiting;
    s.replayPlaying = 0;
    s.optionSpread = 32;
    s.optionLift = 0;
    s.menuCursor = 0;
    s.menuScroll = 0;
    s.shotTimer = 0;
    s.maxPowerFrames = 0;
    s.stage = stage;
    s.screen = 10;
    StartRoutine(game);
}

void SpellPracticeStep(Game& game) {
    GameState& s = game.state;
    if (!s.spellPracticeCard || s.screen != 10 || s.pauseState != 0) return;
    if (s.spellPracticePhase == kWaiting) {
        if (s.stageFrame < -1) return;
        if (s.stage == kExtraStage) JumpStageClock(game, kExtraOpeningEnd);
        s.spellPracticePhase = BringInFightAt(game, s.spellPracticeCard) ? kRunning : kEnded + kFramesAfterEnd;
        return;
    }
    if (s.spellPracticePhase == kRunning) {
        if (!cardRuns(s)) s.spellPracticePhase = kEnded;
        return;
    }
    if (s.spellPracticePhase < kEnded + kFramesAfterEnd) {
        s.spellPracticePhase += 1;
        return;
    }
    // A replay of the run ends on its own recorded frames.
    if (s.replayPlaying || s.gameFinished) return;
    GoToReplaySave(game);
}

}  // namespace korvid
