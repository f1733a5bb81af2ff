// Screen 14: a finished game that made its table takes a name. The table
// shows with the new row in place; Enter (or Escape) writes the name in and
// saves the records, then the game goes on where it was going.
#include <ctime>

#include "engine/Utf8.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "menus/MenuText.h"
#include "menus/RecordsFile.h"
#include "menus/RecordsScreens.h"
#include "menus/SaveFailure.h"

namespace korvid {

namespace {

constexpr int kBoxTileTexture = 25;
constexpr std::size_t kNameChars = 12;
constexpr const char* kNoName = "无名";
constexpr float kBoxX = 200, kBoxY = 96, kBoxW = 160, kBoxH = 20;
constexpr float kTableX = 60, kTableY = 150;

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y/%m/%d", &local);
    return buf;
}

// The typed name, cut to what the file keeps, blanks at the ends dropped.
std::string cleanName(const std::u32string& typed) {
    std::u32string name;
    for (char32_t c : typed)
        if (c >= 0x20 && c != 0x7F && name.size() < kNameChars) name += c;
    while (!name.empty() && name.back() == U' ') name.pop_back();
    while (!name.empty() && name.front() == U' ') name.erase(name.begin());
    std::string utf8 = EncodeUtf8(name);
    while (utf8.size() > kRecordNameBytes) {
        name.pop_back();
        utf8 = EncodeUtf8(name);
    }
    return utf8.empty() ? kNoName : utf8;
}

void finish(Game& game) {
    Game::PendingRecord& p = game.pendingRecord;
    p.entry.name = cleanName(game.nameBox ? game.nameBox->Text() : std::u32string{});
    game.nameBox.reset();
    EnterRecord(*game.records, p.difficulty, p.character, p.entry);
    if (!SaveGameRecords(game)) ReportSaveFailure(game, kRecordsScreen, kRecordsFileName);
    p.open = false;
    GameState& s = game.state;
    SetAllMenuLatches(s);
    if (p.then == 12) {
        s.screen = 12;
        return;
    }
    QuitToTitle(game, /*freePauseTextures=*/true);
}

}  // namespace

bool OfferRecordEntry(Game& game, bool allClear, bool thenSaveScreen) {
    GameState& s = game.state;
    if (!game.records || s.replayPlaying || s.practiceMode || s.spellPracticeCard) return false;
    Game::PendingRecord p;
    p.entry = GameOutcome(game, allClear);
    p.entry.date = today();
    p.difficulty = s.difficulty;
    p.character = s.character;
    p.place = RecordPlace(*game.records, p.difficulty, p.character, p.entry.score);
    if (p.place < 0) return false;
    p.open = true;
    p.then = thenSaveScreen ? 12 : 0;
    game.pendingRecord = p;
    if (!game.textBoxFont) game.textBoxFont = MakeTextBoxFont(game);
    if (!game.nameBoxGroup) game.nameBoxGroup = std::make_unique<TextInputGroup>(game.engine);
    game.nameBox = std::make_unique<TextInputBox>(*game.nameBoxGroup, *game.textBoxFont, s.textures[kBoxTileTexture],
                                                  kBoxW, kBoxH);
    game.nameBoxGroup->Focus(game.nameBox.get());
    SetAllMenuLatches(s);
    s.screen = kNameEntryScreen;
    return true;
}

void NameEntryFrame(Game& game) {
    GameState& s = game.state;
    const Game::PendingRecord& p = game.pendingRecord;
    if (!p.open || !game.records || !game.nameBox) {
        QuitToTitle(game, true);
        return;
    }
    game.nameBoxGroup->Update();
    DrawOutlinedText(game, MenuFont::Outline18, kTableX, 30, Say(game, "新纪录！", "New record!"), 0xFFFFFF00);
    DrawOutlinedText(game, MenuFont::List16, kTableX, 60, RecordTableTitle(p.difficulty, p.character, game.language == 1), 0xFFFFFFFF);
    DrawOutlinedText(game, MenuFont::List16, kTableX, kBoxY + 2, Say(game, "玩家名称", "Your name"), 0xFFFFFFFF);
    game.nameBox->Render(kBoxX, kBoxY);
    DrawMenuText(game, MenuFont::List16, kBoxX + kBoxW + 16, kBoxY + 2, "Enter", 0xFFC0C0C0);

    // The table as it will be, the new game in its place.
    std::vector<ScoreRecord> shown = *RecordTable(*game.records, p.difficulty, p.character);
    ScoreRecord entry = p.entry;
    entry.name = cleanName(game.nameBox->Text());
    shown.insert(shown.begin() + p.place, entry);
    if (shown.size() > kRecordPlaces) shown.resize(kRecordPlaces);
    DrawRecordTable(game, shown, p.place, kTableX, kTableY);

    Engine& e = game.engine;
    if (!e.System_IsForeground()) return;
    const bool enter = TakeLatched(s.latchConfirm, e.Input_GetKeyState(VK_RETURN));
    const bool escape = TakeLatched(s.latchCancel, e.Input_GetKeyState(VK_ESCAPE));
    if (enter || escape) finish(game);
}

}  // namespace korvid
