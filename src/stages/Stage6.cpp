// Stage 6: painted backdrops. A wide picture panned and zoomed to 1900, a
// turning disc to 3820, a slow pan behind the mid-boss (3880, its train
// walls) and the stretch after it; the boss from 6800 with the pictures its
// cards choose. Frames 8202 onwards are RunStage6Finale's.
//
// Every frame: the music's loop points, the backdrop, the boss gate, the
// timeline (no boss), then the finale's part.
#include "stages/Stage6.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/Dialogue.h"
#include "stages/MusicLoops.h"
#include "stages/Stage6Finale.h"
#include "stages/Timeline.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

constexpr float kEnemyZ = 0.7f;
constexpr int kSceneTexture = 34;    // the stage's painted backdrop
constexpr int kPictureTexture = 35;  // the boss cards' pictures
constexpr int kCardWithOverlay = 52;

std::uint32_t white(int alpha) { return static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24 | 0xFFFFFFu; }

// ------------------------------------------------------------ music

// The tunes loop back from A to B while their fight runs.
void musicLoops(Game& game) {
    const GameState& s = game.state;
    if (!s.bossActive || s.stageCleared) return;
    const int id = s.bossPattern();
    const bool boss = id >= 46 && id <= 60 && !s.wideField;
    const bool hidden = id >= 62 && id <= 66;
    if (!boss && !hidden) return;
    // Both tunes of a fight share its points: the row of either will do.
    const std::string_view tune = boss ? "Music/music6boss.mp3" : "Music/trueboss.ogg";
    for (const MusicLoop& m : kMusicLoops) {
        if (m.stage == 6 && tune == m.tune) {
            MusicLoopPoint(game, m.at, m.to);
            return;
        }
    }
}

// ------------------------------------------------------------ the cards' pictures

// The picture a card asks for fades out the one on show (2 a frame), is
// swapped in once that one has gone, and fades in to 254. The texture is
// freed only when another picture is loaded into it: a value outside 1..15
// keeps the last picture's texture (never drawn, never freed twice).
void swapPicture(Game& game) {
    GameState& s = game.state;
    float& wanted = s.bossVar[kPictureWanted];
    float& shown = s.bossVar[kPictureShown];
    float& alpha = s.bossVar[kPictureAlpha];
    if (wanted != shown) {
        if (alpha > 0) alpha -= 2;
        if (alpha < 1) {
            shown = wanted;
            const int picture = static_cast<int>(shown);
            if (picture >= 1 && picture <= 15) {
                char file[40];
                std::snprintf(file, sizeof file, "Graphics/lastboss%d.jpg", picture);
                HTEXTURE& tex = s.textures[kPictureTexture];
                if (tex) game.engine.Texture_Free(tex);
                tex = game.engine.Texture_Load(file);
            }
        }
    } else if (shown > 0 && alpha < 254) {
        alpha = std::min(alpha + 2.0f, 254.0f);
    }
}

// Card 52's overlay hangs over the boss, unfolding across then down.
void cardOverlay(Game& game, Sprite& sp) {
    const GameState& s = game.state;
    const int t = s.bossTimer();
    if (s.bossPattern() != kCardWithOverlay || t < 0) return;
    const Enemy& b = s.enemies.slot[kBossSlot];
    float sx = 1, sy = 1;
    if (t < 40) {
        sx = static_cast<float>(0.025 * t);
        sy = 0.2f;
    } else if (t < 80) {
        sy = static_cast<float>(0.02 * (t - 40) + 0.2);
    }
    sp.SetTexture(s.textures[38]);
    sp.SetTextureRect(0, 863, 396, 161);
    sp.SetHotSpot(192, 80);
    sp.SetColor(0xFFFFFFFFu);
    sp.RenderEx(b.x, static_cast<float>(b.y + std::abs((t % 64) - 32) / 8), 0, sx, sy);
}

void drawCardPicture(Game& game, Sprite& sp) {
    GameState& s = game.state;
    const int wanted = static_cast<int>(s.bossVar[kPictureWanted]);
    if (wanted <= 0) return;
    const int alpha = static_cast<int>(s.bossVar[kPictureAlpha]);
    const int f = s.stageFrame;
    sp.SetTexture(s.textures[kPictureTexture]);
    sp.SetHotSpot(0, 0);
    sp.SetColor(white(alpha));
    if (static_cast<int>(s.bossVar[kPictureShown]) == 4) {
        // Picture 4: two strips falling side by side.
        sp.SetTextureRect(0, 0, 159, 240);
        sp.Render(40, static_cast<float>(8 * (f % 100) - 240));
        sp.Render(250, static_cast<float>(8 * ((f - 50) % 100) - 240));
    } else if (alpha > 0) {
        sp.SetTextureRect(0, 0, 448, 480);
        sp.Render(0, 0);
    }
    cardOverlay(game, sp);
    sp.SetColor(0xFFFFFFFFu);
}

// ------------------------------------------------------------ the stage's backdrops

