#include "app/TitleDemo.h"

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/Resources.h"
#include "play/StageFlow.h"

namespace korvid {

namespace {

constexpr int kLogoEnd = 200;    // the title's frames before the main menu shows
constexpr int kDemoStages = 6;   // the practice stages, shown in turn
constexpr int kDemoCharacters = 3;
constexpr int kDemoDifficulty = 1;  // Normal

void freeTexture(Engine& e, HTEXTURE& t) {
    e.Texture_Free(t);
    t = 0;
}

}  // namespace

void TitleDemo::beforeFrame(Game& game, bool playerKey) {
    GameState& s = game.state;
    if (running()) {
        played_ += 1;
        // The play handed over to another screen or a menu (a lost focus,
        // the game-over prompt), the stage cleared, or the minute is up.
        const bool ended = s.screen != 10 || s.pauseState != 0 || s.stageCleared != 0 || pilot_->over();
        if (playerKey || ended || played_ > length_) stop(game);
        return;
    }
    const bool onMenu = s.screen == 0 && s.pauseState == 0 && s.stageFrame > kLogoEnd;
    if (!onMenu || playerKey || !game.engine.System_IsForeground()) {
        idle_ = 0;
        return;
    }
    if (++idle_ >= idleFrames_) start(game);
}

// As the menus would start a stage practice, with the records put aside.
void TitleDemo::start(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    idle_ = 0;
    played_ = 0;
    records_ = std::move(game.records);
    difficulty_ = s.difficulty;
    character_ = s.character;
    practiceMode_ = s.practiceMode;
    panelCounter_ = s.panelCounter;
    bestScore_ = s.bestScore;

    s.stage = count_ % kDemoStages + 1;
    s.character = count_ % kDemoCharacters + 1;
    s.difficulty = kDemoDifficulty;
    count_ += 1;
    s.practiceMode = 1;
    s.spellPracticeCard = 0;
    s.power = 0;
    s.menuCursor = 0;
    s.menuScroll = 0;
    s.shotTimer = 0;
    LoadCharacterSheets(game, s.character);
    for (HTEXTURE* t : {&s.titleMenuTexture, &s.cardTexture, &s.subMenuTexture, &s.titleTexture}) freeTexture(e, *t);
    e.Stream_Free(s.bgmStream);
    s.bgmStream = 0;
    s.bgmChannel = 0;
    s.screen = 10;
    s.maxPowerFrames = 0;
    StartRoutine(game);
    pilot_ = std::make_unique<Autopilot>();
}

void TitleDemo::stop(Game& game) {
    GameState& s = game.state;
    pilot_.reset();
    // Nothing of the demo's play is kept, not even in the counters the
    // title does not show: the title's own clock is set on the way back.
    ResetPlayRecords(s);
    QuitToTitle(game, /*freePauseTextures=*/true);
    game.records = std::move(records_);
    s.difficulty = difficulty_;
    s.character = character_;
    s.practiceMode = static_cast<std::uint8_t>(practiceMode_);
    s.panelCounter = panelCounter_;
    s.bestScore = bestScore_;
    idle_ = 0;
}

void DrawDemoCaption(Game& game) {
    if (!game.menuFont || game.state.stageFrame % 60 >= 40) return;
    game.menuFont->Render(176, 300, "DEMO PLAY");
}

}  // namespace korvid
