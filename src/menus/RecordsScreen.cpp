// Screen 15, from the replay list (Right): the ten best games of each
// difficulty and character, and the spell cards of a difficulty with their
// history (a card never reached is listed without its name); a reached
// card can be played alone from there.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bosses/FightRegistry.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "menus/MenuText.h"
#include "menus/RecordsFile.h"
#include "menus/RecordsScreens.h"
#include "menus/SaveFailure.h"
#include "menus/TitleMenus.h"
#include "play/Hud.h"
#include "stages/Stage7.h"

namespace korvid {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF, kGrey = 0xFFB0B0B0, kYellowText = 0xFFFFFF00, kRed = 0xFFFF5050;
constexpr float kRowStep = 24;
constexpr int kCardRowsShown = 14;
constexpr int kScoresPage = 0, kCardsPage = 1;

std::string scoreText(std::int64_t score) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%12lld", static_cast<long long>(score));
    return buf;
}

std::string stageText(const ScoreRecord& r) {
    if (r.allClear) return "all clear";
    char buf[16];
    std::snprintf(buf, sizeof buf, "stage %d", r.stage);
    return buf;
}

bool reached(const RecordBook& book, int id, int difficulty) {
    const CardCounts* c = CardRecord(book, id, difficulty);
    return c && c->reached + c->practiceReached > 0;
}

// Where the cards page opens: on the first card reached (one that can be
// practised), or on the first row when none is.
int firstReachedRow(const RecordBook& book, const std::vector<int>& cards, int difficulty) {
    for (std::size_t i = 0; i < cards.size(); ++i)
        if (reached(book, cards[i], difficulty)) return static_cast<int>(i);
    return 0;
}

// Every card a game on the difficulty can meet, by id: the extra stage's
// on the extra page, the others' on the rest.
std::vector<int> listedCards(const Game& game, int difficulty) {
    const FightTable& fights = Fights(game);
    const bool extra = difficulty == kRecordDifficulties - 1;
    std::vector<int> ids;
    for (int id = 1; id < kRecordCardIds && id < kPatternIdLimit; ++id) {
        const PatternRow* row = fights.find(id).row;
        if (row && row->spell && (id >= kStage7MidBoss1.pattern) == extra) ids.push_back(id);
    }
    return ids;
}

void drawCardName(Game& game, int pattern, int difficulty, float x, float y, std::uint32_t colour) {
    int row = 0, width = 0;
    const GameState& s = game.state;
    if (!s.subMenuTexture || !SpellNameOf(pattern, difficulty, row, width)) return;
    const int e = std::min(difficulty, 2);
    const double texX = row <= 31 ? 0 : 320;
    const double texY = (row <= 31 ? (e + 4 * row + 2) : (e + 4 * row - 126)) * 19.2 - 16;
    DrawMenuRect(game, s.subMenuTexture, static_cast<float>(texX), static_cast<float>(texY), static_cast<float>(width),
                 19, x, y, colour, 0.85f);
}

void drawDamageNote(Game& game) {
    if (game.records && game.records->damaged) {
        DrawOutlinedText(game, MenuFont::List16, 40, 420, Say(game, "记录文件已损坏，未能读取（保存时另存为 records.dat.damaged）：",
                                "The records file is damaged and was not read (saving keeps it as records.dat.damaged):"), kRed);
        DrawOutlinedText(game, MenuFont::List16, 40, 440, game.records->problem, kRed);
    }
    DrawSaveFailure(game, kRecordsScreen, 40, 380);
}

void drawScoresPage(Game& game) {
    const Game::RecordsView& v = game.recordsView;
    DrawOutlinedText(game, MenuFont::Outline18, 40, 20, Say(game, "记录  ", "Records  ") + RecordTableTitle(v.difficulty, v.character, game.language == 1), kWhite);
    DrawOutlinedText(game, MenuFont::List16, 40, 48, Say(game, "←→ 难度   ↑↓ 角色   确定：符卡记录   取消：返回",
                         "←→ difficulty   ↑↓ pilot   confirm: spell cards   cancel: back"), kGrey);
    static const std::vector<ScoreRecord> kNone;
    const std::vector<ScoreRecord>* table = RecordTable(*game.records, v.difficulty, v.character);
    DrawRecordTable(game, table ? *table : kNone, -1, 40, 84);
}

