// What the extra boss shows under the field, by pattern: a slowly turning
// red picture for 77..80 (fading in over 77's first 64 frames), the sky for
// 81 (from its frame 4) to 86, and the night picture of 87 and 88, which the
// last card darkens away (its first fade). The pictures are loaded when
// first shown into entries the stages never use; once past 86 the sky is
// gone (mesh deleted, sheet freed).
#include <algorithm>
#include <cstdint>

#include "bosses/ExtraBoss.h"
#include "bosses/ExtraBossAttacks.h"
#include "bosses/ExtraBossSky.h"
#include "game/Game.h"

namespace korvid {

namespace {

struct Picture {
    int entry;
    const char* file;
    float x, y, w, h;  // the part shown, turned about its middle
    float scale;
    float turnPerFrame;  // degrees
};
constexpr Picture kRedPicture{47, "Graphics/backam27.jpg", 0, 0, 512, 512, 1.3f, 1.0f / 9};
constexpr Picture kNightPicture{49, "Graphics/backam26.jpg", 250, 100, 1000, 1000, 0.7f, -1.0f / 12};

void drawPicture(Game& game, const Picture& p, int alpha) {
    GameState& s = game.state;
    if (!s.textures[p.entry]) s.textures[p.entry] = game.engine.Texture_Load(p.file);
    if (alpha <= 0) return;
    Sprite& sp = *game.uiSprite;
    sp.SetTexture(s.textures[p.entry]);
    sp.SetTextureRect(p.x, p.y, p.w, p.h);
    sp.SetHotSpot(p.w / 2, p.h / 2);
    sp.SetBlendMode(BLEND_DEFAULT);
    sp.SetZ(0.9f);
    sp.SetColor(static_cast<std::uint32_t>(std::min(alpha, 255)) << 24 | 0xFFFFFFu);
    const float turn = static_cast<float>(s.stageFrame % 7200) * p.turnPerFrame / 57.3f;
    sp.RenderEx(224, 240, turn, p.scale);
    sp.SetColor(0xFFFFFFFF);
    sp.SetHotSpot(0, 0);
}

}  // namespace

void DrawExtraBossBackdrop(Game& game) {
    GameState& s = game.state;
    if (s.stage != 7 || !s.bossActive || !game.uiSprite) return;
    const int id = s.bossPattern(), t = s.bossTimer();
    if (id >= 81 && id <= 86) {
        if (id > 81 || t > 3 || t < 0) DrawSky(game);
        return;
    }
    if (game.skyMesh) DropSky(game);
    if (id >= 77 && id <= 80) {
        const int alpha = id == 77 && t >= 0 && t < 64 ? 4 * t : 255;
        drawPicture(game, kRedPicture, alpha);
    }
    if (id >= 87) {
        const int fade = id == 88 ? static_cast<int>(s.bossVarArr[kFadeBackdrop]) : 0;
        drawPicture(game, kNightPicture, 255 - fade);
    }
}

}  // namespace korvid
