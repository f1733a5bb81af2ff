// Stage 3: a long picture seen at a slant that rushes past ever faster from
// 5700, over a looping strip of three ground panels; crossers, droppers,
// darts and swervers; the time-stop mid-boss at 3960 (everything in play is
// swept into items), a heavy dropper at 6850, a dark aura gathering over
// 8500..9199 and the boss at 9200 after the picture has faded.
#include "stages/Stage3.h"

#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/BgPanels.h"
#include "stages/MusicLoops.h"
#include "stages/Timeline.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

constexpr float kEnemyZ = 0.7f;
constexpr int kAuraScale = 47;  // the boss work value holding the aura's scale
constexpr int kAuraFrom = 8500, kAuraTo = 9199;

// --- enemies of the stage ---

// crosser (x, y, heading, alpha, hp): type 12 from the stage sheet.
void crosser(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 0, 0, 64, 64, a[0], a[1], 1, 1, a[2], kEnemyZ, 1, 12, a[4], static_cast<int>(a[3]));
}

// dropper (row, span, hp base): type 13 from the top; y from the first draw,
// x from the second.
void dropper(Game& game, int row, int span, float hp) {
    const int r1 = game.rand();
    const int r2 = game.rand();
    const float y = static_cast<float>(-(r1 % 32));
    const float x = static_cast<float>(r2 % span + 48);
    SpawnEnemy(game, 6, 0, row, 32, 32, x, y, 1, 1, 180, kEnemyZ, 0, 13, hp, 255);
}
float dropperHp(const Game& game, float base) { return static_cast<float>(10 * game.state.difficulty + base); }
// One of each row: the blue (256) first, then the red (288).
void dropperPair(Game& game, const CueArgs& a, int) {
    const int span = static_cast<int>(a[0]);
    dropper(game, 256, span, dropperHp(game, a[1]));
    dropper(game, 288, span, dropperHp(game, a[1]));
}
// The 2720..3400 pairs: a blue dropper, then a crosser at y 64, the sides
// alternating from the left (the one at 3100 comes from the right at
// heading 110 and leaves at once).
void dropperAndCrosser(Game& game, const CueArgs& a, int) {
    dropper(game, 256, 320, dropperHp(game, 30));
    crosser(game, {a[0], 64, a[1], game.state.stageFrame <= 3100 ? 253.0f : 255.0f, 120}, 0);
}

// popcorn from the top, the left and the right: type 2, speed 4; the draws
// in the order heading, y, x (the sides draw heading, then y).
void popcornTop(Game& game) {
    const int rh = game.rand();
    const int ry = game.rand();
    const int rx = game.rand();
    SpawnEnemy(game, 6, 0, 256, 32, 32, static_cast<float>(rx % 320 + 48), static_cast<float>(-(ry % 32)), 1, 1,
               static_cast<float>(rh % 90 + 135), kEnemyZ, 4, 2, 0.5f, 255);
}
void popcornSide(Game& game, float x, int from) {
    const int rh = game.rand();
    const int ry = game.rand();
    SpawnEnemy(game, 6, 0, 288, 32, 32, x, static_cast<float>(ry % 320 + 32), 1, 1, static_cast<float>(rh % 90 + from),
               kEnemyZ, 4, 2, 0.5f, 255);
}
void popcorn(Game& game, const CueArgs&, int) {
    popcornTop(game);
    popcornSide(game, 0, 45);
    popcornSide(game, 448, 225);
}

// darts (x1, y1, heading1, alpha1, x2, y2): a type-14 pair, the second
// mirrored in heading and alpha.
void darts(Game& game, const CueArgs& a, int) {
    const int alpha = static_cast<int>(a[3]);
    SpawnEnemy(game, 6, 160, 192, 32, 32, a[0], a[1], 1, 1, a[2], kEnemyZ, 9, 14, 0.5f, alpha);
    SpawnEnemy(game, 6, 160, 192, 32, 32, a[4], a[5], 1, 1, 360 - a[2], kEnemyZ, 9, 14, 0.5f, 509 - alpha);
}

