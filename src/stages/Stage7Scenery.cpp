#include "stages/Stage7Scenery.h"

#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/SceneList.h"
#include "stages/Scenery.h"
#include "stages/Stage7.h"

namespace korvid {

namespace {

constexpr int kWallTexture = 36;   // the shaft's walls, the block wall's panels
constexpr int kPieceTexture = 40;  // rings, pillars, the tower's faces
constexpr int kBackdropTexture = 38;
constexpr int kParticleTexture = 33;
constexpr double kDegreesPerRadian = 57.3;
constexpr float kQuarterTurn = 1.57068f;

enum Camera { CamX, CamY, CamZ, CamYaw, CamPitch, CamRoll };

void setCamera(GameState& s, float x, float y, float z, float yaw, float pitch, float roll) {
    s.sceneCamera = {x, y, z, yaw, pitch, roll};
}

void add(float& field, double amount) { field = static_cast<float>(field + amount); }

int piece(Game& game, int tex, int w, int h, float x, float y, float z, float yaw, float pitch, float flatY,
          int kind) {
    return SpawnSceneObject(game, TexRect{tex, 0, 0, w, h}, x, y, z, yaw, pitch, 0, flatY, kind);
}

// A record's phase round its orbit: its timer starts at `timer`.
void phased(Game& game, int index, int timer) {
    if (index >= 0) game.state.sceneObjects[index].timer = timer;
}

float turned(int degrees) { return static_cast<float>((degrees + 180) / kDegreesPerRadian); }

// A pillar at (x, y): its front, then at each of three depths its four sides.
void pillar(Game& game, int r, int c) {
    const float x = static_cast<float>(512 * c - 800), y = static_cast<float>(1048 - 512 * r);
    piece(game, kPieceTexture, 512, 512, x, y, 0, 0, 0, 0, kPillarKind);
    for (int n = 0; n < 3; ++n) {
        const float depth = static_cast<float>(512 * n + 256);
        piece(game, kPieceTexture, 512, 512, static_cast<float>(512 * c - 544), y, depth, kQuarterTurn, 0, 0,
              kPillarKind);
        piece(game, kPieceTexture, 512, 512, static_cast<float>(512 * c - 1056), y, depth, kQuarterTurn, 0, 0,
              kPillarKind);
        piece(game, kPieceTexture, 512, 512, x, static_cast<float>(1304 - 512 * r), depth, 0, kQuarterTurn, 0,
              kPillarKind);
        piece(game, kPieceTexture, 512, 512, x, static_cast<float>(792 - 512 * r), depth, 0, kQuarterTurn, 0,
              kPillarKind);
    }
}

// One of the tower's drums round all six sides: kind, size and height.
struct Drum {
    int kind, w, h;
    float y;
};
constexpr Drum kDrums[] = {
    {8, 512, 256, 733.44f}, {9, 324, 512, 490.56f}, {9, 324, 512, -21.44f},
    {8, 512, 256, -361.44f}, {7, 512, 255, -561.44f},
};

std::uint32_t white(int alpha) { return static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24 | 0xFFFFFFu; }

// Where a particle drawn from angle phi and radius rho sits (the spread
// widens and the centre sinks while the boss's cards open the tower).
struct ParticleFrame {
    double r0 = 0, s = 1;
};
ParticleFrame particleFrame(const GameState& s) {
    ParticleFrame p;
    if (!s.bossActive) return p;
    const int id = s.bossPattern(), t = s.bossTimer();
    if (id == 73) p.r0 = (t >= 1 && t <= 90) ? 0.4 * t : 36;
    if (id == 74 || id == 75) p.r0 = 36;
    if (id == 76) {
        p.r0 = 36;
        if (t < 1) p.s = 0.015 * (t + 300) + 1;
    }
    return p;
}

void particle(Game& game, float x, float y, float scale, int kind) {
    SpawnSceneObject(game, TexRect{kParticleTexture, 0, 0, 32, 32}, 0, 0, 0, 0, scale, x, y, kind);
}

}  // namespace

void BuildShaft(Game& game) {
    GameState& s = game.state;
    s.sceneFocal = kStage7Focal;
    setCamera(s, 550, 4100, -5024, 0, -0.69808f, 0);
    s.sceneObjectCount = 0;
    for (int r = 0; r < 20; ++r) {
        const float y = static_cast<float>(2048 - 512 * r);
        if (r % 5 == 0)
            for (int h = 0; h < 9; ++h)
                phased(game, piece(game, kPieceTexture, 512, 512, 0, y, 0, turned(40 * h), 0, 3, 4), 80 * h);
        for (int l = 0; l < 6; ++l)
            phased(game, piece(game, kWallTexture, 512, 512, 0, y, 0, turned(60 * l), 0, 0, 3), 120 * l);
    }
}

void BuildBlockWall(Game& game) {
    GameState& s = game.state;
    setCamera(s, 550, -7700, -2500, 0.17452f, 0.52356f, 0);
    s.sceneObjectCount = 0;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 6; ++c) {
            if (c % 2 == 1 || r % 2 == 1)
                piece(game, kWallTexture, 512, 512, static_cast<float>(512 * c - 800),
                      static_cast<float>(1048 - 512 * r), 0, 0, 0, 0, 5);
            else
                pillar(game, r, c);
        }
    }
    for (int r = 0; r < 6; ++r)
        for (int d = 0; d < 10; ++d)
            piece(game, kWallTexture, 512, 512, static_cast<float>(512 * d - 800), -1760,
                  static_cast<float>(512 * r + 256), 0, kQuarterTurn, 0, 5);
}

