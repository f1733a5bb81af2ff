#include "app/CoverageLog.h"

#include <cmath>
#include <fstream>

#include "engine/Engine.h"

namespace korvid {

void CoverageLog::attach(Engine& engine) {
    engine.Shell_SetQuadLogger([this](const std::string& file, float x0, float y0, float x1, float y1) {
        // Texture coordinates come back through a division: round to texels.
        const int x = static_cast<int>(std::lround(x0)), y = static_cast<int>(std::lround(y0));
        const int w = static_cast<int>(std::lround(x1)) - x, h = static_cast<int>(std::lround(y1)) - y;
        if (w > 0 && h > 0) rects_.emplace(file, x, y, w, h);
    });
}

bool CoverageLog::write(const std::string& path) const {
    std::ofstream out(path, std::ios::trunc);
    for (const auto& [file, x, y, w, h] : rects_) out << file << ' ' << x << ' ' << y << ' ' << w << ' ' << h << '\n';
    return static_cast<bool>(out);
}

}  // namespace korvid
