// The manual (screen 9 without musicRoomSelected): five tabs, and the page
// of the chosen one, the only page in memory.
#include <cstdio>

#include "game/Game.h"
#include "game/Input.h"
#include "menus/MusicRoom.h"
#include "menus/TitleMenus.h"

namespace korvid {

namespace {

constexpr int kPages = 5;
constexpr int kManualEntry = 6;  // the main menu's Manual entry

void loadPage(Game& game, int page) {
    Engine& e = game.engine;
    if (game.manualPageTexture) e.Texture_Free(game.manualPageTexture);
    char file[40];
    std::snprintf(file, sizeof file, "Graphics/manual_%d.png", page + 1);
    game.manualPageTexture = e.Texture_Load(file);
    game.manualPage = page;
}

void leave(Game& game) {
    GameState& s = game.state;
    s.screen = 0;
    s.menuCursor = kManualEntry;
    SetSubMenuTexture(game, nullptr);
    game.engine.Texture_Free(game.manualPageTexture);
    game.manualPageTexture = 0;
    game.uiSprite->SetTexture(s.titleMenuTexture);
}

}  // namespace

void RunManual(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (s.menuCursor < 0 || s.menuCursor >= kPages) s.menuCursor = 0;
    Sprite& ui = *game.uiSprite;
    for (int i = 0; i < kPages; ++i) {
        ui.SetTexture(s.subMenuTexture);
        ui.SetTextureRect(0, static_cast<float>(65 + 55 * i), 640, 55);
        ui.SetHotSpot(0, 0);
        ui.SetZ(0.09f);
        ui.SetColor(i == s.menuCursor ? 0xFFFFFF00 : 0xFFFFFFFF);
        ui.RenderEx(static_cast<float>(110 * i - 40), 10, 0, 0.5f);
    }
    if (!game.manualPageTexture || game.manualPage != s.menuCursor) loadPage(game, s.menuCursor);
    ui.SetTexture(game.manualPageTexture);
    ui.SetTextureRect(0, 0, 640, 480);
    ui.SetColor(0xFFFFFFFF);
    ui.RenderEx(-10, 20, 0, 1);

    if (!e.System_IsForeground()) return;
    // Only the arrow keys turn pages, each through its own latch.
    const bool next = TakeLatched(s.latchDown, e.Input_GetKeyState(VK_DOWN)) |
                      TakeLatched(s.latchRight, e.Input_GetKeyState(VK_RIGHT));
    const bool previous = TakeLatched(s.latchUp, e.Input_GetKeyState(VK_UP)) |
                          TakeLatched(s.latchLeft, e.Input_GetKeyState(VK_LEFT));
    if (next) s.menuCursor = (s.menuCursor + 1) % kPages;
    if (previous) s.menuCursor = (s.menuCursor + kPages - 1) % kPages;
    if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) leave(game);
}

}  // namespace korvid
