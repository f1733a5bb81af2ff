// A benchmark's run of the real game: headless, in its own game folder
// (emptied first), on the pack built beside the tests.
#pragma once

#include <filesystem>

#include "app/CommandLine.h"
#include "support/TestPaths.h"

namespace korvid::test {

inline Options HeadlessBenchOptions(const std::filesystem::path& dir) {
    std::filesystem::remove_all(dir);
    Options o;
    o.headless = true;
    o.dir = dir.string();
    o.pack = BinaryPath("/gamedat.zip");
    return o;
}

}  // namespace korvid::test
