// Screens 5 and 7: the slot list over the dimmed title, the chosen slot's
// texts, and the choice of the recorded stage to start from.
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "game/Input.h"
#include "menus/MenuText.h"
#include "menus/RecordsScreens.h"
#include "menus/ReplayScreens.h"
#include "menus/ReplaySlots.h"
#include "menus/TitleMenus.h"
#include "play/Resources.h"
#include "play/StageFlow.h"

namespace korvid {

namespace {

constexpr int kReplaysEntry = 3;  // the main menu's Replays entry
constexpr std::uint32_t kYellow = 0x00FFFF00;
constexpr int kRefusedSound = 34;

void drawSlotTexts(Game& game, const ReplaySlotSummary& slot) {
    DrawMenuText(game, MenuFont::List16, 250, 44, slot.name, 0xFFFFFFFF);
    DrawMenuText(game, MenuFont::List16, 250, 92, slot.player, 0xFFFFFFFF);
    DrawMenuText(game, MenuFont::List16, 250, 140, Say(game, "你猜呀", "(secret)"), 0xFFFFFFFF);
    for (std::size_t i = 0; i < slot.description.size() && i < 10; ++i)
        DrawMenuText(game, MenuFont::List16, 250, 188 + 20 * static_cast<float>(i), slot.description[i], 0xFFFFFFFF);
    DrawMenuText(game, MenuFont::List16, 240, 390, slot.date, 0xFFFFFFFF);
    // Left of the stage choice, which starts at x 400.
    DrawMenuText(game, MenuFont::List16, 240, 412, ReplayWhoLine(slot, game.language == 1), 0xFFFFFFFF);
    DrawMenuText(game, MenuFont::List16, 240, 432, ReplayStagesLine(slot, game.language == 1), 0xFFFFFFFF);
    DrawMenuText(game, MenuFont::List16, 240, 452, ReplayScoreLine(slot, game.language == 1), 0xFFFFFFFF);
}

void drawStageChoice(Game& game, const ReplaySlotSummary& slot) {
    const GameState& s = game.state;
    for (int k = slot.startStage; k <= slot.endStage; ++k) {
        const std::uint32_t color = (s.screen == 7 && k == s.stage) ? kMenuSelected : kMenuOther;
        DrawMenuRect(game, s.subMenuTexture, 0, static_cast<float>(120 * (k - 1)), 320, 115, 400,
                     200 - s.menuScroll + static_cast<float>(120 * k), color);
    }
}

// The stage cursor moves once the rows have come to rest on it.
void chooseStage(Game& game, const ReplaySlotSummary& slot) {
    GameState& s = game.state;
    const float target = static_cast<float>(120 * s.stage);
    s.menuScroll += (target - s.menuScroll) / 5;
    if (std::fabs(target - s.menuScroll) >= 3 || !game.engine.System_IsForeground()) return;
    const int count = slot.endStage - slot.startStage + 1;
    if (TakeLatched(s.latchDown, MenuDownHeld(game)))
        s.stage = slot.startStage + (s.stage - slot.startStage + 1) % count;
    if (TakeLatched(s.latchUp, MenuUpHeld(game)))
        s.stage = slot.startStage + (s.stage - slot.startStage + count - 1) % count;
}

void leaveList(Game& game) {
    GameState& s = game.state;
    SetSubMenuTexture(game, nullptr);
    s.replayPlaying = 0;
    s.screen = 0;
    s.menuCursor = kReplaysEntry;
    game.replaySlots.read = false;  // read again on the next visit
    game.uiSprite->SetTexture(s.titleMenuTexture);
}

void loadChosen(Game& game) {
    GameState& s = game.state;
    const std::optional<ReplayRecord> record = LoadReplaySlot(game, s.menuCursor + 1);
    if (!record || s.stage < record->startStage || s.stage > record->endStage()) {
        // Changed or damaged since the list was read: listed again as it is now.
        game.engine.Stream_Play(s.sounds[kRefusedSound], false, s.seVolume);
        ReadReplaySlots(game);
        s.screen = 5;
        s.stage = 0;
        return;
    }
    StartReplayPlayback(game, *record, s.stage);
}

}  // namespace

void DrawReplaySlotRows(Game& game, float x, std::uint32_t alpha) {
    const GameState& s = game.state;
    const std::uint32_t a = alpha << 24;
    for (int n = 1; n <= kReplaySlots; ++n) {
        const std::string row = ReplaySlotRow(game.replaySlots.slots[n - 1], n, game.language == 1);
        const float y = static_cast<float>(22 * n - 6);
        const std::uint32_t rgb = (n - 1 == s.menuCursor) ? kYellow : 0x00FFFFFF;
        DrawMenuText(game, MenuFont::List16, x + 19, y, row, a);
        DrawMenuText(game, MenuFont::List16, x + 21, y, row, a);
        DrawMenuText(game, MenuFont::List16, x + 20, y - 1, row, a);
        DrawMenuText(game, MenuFont::List16, x + 20, y + 1, row, a);
        DrawMenuText(game, MenuFont::List16, x + 20, y, row, a | rgb);
    }
}

void DrawReplayLabels(Game& game) {
    DrawMenuText(game, MenuFont::List16, 240, 20, Say(game, "录像名称", "Replay name"), 0xFFFFFFFF);
    DrawMenuText(game, MenuFont::List16, 240, 68, Say(game, "玩家名称", "Player name"), 0xFFFFFFFF);
    DrawMenuText(game, MenuFont::List16, 240, 116, Say(game, "密匙", "Key"), 0xFFFFFFFF);
    DrawMenuText(game, MenuFont::List16, 240, 164, Say(game, "录像说明", "Description"), 0xFFFFFFFF);
}

void StartReplayPlayback(Game& game, const ReplayRecord& record, int stage) {
    GameState& s = game.state;
    Engine& e = game.engine;
    ApplyReplayToState(record, s);
    for (HTEXTURE* t : {&s.titleMenuTexture, &s.cardTexture, &s.subMenuTexture}) {
        e.Texture_Free(*t);
        *t = 0;
    }
    LoadCharacterSheets(game, s.character);
    SetAllMenuLatches(s);
    s.replayPlaying = 1;
    s.screen = 10;
    e.Stream_Free(s.bgmStream);
    s.bgmStream = 0;
    s.bgmChannel = 0;
    s.stage = stage;
    s.maxPowerFrames = 0;
    game.replaySlots.read = false;
    StartRoutine(game);
}

void RunReplayList(Game& game) {
    GameState& s = game.state;
    if (!game.replaySlots.read) ReadReplaySlots(game);
    s.menuCursor = std::clamp(s.menuCursor, 0, kReplaySlots - 1);
    const auto alpha = static_cast<std::uint32_t>(std::clamp(static_cast<int>(2.5 * s.titleBrightness), 0, 255));
    DrawReplaySlotRows(game, 0, alpha);
    DrawReplayLabels(game);
    if (s.screen == 5)
        DrawOutlinedText(game, MenuFont::List16, game.language == 1 ? 552 : 566, 4, Say(game, "→ 记录", "→ Records"),
                         0xFFFFFFFF);

    const ReplaySlotSummary& slot = game.replaySlots.slots[static_cast<std::size_t>(s.menuCursor)];
    const bool present = slot.status == ReplaySlotSummary::Present;
    if (present) {
        drawSlotTexts(game, slot);
        if (s.stage < slot.startStage) s.stage = slot.startStage;
        if (s.stage > slot.endStage) s.stage = slot.endStage;
        drawStageChoice(game, slot);
        if (s.screen == 7) chooseStage(game, slot);
    }

    Engine& e = game.engine;
    if (!e.System_IsForeground()) return;
    if (s.screen == 5) {
        if (TakeLatched(s.latchDown, e.Input_GetKeyState(VK_DOWN))) s.menuCursor = (s.menuCursor + 1) % kReplaySlots;
        if (TakeLatched(s.latchUp, e.Input_GetKeyState(VK_UP)))
            s.menuCursor = (s.menuCursor + kReplaySlots - 1) % kReplaySlots;
    }
    if (s.screen == 5 && TakeLatched(s.latchRight, e.Input_GetKeyState(VK_RIGHT))) {
        OpenRecordsScreen(game);
        return;
    }
    if (TakeLatched(s.latchConfirm, MenuConfirmHeld(game))) {
        if (s.screen == 7) {
            loadChosen(game);
            return;
        }
        if (present) {
            s.screen = 7;
            s.stage = 1;
        } else {
            e.Stream_Play(s.sounds[kRefusedSound], false, s.seVolume);
        }
    }
    if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) {
        if (s.screen == 7) {
            s.screen = 5;
            s.stage = 0;
        } else {
            leaveList(game);
        }
    }
}

}  // namespace korvid