// Case 1 (to 1900): a window of the wide picture round the view point,
// zoomed by bgCamTurn, drifting as the camera values move.
void moveCamera(GameState& s) {
    const int f = s.stageFrame;
    if (f <= 200) {
        s.bgCamX -= 0.5f;
        s.bgCamY = static_cast<float>(s.bgCamY + (2.4 - 0.012 * f));
    } else if (f <= 800) {
        s.bgCamX -= 0.7f;
        s.bgCamY -= 0.1f;
    } else if (f <= 1400) {
        s.bgCamX -= 0.7f;
        s.bgCamY += 0.1f;
    } else {
        s.bgCamX -= 0.8f;
        s.bgCamY -= 0.1f;
        s.bgCamTurn = static_cast<float>(s.bgCamTurn - 0.0012);
    }
}

void wideBackdrop(Game& game, Sprite& sp) {
    GameState& s = game.state;
    const int f = s.stageFrame;
    double alpha = 255;
    if (f < 1) alpha = 3.9 * f + 255;
    if (f > 1839) alpha = 255 - 4.2 * (f - 1840);
    const double m = s.bgCamTurn;
    sp.SetTexture(s.textures[kSceneTexture]);
    sp.SetTextureRect(static_cast<float>(s.bgCamX - 224 / m), static_cast<float>(s.bgCamY - 240 / m),
                      static_cast<float>(448 / m), static_cast<float>(480 / m));
    sp.SetHotSpot(static_cast<float>(224 / m), static_cast<float>(240 / m));
    sp.SetColor(white(static_cast<int>(alpha)));
    sp.RenderEx(224, 240, 0, static_cast<float>(m), 0);
}

// Case 2 (1901..3820): the second picture turning slowly about the centre.
void turningBackdrop(Game& game, Sprite& sp) {
    const GameState& s = game.state;
    const int f = s.stageFrame;
    double alpha = 255;
    if (f <= 1960) alpha = 4.2 * (f - 1900);
    if (f > 3759) alpha = 255 - 4.2 * (f - 3760);
    sp.SetTexture(s.textures[kSceneTexture]);
    sp.SetTextureRect(0, 0, 480, 480);
    sp.SetHotSpot(240, 240);
    sp.SetColor(white(static_cast<int>(alpha)));
    sp.RenderEx(224, 240, static_cast<float>(((f % 1080) / 3) / 57.3), 1.2f, 0);
}

// Case 3 (replay frames 3826..6800, so it keeps panning through the
// mid-boss): the third picture slides left; it fades out from 6740 once no
// boss is there.
void panningBackdrop(Game& game, Sprite& sp) {
    const GameState& s = game.state;
    const int r = s.replayFrame, f = s.stageFrame;
    double alpha = r <= 3940 ? 2.1 * (r - 3820) : 255;
    if (!s.bossActive && f > 6739) alpha = 255 - 4.2 * (f - 6740);
    sp.SetTexture(s.textures[kSceneTexture]);
    sp.SetTextureRect(static_cast<float>(300 - (r - 3820) / 10.0), 30, 420, 420);
    sp.SetHotSpot(210, 210);
    sp.SetColor(white(static_cast<int>(alpha)));
    sp.RenderEx(224, 240, 0, 1.2f, 0);
}

// The backdrop's motion (the cards' picture swap, the wide picture's
// camera) runs whether or not anything is drawn.
void drawBackdrop(Game& game) {
    GameState& s = game.state;
    const int id = s.bossPattern();
    const bool cards = s.bossActive && id >= 46 && id <= 60;
    if (cards) {
        swapPicture(game);
    } else if (s.stageFrame <= 1900) {
        moveCamera(s);
    }
    if (!game.uiSprite) return;
    Sprite& sp = *game.uiSprite;
    sp.SetBlendMode(BLEND_ALPHABLEND);
    sp.SetZ(0.92f);
    if (cards) {
        drawCardPicture(game, sp);
    } else {
        const int f = s.stageFrame;
        if (f <= 1900) wideBackdrop(game, sp);
        if (f >= 1901 && f <= 3820) turningBackdrop(game, sp);
        if (s.replayFrame >= 3826 && s.replayFrame <= 6800) panningBackdrop(game, sp);
    }
    sp.SetColor(0xFFFFFFFFu);
}

// ------------------------------------------------------------ the timeline's enemies

// dart (x, y, heading, speed): type 36 from the common sheet.
void dart(Game& game, const CueArgs& a) {
    SpawnEnemy(game, 6, 192, 192, 32, 32, a[0], a[1], 1, 1, a[2], kEnemyZ, a[3], 36, 10, 255);
}
// Darts along a line: x = a0 + a1 f, y = a2 + a3 f.
void dartLine(Game& game, const CueArgs& a, int) {
    const int f = game.state.stageFrame;
    dart(game, {a[0] + a[1] * f, a[2] + a[3] * f, a[4], a[5]});
}
// Two darts from the top at once, closing in: x = a0 + 4f and a1 - 4f.
void dartPair(Game& game, const CueArgs& a, int) {
    const int f = game.state.stageFrame;
    dart(game, {a[0] + 4.0f * f, 0, 180, 3});
    dart(game, {a[1] - 4.0f * f, 0, 180, 3});
}