void BuildTower(Game& game) {
    GameState& s = game.state;
    s.sceneObjectCount = 0;
    setCamera(s, 800, 600, -7500, 0, 0, 0);
    for (int r = 0; r < 3; ++r)
        for (int b = 0; b < 6; ++b)
            phased(game,
                   piece(game, kPieceTexture, 512, 512, 0, static_cast<float>(2048 - 512 * r), 0, turned(40 * b), 0,
                         3, 7),
                   120 * b);
    for (int b = 0; b < 6; ++b)
        for (const Drum& d : kDrums)
            phased(game, piece(game, kPieceTexture, d.w, d.h, 0, d.y, 0, turned(40 * b), 0, 3, d.kind), 120 * b);
}

void MoveStage7Camera(Game& game) {
    GameState& s = game.state;
    std::array<float, 6>& cam = s.sceneCamera;
    const int f = s.stageFrame;
    if (f >= 3701 && f <= 3800) {
        add(cam[CamPitch], 0.0034904014);
        add(cam[CamZ], 20);
        add(cam[CamY], -30);
    } else if (f >= 8201 && f <= 8500) {
        add(cam[CamPitch], 0.0034904014);
        add(cam[CamX], -0.7);
        add(cam[CamY], -15);
    } else if (f >= 9401 && f <= 9600) {
        add(cam[CamYaw], 0.0034904014);
        add(cam[CamX], -0.7);
        add(cam[CamY], -5);
    } else if (f >= 9601 && f <= 10000) {
        // The dive toward the wall slows smoothly: the step is worked out in
        // real numbers (the pillars' first thrust at 10199 meets the ship
        // where this flight leaves the camera).
        add(cam[CamY], (10000 - f) / 13.0 + 3);
        add(cam[CamZ], -2);
        add(cam[CamPitch], -0.0012216405);
    } else if (f >= 11001 && f <= 11310) {
        add(cam[CamYaw], 0.0013961606);
        add(cam[CamZ], 2.5);
        add(cam[CamX], -6);
    }
}

void SpawnTowerParticles(Game& game) {
    GameState& s = game.state;
    const int f = s.stageFrame;
    if (f <= 11849 || f % 3 != 0 || s.stageCleared || f >= 100000) return;
    if (s.bossActive && (s.bossPattern() < 72 || s.bossPattern() > 76)) return;
    const ParticleFrame p = particleFrame(s);
    auto at = [&](int phi, int rho, double& x, double& y) {
        const double a = phi / kDegreesPerRadian;
        x = 224 + std::cos(a) * rho * p.s;
        y = 210 + std::sin(a) * rho * p.s + p.r0;
    };
    double x = 0, y = 0;
    if (f % 6 == 0) {
        const int phi1 = game.rand() % 360;
        const int rho1 = game.rand() % 24;
        at(phi1, rho1, x, y);
        particle(game, static_cast<float>(x), static_cast<float>(y), 2, 101);
        const int phi2 = game.rand() % 360;
        const int rho2 = game.rand() % 12 + 18;
        at(phi2, rho2, x, y);
        particle(game, static_cast<float>(x), static_cast<float>(y), 2, 101);
    }
    const int phi = game.rand() % 360;
    const int rho = game.rand() % 12 + 18;
    const int spread = game.rand() % 36;
    at(phi, rho, x, y);
    particle(game, static_cast<float>(spread + 224 - 18), static_cast<float>(y), 1.1f, 102);
}

void DrawStage7Backdrop(Game& game) {
    const GameState& s = game.state;
    if (!game.uiSprite || s.stageCleared) return;
    if (s.bossActive && s.bossPattern() > 72) return;
    const int f = s.stageFrame;
    int alpha = 255;
    if (f <= 900) alpha = 0;
    else if (f <= 1154) alpha = f - 900;
    if (s.bossActive && s.bossPattern() == 72 && s.bossTimer() < 0)
        alpha = std::max(0, -2 * s.bossTimer() - 345);
    Sprite& sp = *game.uiSprite;
    sp.SetBlendMode(BLEND_ALPHABLEND);
    sp.SetZ(0.92f);
    sp.SetTexture(s.textures[kBackdropTexture]);
    sp.SetColor(white(alpha));
    sp.SetHotSpot(500, 500);
    sp.SetTextureRect(250, 100, 1000, 1000);
    sp.RenderEx(400, -80, static_cast<float>(-(f / 12) / kDegreesPerRadian), 1.4f, 1.4f);
    sp.SetColor(0xFFFFFFFFu);
}

void SortStage7Scenery(Game& game) {
    GameState& s = game.state;
    const int passes = s.stageFrame >= kStage7TowerFrame ? 1 : s.sceneObjectCount;
    SortSceneObjects(s, passes, true);
    s.sceneCamera[CamYaw] = WrapSceneAngle(s.sceneCamera[CamYaw]);
}

}  // namespace korvid
