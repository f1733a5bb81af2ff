// Screens 12 and 13: the slot list, the four text boxes of a replay about to
// be saved (name, player, key, description), the date, the mouse pointer,
// and the confirmation before a slot's replay is overwritten.
#include <ctime>

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "menus/GbkText.h"
#include "menus/MenuText.h"
#include "menus/ReplaySave.h"
#include "menus/SaveFailure.h"
#include "menus/ReplayScreens.h"
#include "menus/ReplaySlots.h"

namespace korvid {

namespace {

enum Box { NameBox, PlayerBox, KeyBox, DescriptionBox, kBoxCount };

struct BoxPlace {
    float x, y, w, h;
};
constexpr BoxPlace kBoxPlaces[kBoxCount] = {
    {240, 42, 160, 20}, {240, 90, 160, 20}, {240, 138, 80, 20}, {240, 186, 160, 200}};
constexpr float kCreatedSize = 122;  // boxes are made this size, then placed
// The shade behind the slot list (rows from y 18, 22 apart, 20 of them).
constexpr float kShadeX = 14, kShadeY = 14, kShadeW = 216, kShadeH = 452;
constexpr std::uint32_t kShadeColor = 0xC0000000;
// A failed save's note, under the date.
constexpr float kFailureX = 240;
constexpr float kFailureY = 414;

constexpr int kPointerTexture = 9;
constexpr int kBoxTileTexture = 25;

bool boxesOpen(const Game& game) { return game.saveBoxes[0] != nullptr; }

void closeBoxes(Game& game) {
    for (auto& box : game.saveBoxes) box.reset();
}

void drawPointer(Game& game) {
    float mx = 0, my = 0;
    game.engine.Input_GetMousePos(&mx, &my);
    Sprite& ui = *game.uiSprite;
    ui.SetTexture(game.state.textures[kPointerTexture]);
    ui.SetTextureRect(420, 422, 32, 32);
    ui.SetHotSpot(0, 0);
    ui.SetZ(0.05f);
    ui.SetColor(0xFFFFFFFF);
    ui.Render(mx, my);
}

void drawConfirmation(Game& game) {
    Sprite& ui = *game.uiSprite;
    ui.SetTexture(game.state.textures[kPointerTexture]);
    ui.SetTextureRect(0, 0, 256, 100);
    ui.SetHotSpot(0, 0);
    ui.SetZ(0.05f);
    ui.SetColor(0xFFFFFFFF);
    ui.Render(200, 200);
}

// A dark shade behind the slot list: the paused field shows through the
// screen, and its own counters must not read as part of a slot's row.
void drawListShade(Game& game) {
    Sprite& ui = *game.uiSprite;
    ui.SetTexture(0);
    ui.SetTextureRect(0, 0, kShadeW, kShadeH);
    ui.SetHotSpot(0, 0);
    ui.SetZ(0.5f);
    ui.SetColor(kShadeColor);
    ui.Render(kShadeX, kShadeY);
    ui.SetColor(0xFFFFFFFF);
}

void drawDate(Game& game) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    DrawMenuText(game, MenuFont::List16, 240, 390, ReplayDateLine(local), 0xFFFFFFFF);
}

ReplayTexts typedTexts(const Game& game) {
    ReplayTexts t;
    t.name = game.saveBoxes[NameBox]->GetText();
    t.player = game.saveBoxes[PlayerBox]->GetText();
    t.key = game.saveBoxes[KeyBox]->GetText();
    t.description = game.saveBoxes[DescriptionBox]->GetText();
    return t;
}

void save(Game& game) {
    SaveReplayToSlot(game, game.state.menuCursor + 1, typedTexts(game));
    ReadReplaySlots(game);
}

void cancelSaveScreen(Game& game) {
    GameState& s = game.state;
    closeBoxes(game);
    ClearSaveFailure(game, 12);
    game.replaySlots.read = false;
    if (s.gameFinished) {
        QuitToTitle(game, /*freePauseTextures=*/false);
        return;
    }
    s.screen = 10;  // back to the pause menu
}

void handleKeys(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (!e.System_IsForeground() || game.textBoxGroup->Focused()) return;
    if (s.screen == 12) {
        if (TakeLatched(s.latchDown, e.Input_GetKeyState(VK_DOWN))) s.menuCursor = (s.menuCursor + 1) % kReplaySlots;
        if (TakeLatched(s.latchUp, e.Input_GetKeyState(VK_UP)))
            s.menuCursor = (s.menuCursor + kReplaySlots - 1) % kReplaySlots;
    }
    if (TakeLatched(s.latchConfirm, MenuConfirmHeld(game))) {
        // An empty slot has nothing to overwrite: it is saved at once.
        const bool occupied = game.replaySlots.slots[s.menuCursor].status != ReplaySlotSummary::Missing;
        if (s.screen == 12 && occupied)
            s.screen = 13;
        else
            save(game);
        return;
    }
    if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) {
        if (s.screen == 13)
            s.screen = 12;
        else
            cancelSaveScreen(game);
    }
}

}  // namespace

void OpenReplaySaveScreen(Game& game) {
    GameState& s = game.state;
    if (!game.textBoxFont) game.textBoxFont = MakeTextBoxFont(game);
    if (!game.textBoxGroup) game.textBoxGroup = std::make_unique<TextInputGroup>(game.engine);
    closeBoxes(game);
    ClearSaveFailure(game, 12);
    for (int i = 0; i < kBoxCount; ++i) {
        auto box = std::make_unique<TextInputBox>(*game.textBoxGroup, *game.textBoxFont, s.textures[kBoxTileTexture],
                                                  kCreatedSize, kCreatedSize);
        box->SetSize(kBoxPlaces[i].w, kBoxPlaces[i].h);
        box->SetAcceptFilter(GbkCanHold);
        game.saveBoxes[static_cast<std::size_t>(i)] = std::move(box);
    }
    game.saveBoxes[KeyBox]->SetDigitsOnly(true);
    game.replaySlots.read = false;
    s.screen = 12;
    s.menuCursor = 0;
}

void ReplaySaveFrame(Game& game) {
    GameState& s = game.state;
    // Nothing of a replay being watched is saved again.
    if (s.replayPlaying && s.screen == 12) {
        cancelSaveScreen(game);
        return;
    }
    if (!boxesOpen(game)) OpenReplaySaveScreen(game);
    if (!game.replaySlots.read) ReadReplaySlots(game);

    game.textBoxGroup->Update();
    drawListShade(game);
    DrawReplaySlotRows(game, 18, 255);
    DrawReplayLabels(game);
    for (int i = 0; i < kBoxCount; ++i) game.saveBoxes[static_cast<std::size_t>(i)]->Render(kBoxPlaces[i].x, kBoxPlaces[i].y);
    drawDate(game);
    DrawSaveFailure(game, 12, kFailureX, kFailureY);
    if (s.screen == 13) drawConfirmation(game);
    drawPointer(game);
    handleKeys(game);
}

}  // namespace korvid
