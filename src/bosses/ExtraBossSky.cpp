// The extra boss's sky. The hour t runs at the speed of the pattern
// (SkySpeed) and wraps at 24. Nine key colours per band (hours 0, 3, ...,
// 24; the ninth repeats midnight so the last block has a key to go to);
// four bands from the zenith to the horizon. The upper field is one quad
// shaded from band 0 to band 1; the mesh (drawn at (0, 288), its sheet's
// rectangle (0, 0, 480, 192) nearly black so the vertex colours show
// through the colour-adding blend) runs from band 1 to band 3 row by row,
// its lower rows rippling. The sun and the moon ride opposite each other on
// an ellipse (radius 240, 168 across) around (224, 346); 100 stars drift
// left and fade out as the day comes up.
#include "bosses/ExtraBossSky.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "game/Game.h"

namespace korvid {

namespace {

constexpr int kSkySheet = 48;  // texture entry of "Graphics/objects.png"
constexpr const char* kSkySheetFile = "Graphics/objects.png";
constexpr float kSkyZ = 0.9f;
constexpr double kPi = 3.14159265358979323846;

// Key colours, bands zenith .. horizon, at hours 0, 3, ..., 24.
constexpr std::uint32_t kSkyKeys[9][4] = {
    {0xFF02030A, 0xFF05081A, 0xFF0A1030, 0xFF101840},  // 0  midnight
    {0xFF03040E, 0xFF080C22, 0xFF101838, 0xFF1A2048},  // 3
    {0xFF1A2050, 0xFF503870, 0xFFC06070, 0xFFFFA060},  // 6  dawn
    {0xFF3060B0, 0xFF5088D0, 0xFF80B0E0, 0xFFB0D0F0},  // 9
    {0xFF2050C0, 0xFF4078E0, 0xFF70A8F0, 0xFFA0D0FF},  // 12 noon
    {0xFF3058B0, 0xFF5080D0, 0xFF90B0E0, 0xFFD0D8E8},  // 15
    {0xFF202858, 0xFF603060, 0xFFD05040, 0xFFFF9030},  // 18 dusk
    {0xFF080A20, 0xFF101438, 0xFF201C48, 0xFF302050},  // 21
    {0xFF02030A, 0xFF05081A, 0xFF0A1030, 0xFF101840},  // 24 midnight again
};

// Hours a frame, patterns 81..86: half a day over 81's 3000 frames, the
// later patterns faster (86 a full day in 2400 frames).
constexpr double kSkySpeeds[6] = {0.004, 0.006, 0.005, 0.008, 0.006, 0.01};

struct Star {
    float x, y;
    float drift;  // pixels a frame to the left
    int bright;   // alpha at night
};
// A fixed field of stars over the upper sky (a small generator at compile
// time: the same sky every run).
constexpr std::array<Star, 100> kStars = [] {
    std::array<Star, 100> stars{};
    std::uint32_t v = 0x2545F491u;
    auto next = [&v] {
        v = v * 1664525u + 1013904223u;
        return static_cast<int>(v >> 8);
    };
    for (Star& s : stars) {
        s.x = static_cast<float>(next() % 448);
        s.y = static_cast<float>(next() % 300);
        s.drift = 0.05f + 0.05f * static_cast<float>(next() % 4);
        s.bright = 110 + next() % 146;
    }
    return stars;
}();

double wrapHour(double h) {
    const double w = std::fmod(h, 24.0);
    return w < 0 ? w + 24 : w;
}

std::uint32_t lerpColour(std::uint32_t a, std::uint32_t b, double f) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= static_cast<std::uint32_t>(std::lround(ca + (cb - ca) * f)) << shift;
    }
    return out;
}

// The colour at a depth 0..3 between the bands.
std::uint32_t skyAt(double hour, double depth) {
    const int band = std::clamp(static_cast<int>(depth), 0, 2);
    return lerpColour(SkyBandColour(hour, band), SkyBandColour(hour, band + 1), depth - band);
}

double localHour() {
    if (const char* fixed = std::getenv("KORVID_SKY_HOUR")) return std::atof(fixed);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_hour + local.tm_min / 60.0 + local.tm_sec / 3600.0;
}

void makeSky(Game& game) {
    GameState& s = game.state;
    if (!s.textures[kSkySheet]) s.textures[kSkySheet] = game.engine.Texture_Load(kSkySheetFile);
    game.skyMesh = std::make_unique<DistortionMesh>(game.engine, 16, 16);
    DistortionMesh& mesh = *game.skyMesh;
    mesh.SetTexture(s.textures[kSkySheet]);
    mesh.SetTextureRect(0, 0, 480, 192);
    mesh.SetBlendMode(BLEND_COLORADD | BLEND_ALPHABLEND);
    game.sky = {};
    game.sky.hour = wrapHour(SkyStartHour(game));
}