// swerver (x, heading, alpha, hp): type 15 from the top.
void swerver(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 0, 384, 64, 64, a[0], 0, 1, 1, a[1], kEnemyZ, 0, 15, a[3], static_cast<int>(a[2]));
}

void heavy(Game& game, const CueArgs&, int) {
    SpawnEnemy(game, 6, 0, 352, 32, 32, 224, 0, 1, 1, 180, kEnemyZ, 0, 13, 5800, 255);
}

// --- the stage's other cues ---

void setUp(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    s.scrollSpeed = 0.8f;
    for (int i = 0; i <= 2; ++i)
        SpawnBgPanel(game, 40, 0, 0, 512, 306, 0, static_cast<float>(2160 - 306 * i), 1110, 0, 90, 3);
    constexpr EffectColour kFog{75, 255, 255, 255};
    SpawnEffect(game, {7, 0, 0, 512, 512}, -256, 256, 1, 1, 0, 0.88f, 5, kFog, 2, 0);
    SpawnEffect(game, {7, 0, 0, 512, 512}, 256, 256, 1, 1, 0, 0.88f, 5, kFog, 2, 0);
    s.camX = 0.01f;
    s.camDepth = 1200.01f;
    s.camHeight = 0.01f;
    s.camYaw = 1.01f;
    s.camPitch = 30.01f;
}

void music(Game& game, const CueArgs&, int) { StartStageTune(game); }

void titleCard(Game& game, const CueArgs&, int) { SpawnTitleCard(game, 0.6f); }

// Everything in play is swept away as the mid-boss comes: each ordinary
// enemy leaves one kind-4 item where it was, with no death of its own (no
// burst, drops or sound), and every bullet becomes an item.
void midBoss(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    for (int i = 0; i < kBossSlot; ++i) {
        if (s.enemies.free[i]) continue;
        const Enemy& e = s.enemies.slot[i];
        SpawnItemUntracked(game, {1, 32, 208, 16, 16}, e.x, e.y, 0, 4);
        s.enemies.free[i] = 1;
    }
    BulletsToItems(game);
    BringInBoss(game, kStage3MidBoss);
}

void freePanels(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    for (int i = 0; i < kBgPanelCapacity; ++i) s.bgPanels.free[i] = 1;
}

// The boss's sheets and the dialogue picture change hands at 9200. The
// picture and the aura stop drawing at 9200 and 9199, so no live sprite
// still draws the textures swapped here.
void swapTexture(Game& game, int slot, const char* file) {
    HTEXTURE& t = game.state.textures[slot];
    if (t) game.engine.Texture_Free(t);
    t = game.engine.Texture_Load(file);
}
void bossSheets(Game& game) {
    static constexpr const char* kTalk[3] = {"Graphics/talkst3b.png", "Graphics/mtalkst3b.png",
                                             "Graphics/stalkst3b.png"};
    const int c = std::clamp(game.state.character - 1, 0, 2);
    swapTexture(game, 44, kTalk[c]);
    swapTexture(game, 36, "Graphics/stg3enm.png");
    swapTexture(game, 39, "Graphics/Darkness.png");
    swapTexture(game, 40, "Graphics/backam12.png");
}
void boss(Game& game, const CueArgs&, int) {
    bossSheets(game);
    BringInBoss(game, kStage3Boss);
}

// A boss pattern started directly (before 9200) takes the boss's sheets as
// each of its patterns begins: nothing of the last one is left in play by then.
void directBossSheets(Game& game) {
    const GameState& s = game.state;
    if (s.bossActive && s.bossPattern() >= 15 && s.stageFrame < 9200 && s.bossTimer() == 0) bossSheets(game);
}

// --- the timeline ---