void drawCardsPage(Game& game, const std::vector<int>& cards) {
    const Game::RecordsView& v = game.recordsView;
    char title[96];
    std::snprintf(title, sizeof title, "%s  %s", Say(game, "符卡记录", "Spell cards"), RecordDifficultyName(v.difficulty));
    DrawOutlinedText(game, MenuFont::Outline18, 40, 20, title, kWhite);
    char hint[160];
    if (game.language == 1)
        std::snprintf(hint, sizeof hint, "↑↓ choose   confirm: practise the card (pilot %d)   cancel: back", v.character);
    else
        std::snprintf(hint, sizeof hint, "↑↓ 选择   确定：符卡练习（角色 %d）   取消：返回", v.character);
    DrawOutlinedText(game, MenuFont::List16, 40, 48, hint, kGrey);
    if (cards.empty()) {
        DrawOutlinedText(game, MenuFont::List16, 40, 84, Say(game, "这个难度还没有遇到过符卡。", "No spell card met on this difficulty yet."), kWhite);
        return;
    }
    const int first = std::clamp(v.cardCursor - kCardRowsShown / 2, 0,
                                  std::max(0, static_cast<int>(cards.size()) - kCardRowsShown));
    for (int i = first; i < static_cast<int>(cards.size()) && i < first + kCardRowsShown; ++i) {
        const int id = cards[static_cast<std::size_t>(i)];
        const CardCounts& c = *CardRecord(*game.records, id, v.difficulty);
        const float y = 84 + kRowStep * static_cast<float>(i - first);
        const std::uint32_t colour = i == v.cardCursor ? kYellowText : kWhite;
        char line[128];
        // A card never met keeps its name to itself.
        if (!reached(*game.records, id, v.difficulty)) {
            std::snprintf(line, sizeof line, "No.%02d  %s", id, Say(game, "？？？", "???"));
            DrawOutlinedText(game, MenuFont::List16, 40, y, line, i == v.cardCursor ? kYellowText : kGrey);
            continue;
        }
        std::snprintf(line, sizeof line, "No.%02d  stage %d  history %d/%d  practice %d/%d", id, c.stage, c.captured,
                      c.reached, c.practiceCaptured, c.practiceReached);
        DrawOutlinedText(game, MenuFont::List16, 40, y, line, colour);
        drawCardName(game, id, v.difficulty, 390, y - 1, i == v.cardCursor ? kMenuSelected : kMenuOther);
    }
}

void leave(Game& game) {
    GameState& s = game.state;
    ClearSaveFailure(game, kRecordsScreen);
    SetSubMenuTexture(game, "Graphics/stagechose.png");
    s.screen = 5;
    s.stage = 0;
    s.menuCursor = 0;
    game.replaySlots.read = false;
}

