#include "engine/Letterbox.h"

#include <cstdint>

namespace korvid {

ViewRect FitLetterbox(int windowW, int windowH, int gameW, int gameH) {
    if (windowW <= 0 || windowH <= 0 || gameW <= 0 || gameH <= 0) return {};
    ViewRect r;
    // Compare windowW/windowH with gameW/gameH in integers: no rounding decides the side.
    if (std::int64_t(windowW) * gameH > std::int64_t(windowH) * gameW) {
        r.h = windowH;
        r.w = int(std::int64_t(windowH) * gameW / gameH);
    } else {
        r.w = windowW;
        r.h = int(std::int64_t(windowW) * gameH / gameW);
    }
    r.x = (windowW - r.w) / 2;
    r.y = (windowH - r.h) / 2;
    return r;
}

void WindowToGame(const ViewRect& view, int gameW, int gameH, float wx, float wy, float* gx, float* gy) {
    if (view.w <= 0 || view.h <= 0) {
        *gx = wx;
        *gy = wy;
        return;
    }
    *gx = (wx - float(view.x)) * float(gameW) / float(view.w);
    *gy = (wy - float(view.y)) * float(gameH) / float(view.h);
}

}  // namespace korvid