constexpr ExactCue kExact[] = {
    {-62, setUp},
    {2, music},
    {60, crosser, {0, 128, 110, 255, 150}},
    {120, crosser, {0, 128, 110, 253, 150}},
    {180, crosser, {0, 128, 110, 254, 120}},
    {240, crosser, {0, 128, 110, 253, 120}},
    {300, crosser, {0, 128, 110, 255, 120}},
    {360, crosser, {0, 128, 110, 254, 100}},
    {540, crosser, {448, 128, 250, 254, 150}},
    {600, crosser, {448, 128, 250, 255, 150}},
    {660, crosser, {448, 128, 250, 254, 120}},
    {720, crosser, {448, 128, 250, 253, 120}},
    {780, crosser, {448, 128, 250, 254, 120}},
    {840, crosser, {448, 128, 250, 253, 100}},
    {1200, titleCard},
    {2000, crosser, {448, 128, 250, 254, 120}},
    {2060, crosser, {448, 128, 250, 254, 120}},
    {2120, crosser, {448, 128, 250, 254, 120}},
    {2120, dropperPair, {160, 30}},
    {2180, crosser, {448, 128, 250, 254, 120}},
    {2240, crosser, {448, 64, 250, 254, 120}},
    {2240, dropperPair, {160, 30}},
    {2300, crosser, {448, 128, 250, 254, 120}},
    {2360, crosser, {448, 64, 250, 254, 120}},
    {2360, dropperPair, {160, 30}},
    {2720, dropperAndCrosser, {0, 110}},
    {2800, dropperAndCrosser, {448, 250}},
    {2880, dropperAndCrosser, {0, 110}},
    {2960, dropperAndCrosser, {448, 250}},
    {3040, dropperAndCrosser, {0, 110}},
    {3100, dropperAndCrosser, {448, 110}},
    {3220, dropperAndCrosser, {0, 110}},
    {3280, dropperAndCrosser, {448, 250}},
    {3340, dropperAndCrosser, {0, 110}},
    {3400, dropperAndCrosser, {448, 250}},
    {3960, midBoss},
    {5760, freePanels},
    {6140, swerver, {96, 170, 254, 150}},
    {6200, swerver, {352, 190, 255, 150}},
    {6260, swerver, {96, 160, 254, 120}},
    {6320, swerver, {352, 200, 255, 120}},
    {6380, swerver, {96, 170, 254, 120}},
    {6440, swerver, {352, 190, 255, 120}},
    {6500, swerver, {96, 170, 254, 120}},
    {6560, swerver, {352, 190, 255, 120}},
    {6850, heavy},
    {8140, swerver, {96, 170, 254, 150}},
    {8200, swerver, {352, 190, 255, 150}},
    {8260, swerver, {96, 160, 254, 120}},
    {8320, swerver, {352, 200, 255, 120}},
    {8380, swerver, {96, 170, 254, 120}},
    {8440, swerver, {352, 190, 255, 120}},
    {9200, boss},
};

constexpr WindowCue kWindows[] = {
    {1550, 1680, 25, dropperPair, {320, 50}},
    {4000, 5500, 8, popcorn},
    {5780, 5860, 5, darts, {0, 96, 70, 255, 448, 96}},
    {5840, 5920, 5, darts, {0, 240, 100, 254, 448, 240}},
    {7800, 7880, 5, darts, {0, 240, 100, 254, 448, 240}},
    {5900, 5980, 5, darts, {128, 0, 150, 254, 320, 0}},
    {7900, 7980, 5, darts, {128, 0, 150, 254, 320, 0}},
    {5960, 6100, 5, darts, {0, 160, 60, 255, 448, 160}},
    {8000, 8080, 5, darts, {0, 160, 60, 255, 448, 160}},
};

constexpr Timeline kTimeline{kExact, kWindows};

// --- the picture, the aura, the music and the camera ---

// The remainder of a by m taken non-negative (a truncating remainder of a
// negative number is negative).
int floorMod(int a, int m) { return ((a % m) + m) % m; }

