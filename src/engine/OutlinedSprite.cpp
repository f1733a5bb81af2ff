#include "engine/OutlinedSprite.h"

namespace korvid {

namespace {

constexpr float kRim[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

}  // namespace

void RenderOutlined(Sprite& sprite, float x, float y, float scale, std::uint32_t argb) {
    sprite.SetColor(argb & 0xFF000000u);
    for (const auto& d : kRim) sprite.RenderEx(x + d[0], y + d[1], 0.0f, scale);
    sprite.SetColor(argb);
    sprite.RenderEx(x, y, 0.0f, scale);
}

}  // namespace korvid
