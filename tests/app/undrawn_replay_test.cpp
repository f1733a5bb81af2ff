// A headless run without pictures skips the drawing work of every frame; a
// run whose quads are logged works all of it out. Both must play the same
// game: every frame's state hash the same, from the first frame to the last.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/GameProcess.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

void ExpectDrawnAndUndrawnAgree(const std::string& name, const std::string& extra) {
    const fs::path fixture = fs::path(test::SourceDir()) / "tests/fixtures" / name;
    const fs::path dir = fs::temp_directory_path() / ("korvid-undrawn-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const std::string args = "--replay " + (fixture / "replay.rpy").string() + " --trace-hash" + extra;
    const test::GameRun undrawn = test::RunHeadless("--dir " + (dir / "a").string() + " " + args);
    const test::GameRun drawn = test::RunHeadless("--dir " + (dir / "b").string() + " " + args +
                                                  " --coverage-log " + (dir / "coverage.txt").string());
    const bool logged = fs::exists(dir / "coverage.txt") && fs::file_size(dir / "coverage.txt") > 0;
    fs::remove_all(dir);
    ASSERT_EQ(undrawn.status, 0) << undrawn.out;
    ASSERT_EQ(drawn.status, 0) << drawn.out;
    EXPECT_TRUE(logged) << "the drawn run drew nothing";
    ASSERT_GT(undrawn.lines.size(), 1000u) << undrawn.out;
    ASSERT_EQ(drawn.lines.size(), undrawn.lines.size());
    for (std::size_t i = 0; i < drawn.lines.size(); ++i)
        ASSERT_EQ(drawn.lines[i], undrawn.lines[i]) << name << ": first difference at line " << i;
}

TEST(UndrawnReplay, StageOnePlaysTheSameWithAndWithoutDrawing) { ExpectDrawnAndUndrawnAgree("stage1", ""); }

TEST(UndrawnReplay, StageOneBossesPlayTheSameWithAndWithoutDrawing) {
    ExpectDrawnAndUndrawnAgree("stage1-boss", "");
}

}  // namespace
}  // namespace korvid