void handleKeys(Game& game, const std::vector<int>& cards) {
    GameState& s = game.state;
    Game::RecordsView& v = game.recordsView;
    if (!game.engine.System_IsForeground()) return;
    if (v.page == kScoresPage) {
        if (TakeLatched(s.latchRight, MenuRightHeld(game))) v.difficulty = (v.difficulty + 1) % kRecordDifficulties;
        if (TakeLatched(s.latchLeft, MenuLeftHeld(game)))
            v.difficulty = (v.difficulty + kRecordDifficulties - 1) % kRecordDifficulties;
        if (TakeLatched(s.latchDown, MenuDownHeld(game))) v.character = v.character % kRecordCharacters + 1;
        if (TakeLatched(s.latchUp, MenuUpHeld(game)))
            v.character = (v.character + kRecordCharacters - 2) % kRecordCharacters + 1;
    } else if (!cards.empty()) {
        const int n = static_cast<int>(cards.size());
        if (TakeLatched(s.latchDown, MenuDownHeld(game))) v.cardCursor = (v.cardCursor + 1) % n;
        if (TakeLatched(s.latchUp, MenuUpHeld(game))) v.cardCursor = (v.cardCursor + n - 1) % n;
    }
    if (TakeLatched(s.latchConfirm, MenuConfirmHeld(game))) {
        if (v.page == kScoresPage) {
            v.page = kCardsPage;
            v.cardCursor = firstReachedRow(*game.records, cards, v.difficulty);
        } else if (!cards.empty() && reached(*game.records, cards[static_cast<std::size_t>(v.cardCursor)], v.difficulty)) {
            const int id = cards[static_cast<std::size_t>(v.cardCursor)];
            StartSpellPractice(game, id, CardRecord(*game.records, id, v.difficulty)->stage, v.difficulty, v.character);
        }
        return;
    }
    if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) {
        if (v.page == kCardsPage) v.page = kScoresPage;
        else leave(game);
    }
}

}  // namespace

const char* RecordDifficultyName(int difficulty) {
    static constexpr const char* kNames[kRecordDifficulties] = {"Easy", "Normal", "Hard", "Extra"};
    return difficulty >= 0 && difficulty < kRecordDifficulties ? kNames[difficulty] : "?";
}

std::string RecordTableTitle(int difficulty, int character, bool english) {
    char buf[64];
    std::snprintf(buf, sizeof buf, english ? "%s  Pilot %d" : "%s  角色 %d", RecordDifficultyName(difficulty), character);
    return buf;
}

void DrawRecordTable(Game& game, const std::vector<ScoreRecord>& table, int highlight, float x, float y) {
    for (int i = 0; i < kRecordPlaces; ++i) {
        const float rowY = y + kRowStep * static_cast<float>(i);
        const std::uint32_t colour = i == highlight ? kYellowText : kWhite;
        char place[8];
        std::snprintf(place, sizeof place, "%2d.", i + 1);
        DrawOutlinedText(game, MenuFont::List16, x, rowY, place, colour);
        if (i >= static_cast<int>(table.size())) {
            DrawOutlinedText(game, MenuFont::List16, x + 36, rowY, "--------", kGrey);
            continue;
        }
        const ScoreRecord& r = table[static_cast<std::size_t>(i)];
        DrawOutlinedText(game, MenuFont::List16, x + 36, rowY, r.name, colour);
        DrawOutlinedText(game, MenuFont::List16, x + 170, rowY, scoreText(r.score), colour);
        DrawOutlinedText(game, MenuFont::List16, x + 300, rowY, stageText(r), colour);
        if (r.continued) DrawOutlinedText(game, MenuFont::List16, x + 380, rowY, Say(game, "续关", "cont."), colour);
        DrawOutlinedText(game, MenuFont::List16, x + 430, rowY, r.date, colour);
    }
}

void OpenRecordsScreen(Game& game) {
    GameState& s = game.state;
    Game::RecordsView& v = game.recordsView;
    v.page = kScoresPage;
    v.cardCursor = 0;
    v.character = std::clamp(v.character, 1, kRecordCharacters);
    v.difficulty = std::clamp(v.difficulty, 0, kRecordDifficulties - 1);
    SetSubMenuTexture(game, "Graphics/scname.png");
    SetAllMenuLatches(s);
    s.screen = kRecordsScreen;
}

void RunRecordsScreen(Game& game) {
    if (!game.records) game.records = std::make_unique<RecordBook>();
    const std::vector<int> cards = listedCards(game, game.recordsView.difficulty);
    game.recordsView.cardCursor = std::clamp(game.recordsView.cardCursor, 0, std::max(0, static_cast<int>(cards.size()) - 1));
    if (game.recordsView.page == kScoresPage) drawScoresPage(game);
    else drawCardsPage(game, cards);
    drawDamageNote(game);
    handleKeys(game, cards);
}

}  // namespace korvid
