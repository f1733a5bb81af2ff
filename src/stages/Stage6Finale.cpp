// Stage 6 from frame 8200: the music stops, the second tune rises from 8450
// and the half-transparent boss comes at 8550 (route flag clear); or, from
// 8600 (route flag set), the tune fades, and at 8850 the square tunnel of
// forty faces opens over the whole screen as the field widens and shakes,
// and the hidden boss comes at 9000.
//
// Every frame of the stage, fight or not: backdrop case 4 (the portrait
// rising behind the first form), the timeline while no boss is present,
// then the camera roll and the scenery sort (a finale fight started
// directly sets its scene up as it arrives). The roll and the sort run
// during fights too, or the tunnel would stand still behind the hidden boss.
#include "stages/Stage6Finale.h"

#include <algorithm>
#include <cstdint>

#include "game/Game.h"
#include "play/SceneList.h"
#include "stages/Scenery.h"
#include "stages/Timeline.h"

namespace korvid {

namespace {

constexpr int kSceneTexture = 34;
constexpr int kPortraitTexture = 35;

std::uint32_t white(int alpha) { return static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24 | 0xFFFFFFu; }

void replaceTexture(Game& game, int index, const char* file) {
    HTEXTURE& tex = game.state.textures[index];
    if (tex) game.engine.Texture_Free(tex);
    tex = game.engine.Texture_Load(file);
}

void stopMusic(Game& game) {
    GameState& s = game.state;
    if (s.bgmStream) game.engine.Stream_Free(s.bgmStream);
    s.bgmStream = 0;
}

void volume(Game& game, int percent) {
    GameState& s = game.state;
    game.engine.Channel_SetVolume(s.bgmChannel, percent * s.bgmVolume / 100);
}

// ------------------------------------------------------------ backdrop case 4

// Behind the first form, on Normal and above without the route flag: the
// portrait fades in from 8550 and its tall picture slides down until 10850.
// Not during the cards (their pictures are drawn instead), and not once the
// whole-screen fight has cleared the stage.
bool portraitShown(const GameState& s) {
    const int id = s.bossPattern();
    if (s.bossActive && id >= 46 && id <= 60) return false;
    return s.stageFrame > 8350 && !s.wideFieldFightStarted && s.difficulty >= 1 && !(s.wideField && s.stageCleared);
}

void drawPortrait(Game& game) {
    GameState& s = game.state;
    if (!game.uiSprite || !portraitShown(s)) return;
    const int f = s.stageFrame;
    int alpha = 255;
    if (f <= 8550) alpha = 0;
    else if (f <= 9060) alpha = (f - 8550) / 2;
    const double y0 = f <= 10850 ? 0.06 * (10850 - f) : 0;
    Sprite& sp = *game.uiSprite;
    sp.SetBlendMode(BLEND_ALPHABLEND);
    sp.SetZ(0.92f);
    sp.SetTexture(s.textures[kPortraitTexture]);
    sp.SetTextureRect(0, static_cast<float>(y0), 480, 480);
    sp.SetHotSpot(240, 0);
    sp.SetColor(white(alpha));
    sp.RenderEx(224, 0, 0, 1, 1);
    sp.SetColor(0xFFFFFFFFu);
}

// ------------------------------------------------------------ the timeline

// The cards' tune stops; the portrait of the first form is made ready.
void silence(Game& game, const CueArgs&, int) {
    stopMusic(game);
    replaceTexture(game, kPortraitTexture, "Graphics/lastboss16.jpg");
}

void secondTune(Game& game, const CueArgs&, int) { StartStageMusic(game, "Music/music6bossb.ogg", true); }

// 8450..8550 up, 8600..8700 down; 8850..8950 the last tune up.
void tuneUp(Game& game, const CueArgs& a, int) { volume(game, game.state.stageFrame - static_cast<int>(a[0])); }
void tuneDown(Game& game, const CueArgs& a, int) { volume(game, static_cast<int>(a[0]) - game.state.stageFrame); }

void firstForm(Game& game, const CueArgs&, int) { BringInBossQuietly(game, kStage6FirstForm); }

// Ten rings of four faces, 256 apart, from just behind the viewer: ceiling,
// floor, right wall, left wall.
struct TunnelFace {
    float x, y, yaw, pitch;
};
constexpr TunnelFace kRing[4] = {
    {0, -128, 0, 1.57068f}, {0, 128, 0, 4.71204f}, {128, 0, 4.71204f, 0}, {-128, 0, 1.57068f, 0}};
constexpr int kTunnelRings = 10;

void tunnel(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    StartStageMusic(game, "Music/trueboss.ogg", true);
    volume(game, 0);
    s.sceneObjectCount = 0;
    s.wideField = 1;
    replaceTexture(game, kSceneTexture, "Graphics/backam23.png");
    s.sceneFocal = 1000;
    s.sceneCamera = {0, 0, 256, 0, 0, 0};
    for (int b = 0; b < kTunnelRings; ++b) {
        const float z = static_cast<float>(256 * b - 256);
        for (const TunnelFace& face : kRing)
            SpawnSceneObject(game, {kSceneTexture, 0, 0, 256, 256}, face.x, face.y, z, face.yaw, face.pitch, 0, 0, 1);
    }
}

constexpr int kShakeFrom = 8850, kShakeTo = 8899;
constexpr float kShakeStep = 90;  // past 4450 in all the side panel is gone
void shake(Game& game, const CueArgs&, int) { game.state.backgroundShake += kShakeStep; }

void hiddenBoss(Game& game, const CueArgs&, int) { BringInBossQuietly(game, kStage6HiddenBoss); }

constexpr ExactCue kExact[] = {
    {8202, silence},
    {8450, secondTune},
    {8550, firstForm},
    {8850, tunnel},
    {9000, hiddenBoss},
};

constexpr WindowCue kWindows[] = {
    {8450, 8550, 1, tuneUp, {8450}},
    {8600, 8700, 1, tuneDown, {8700}},
    {8850, 8950, 1, tuneUp, {8850}},
    {kShakeFrom, kShakeTo, 1, shake},
};

constexpr Timeline kTimeline{kExact, kWindows};

// ------------------------------------------------------------ fights started directly

constexpr int kFirstFormFrame = 8550;
constexpr int kHiddenBossFrame = 9000;

// A fight of the finale brought in at the stage's start is played in its
// own scene and on the clock it has in play: the first form with its tune
// and the portrait rising behind it, the hidden boss in the tunnel over the
// whole screen with the route open (the ship may act there).
void directFinaleFight(Game& game) {
    GameState& s = game.state;
    if (s.stageFrame >= kFirstFormFrame - 1) return;
    const int id = s.bossPattern();
    if (id == kStage6FirstForm.pattern) {
        silence(game, {}, 0);
        secondTune(game, {}, 0);
        s.stageFrame = kFirstFormFrame - 1;
    } else if (id > kStage6FirstForm.pattern && id <= kStage6LastPattern) {
        s.wideFieldFightStarted = 1;
        tunnel(game, {}, 0);
        volume(game, 100);
        s.backgroundShake += kShakeStep * (kShakeTo - kShakeFrom + 1);
        s.stageFrame = kHiddenBossFrame - 1;
    }
}

// ------------------------------------------------------------ the camera

// One roll cycle of 960 replay frames: 420 frames one way, a 60-frame turn,
// 420 back, a 60-frame turn; it ends where it began.
double rollStep(int p) {
    if (p < 420) return 0.03;
    if (p < 480) return 0.001 * (450 - p);
    if (p < 900) return -0.03;
    return -0.001 * (930 - p);
}

void rollAndSort(GameState& s) {
    const int p = s.replayFrame % 960;
    s.sceneCamera[5] = static_cast<float>(s.sceneCamera[5] + rollStep(p));
    SortSceneObjects(s, s.sceneObjectCount, false);
    s.sceneCamera[3] = WrapSceneAngle(s.sceneCamera[3]);
}

}  // namespace

bool HiddenRouteOpen(const Game& game) { return game.state.wideFieldFightStarted != 0; }

void DirectFightInStage6(Game& game) { directFinaleFight(game); }

void RunStage6Finale(Game& game) {
    drawPortrait(game);
    if (!game.state.bossActive) RunTimeline(game, kTimeline);
    rollAndSort(game.state);
}

}  // namespace korvid