// The turning gunship: type 37, down the middle.
void gunship(Game& game, const CueArgs&, int) {
    game.state.stage5Work = 0;
    SpawnEnemy(game, 6, 0, 384, 64, 64, 224, 0, 1, 1, 180, kEnemyZ, 1.5f, 37, 750, 255);
}

// sweeper (x): type 40.
void sweeper(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 0, 384, 64, 64, a[0], -16, 1, 1, 180, kEnemyZ, 1, 40, 50, 255);
}

// ------------------------------------------------------------ the stage's other cues

// Two fog banks of each kind, drifting across from both sides.
void setUp(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    s.stage5Work = 0;
    s.bossVar[kPictureShown] = 0;
    s.backgroundShake = 0;
    s.scrollSpeed = 0;
    constexpr float kFogX[4] = {-256, 256, 256, 768};
    constexpr int kFogKind[4] = {35, 35, 36, 36};
    for (int i = 0; i < 4; ++i)
        SpawnEffect(game, {7, 0, 0, 512, 512}, kFogX[i], 256, 1, 1, 0, 0.9f, kFogKind[i], {55, 155, 155, 255}, 2,
                    0);
}

void music(Game& game, const CueArgs&, int) { StartStageTune(game); }

void titleCard(Game& game, const CueArgs&, int) { SpawnTitleCard(game, 0.6f); }

void replaceScene(Game& game, const char* file) {
    HTEXTURE& tex = game.state.textures[kSceneTexture];
    if (tex) game.engine.Texture_Free(tex);
    tex = game.engine.Texture_Load(file);
}
void secondScene(Game& game, const CueArgs&, int) { replaceScene(game, "Graphics/backam20.jpg"); }
void thirdScene(Game& game, const CueArgs&, int) { replaceScene(game, "Graphics/backam22.jpg"); }

// The mid-boss opens the conversation made ready here when it has glided
// in; its pages are timed from that moment, not from now.
void midBoss(Game& game, const CueArgs&, int) {
    PrepareConversation(game, Conversation{1, 5, KeyLatch::Set, PageStart::Leave});
    BringInBoss(game, kStage6MidBoss);
}

void musicFade(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    game.engine.Channel_SetVolume(s.bgmChannel, (6800 - s.stageFrame) * s.bgmVolume / 100);
}

constexpr const char* kBossTalkSheet[3] = {"Graphics/talkst6b.png", "Graphics/mtalkst6b.png",
                                           "Graphics/stalkst6b.png"};

void boss(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    s.bossVar[kPictureWanted] = 0;
    s.bossVar[kPictureShown] = 0;
    s.bossVar[kPictureAlpha] = -200;
    s.dialogueKeyLatch = 1;
    const int c = std::clamp(s.character, 1, 3);
    HTEXTURE& talk = s.textures[44];
    if (talk) game.engine.Texture_Free(talk);
    talk = game.engine.Texture_Load(kBossTalkSheet[c - 1]);
    PrepareConversation(game, Conversation{1, 7, KeyLatch::Set, PageStart::Leave});
    BringInBoss(game, kStage6Boss);
}

// ------------------------------------------------------------ the timeline

constexpr ExactCue kExact[] = {
    {-62, setUp},
    {2, music},
    {620, titleCard},
    {850, gunship},
    {1900, secondScene},
    {2150, sweeper, {320}},
    {2250, sweeper, {128}},
    {2350, sweeper, {320}},
    {2450, sweeper, {128}},
    {2550, sweeper, {224}},
    {2600, gunship},
    {3820, thirdScene},
    {3880, midBoss},
    {6800, boss},
};

constexpr WindowCue kWindows[] = {
    // x or y moves 4 a frame along the line: (a0 + a1 f, a2 + a3 f), heading, speed
    {180, 230, 10, dartLine, {-636, 4, 0, 0, 180, 3}},
    {380, 430, 10, dartLine, {1884, -4, 0, 0, 180, 3}},
    {1880, 1930, 10, dartLine, {0, 0, 7800, -4, 90, 1.8f}},
    {2080, 2130, 10, dartLine, {448, 0, 8600, -4, 270, 1.8f}},
    {3500, 3550, 10, dartPair, {-13916, 14364}},
    {6700, 6800, 1, musicFade},
};

constexpr Timeline kTimeline{kExact, kWindows};

}  // namespace

void JumpIntoStage6(Game& game, int frame) {
    if (frame >= 8600) game.state.wideFieldFightStarted = 1;
}

void RunStage6(Game& game) {
    musicLoops(game);
    drawBackdrop(game);
    if (!BossGate(game)) RunTimeline(game, kTimeline);
    RunStage6Finale(game);
}

}  // namespace korvid
