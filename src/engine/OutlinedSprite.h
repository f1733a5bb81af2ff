// A picture drawn with a dark rim: eight black copies one pixel around, then
// the picture itself, so light text stays readable over a light background.
#pragma once

#include <cstdint>

#include "engine/Sprite.h"

namespace korvid {

// Draws `sprite` (its texture, rectangle, hot spot and z as set) at (x, y)
// scaled by `scale`, in `argb`, over its rim. The rim takes the alpha of
// `argb`. The sprite's colour is left at `argb`.
void RenderOutlined(Sprite& sprite, float x, float y, float scale, std::uint32_t argb);

}  // namespace korvid
