#include "menus/SaveFailure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "game/Game.h"
#include "menus/MenuText.h"

namespace korvid {

namespace {

constexpr std::uint32_t kFailureColor = 0xFFFF5050;
constexpr float kLineSpacing = 20;

}  // namespace

void ReportSaveFailure(Game& game, int screen, const std::string& file) {
    const int why = errno;
    std::fprintf(stderr, "korvid: could not save %s in %s: %s\n", file.c_str(), game.gameDir.c_str(),
                 why ? std::strerror(why) : "not written");
    game.saveFailure = Game::SaveFailure{screen, file};
}

void ClearSaveFailure(Game& game, int screen) {
    if (game.saveFailure.screen == screen) game.saveFailure = Game::SaveFailure{};
}

bool SaveFailureShown(const Game& game, int screen) { return game.saveFailure.screen == screen; }

void DrawSaveFailure(Game& game, int screen, float x, float y, const char* hint) {
    if (!SaveFailureShown(game, screen)) return;
    DrawOutlinedText(game, MenuFont::List16, x, y, Say(game, "保存失败：无法写入", "Save failed: cannot write"), kFailureColor);
    DrawOutlinedText(game, MenuFont::List16, x, y + kLineSpacing, game.saveFailure.file, kFailureColor);
    if (hint) DrawOutlinedText(game, MenuFont::List16, x, y + 2 * kLineSpacing, hint, kFailureColor);
}

}  // namespace korvid