// Band colours row by row (band 1 at the top row to band 3 at the bottom)
// and the ripple: each row swings sideways, more the lower it lies, and
// each column bobs a little.
void shapeMesh(Game& game) {
    DistortionMesh& mesh = *game.skyMesh;
    const double hour = game.sky.hour, f = game.sky.frames;
    mesh.Clear(0xFF000000, kSkyZ);
    for (int r = 0; r < 16; ++r) {
        const double low = r / 15.0;
        const std::uint32_t colour = skyAt(hour, 1 + 2 * low);
        const float sway = static_cast<float>(low * low * 6 * std::sin(f * 0.06 + r * 0.7));
        for (int c = 0; c < 16; ++c) {
            const float bob = static_cast<float>(low * 2 * std::sin(f * 0.045 + c * 0.5));
            mesh.SetColor(c, r, colour);
            mesh.SetDisplacement(c, r, sway, bob, DistortionMesh::FromNode);
        }
    }
}

void upperSky(Game& game) {
    Sprite& sp = *game.uiSprite;
    sp.SetTexture(game.state.textures[kSkySheet]);
    sp.SetTextureRect(0, 0, 480, 192);
    sp.SetHotSpot(0, 0);
    sp.SetBlendMode(BLEND_COLORADD | BLEND_ALPHABLEND);
    sp.SetZ(kSkyZ);
    const std::uint32_t top = skyAt(game.sky.hour, 0), bottom = skyAt(game.sky.hour, 1);
    sp.SetColor(top, 0);
    sp.SetColor(top, 1);
    sp.SetColor(bottom, 2);
    sp.SetColor(bottom, 3);
    sp.RenderEx(0, 0, 0, 1, 1.5f);
}

// The sun (phase 0) or the moon (phase pi): above the horizon it shows,
// larger near it.
void body(Game& game, double phase, float cellX, int maxAlpha) {
    const double a = (game.sky.hour - 6) / 24 * 2 * kPi + phase;
    const double height = std::sin(a);
    const int alpha = static_cast<int>(maxAlpha * std::clamp((height + 0.15) / 0.3, 0.0, 1.0));
    if (alpha <= 0) return;
    Sprite& sp = *game.uiSprite;
    sp.SetTexture(game.state.textures[kSkySheet]);
    sp.SetTextureRect(cellX, 192, 128, 128);
    sp.SetHotSpot(64, 64);
    sp.SetBlendMode(BLEND_COLORADD | BLEND_ALPHABLEND);
    sp.SetZ(0.899f);
    sp.SetColor(static_cast<std::uint32_t>(alpha) << 24 | 0x000000u);
    const float scale = static_cast<float>(0.7 + 0.4 * (1 - std::max(0.0, height)));
    sp.RenderEx(static_cast<float>(224 - 168 * std::cos(a)), static_cast<float>(346 - 240 * height), 0, scale);
}

void stars(Game& game) {
    const double sun = std::sin((game.sky.hour - 6) / 24 * 2 * kPi);
    const double night = 1 - std::clamp((sun + 0.1) / 0.3, 0.0, 1.0);
    if (night <= 0) return;
    Sprite& sp = *game.uiSprite;
    sp.SetTexture(game.state.textures[kSkySheet]);
    sp.SetTextureRect(256, 192, 32, 32);
    sp.SetHotSpot(16, 16);
    sp.SetBlendMode(BLEND_COLORADD | BLEND_ALPHABLEND);
    sp.SetZ(0.8995f);
    for (const Star& st : kStars) {
        const double x = std::fmod(st.x - st.drift * game.sky.frames, 448.0);
        const int alpha = static_cast<int>(st.bright * night);
        sp.SetColor(static_cast<std::uint32_t>(alpha) << 24);
        sp.RenderEx(static_cast<float>(x < 0 ? x + 448 : x), st.y, 0, 0.2f + 0.2f * st.bright / 255.0f);
    }
}

}  // namespace

double SkyStartHour(const Game& game) { return game.skyHourNow ? game.skyHourNow() : localHour(); }

std::uint32_t SkyBandColour(double hour, int band) {
    const double h = wrapHour(hour);
    const int key = std::min(7, static_cast<int>(h / 3));
    const int b = std::clamp(band, 0, 3);
    return lerpColour(kSkyKeys[key][b], kSkyKeys[key + 1][b], (h - 3 * key) / 3);
}

double SkySpeed(int id) { return id >= 81 && id <= 86 ? kSkySpeeds[id - 81] : 0; }

void DrawSky(Game& game) {
    if (!game.skyMesh) makeSky(game);
    game.sky.speed = SkySpeed(game.state.bossPattern());
    game.sky.hour = wrapHour(game.sky.hour + game.sky.speed);
    game.sky.frames += 1;
    shapeMesh(game);
    upperSky(game);
    game.skyMesh->Render(0, 288);
    stars(game);
    body(game, 0, 0, 255);
    body(game, kPi, 128, 220);
    Sprite& sp = *game.uiSprite;
    sp.SetColor(0xFFFFFFFF);
    sp.SetBlendMode(BLEND_DEFAULT);
    sp.SetHotSpot(0, 0);
}

void DropSky(Game& game) {
    game.skyMesh.reset();
    game.sky = {};
    GameState& s = game.state;
    if (s.textures[kSkySheet]) game.engine.Texture_Free(s.textures[kSkySheet]);
    s.textures[kSkySheet] = 0;
}

}  // namespace korvid