void drawPicture(Game& game) {
    const PictureAt at = Stage3PictureAt(game.state.stageFrame);
    if (!at.drawn || !game.uiSprite) return;
    Sprite& sp = *game.uiSprite;
    sp.SetBlendMode(BLEND_ALPHABLEND);
    sp.SetTexture(game.state.textures[34]);
    sp.SetZ(0.92f);
    sp.SetHotSpot(512, 512);
    sp.SetTextureRect(0, static_cast<float>(at.rectY), 512, 512);
    sp.SetColor(static_cast<std::uint32_t>(at.alpha) << 24 | 0x00FFFFFFu);
    sp.RenderEx(512, static_cast<float>(at.y), 0, 1.2f, 1.5f);
    sp.SetColor(0xFFFFFFFFu);
}

// The aura's scale starts at 1 on its first frame and grows only while the
// aura shows (a scale grown from any value on every frame overflowed). A
// practice started inside the aura's frames takes the scale it would have
// grown to by then.
void drawAura(Game& game) {
    GameState& s = game.state;
    const int f = s.stageFrame;
    if (f < kAuraFrom || f > kAuraTo) return;
    float& scale = s.bossVarArr[kAuraScale];
    if (f == kAuraFrom || scale <= 0)
        scale = static_cast<float>(std::pow(1.009, f - kAuraFrom));
    else
        scale = static_cast<float>(scale * 1.009);
    if (!game.uiSprite) return;
    const int alpha = f < 9100 ? 255 : static_cast<int>(255 - 2.5 * (f - 9100));
    Sprite& sp = *game.uiSprite;
    sp.SetBlendMode(BLEND_ALPHABLEND);
    sp.SetTexture(s.textures[38]);
    sp.SetTextureRect(0, 0, 384, 384);
    sp.SetHotSpot(192, 192);
    sp.SetZ(0.91f);
    sp.SetColor(static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24);
    sp.RenderEx(224, 240, static_cast<float>((f % 720) / 2 / 57.3), scale, scale);
    sp.SetColor(0xFFFFFFFFu);
}

void musicFade(Game& game) {
    GameState& s = game.state;
    if (s.stageFrame < 9000 || s.stageFrame > 9100 || !s.bgmChannel) return;
    game.engine.Channel_SetVolume(s.bgmChannel, (9100 - s.stageFrame) * s.bgmVolume / 100);
}

void turnCamera(GameState& s) {
    if (s.stageFrame >= 3960 && s.stageFrame <= 4020) s.camYaw += 0.2f;
    if (s.stageFrame >= 5700 && s.stageFrame <= 5800) s.camYaw += 0.6f;
}

// Looped only under the boss's later patterns, never before the boss.
void musicLoop(Game& game) {
    const GameState& s = game.state;
    if (!s.bossActive || s.bossPattern() <= 14 || s.stageCleared) return;
    for (const MusicLoop& l : kMusicLoops)
        if (l.stage == 3) {
            MusicLoopPoint(game, l.at, l.to);
            return;
        }
}

}  // namespace

PictureAt Stage3PictureAt(int f) {
    PictureAt at;
    if (f < 4700) {
        at.y = (f - 3760) / 10.0 + 512;
    } else if (f < 5700) {
        at.y = (f - 4700) / 5.0 + 512;
    } else {
        at.y = 712;
        if (f < 5800) at.rectY = 46880 - 8 * f;
        else if (f < 5860) at.rectY = 480 - ((f - 5800) % 60) * 8;
        else if (f < 5940) at.rectY = 480 - ((f - 5860) % 80) * 6;
        else if (f < 6060) at.rectY = 480 - ((f - 5940) % 120) * 4;
        else at.rectY = 480 - ((f - 6060) % 240) * 2;
    }
    if (f >= 8944) at.alpha = floorMod(-f - 16, 256);
    at.drawn = f < 9200;
    return at;
}

void JumpIntoStage3(Game& game, int frame) {
    if (frame <= 5760) return;
    for (int i = 0; i < kBgPanelCapacity; ++i) game.state.bgPanels.free[i] = 1;
}

void RunStage3(Game& game) {
    musicLoop(game);
    drawPicture(game);
    drawAura(game);
    musicFade(game);
    turnCamera(game.state);
    directBossSheets(game);
    if (BossGate(game)) return;
    RunTimeline(game, kTimeline);
}

}  // namespace korvid
