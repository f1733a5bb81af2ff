// Collects every texture rectangle the game draws, by file, so the stand-in
// pack can be checked for pictures the game cuts but the pack never painted.
#pragma once

#include <set>
#include <string>
#include <tuple>

namespace korvid {

class Engine;

class CoverageLog {
public:
    // Starts logging the engine's textured quads.
    void attach(Engine& engine);
    // One line per distinct rectangle: "file x y w h" (whole texels).
    bool write(const std::string& path) const;
    std::size_t size() const { return rects_.size(); }

private:
    std::set<std::tuple<std::string, int, int, int, int>> rects_;
};

}  // namespace korvid
