// The title's demo play: left alone on the main menu the game starts a
// stage practice played by the autopilot; a key hands back to the title
// (without acting on the menu), the next idle spell shows the next stage,
// and nothing of the demos is kept in the game folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/FrameDriver.h"
#include "app/TitleDemo.h"
#include "game/Game.h"
#include "play/StageFlow.h"
#include "support/GameProcess.h"
#include "support/RecordingEngine.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

std::string field(const std::string& stateLine, const std::string& name) {
    const std::string line = " " + stateLine;
    const std::size_t at = line.find(" " + name + "=");
    if (at == std::string::npos) return {};
    const std::size_t from = at + name.size() + 2;
    return line.substr(from, line.find(' ', from) - from);
}

TEST(TitleDemo, StartsAfterIdleFramesAndAKeyHandsBackToTheTitle) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-demo-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // Z confirms on the main menu: it must only end the demo.
    std::ofstream(dir / "keys.txt") << "900 Z\n";
    const test::GameRun run = test::RunHeadless("--dir " + (dir / "game").string() + " --keys " +
                                                (dir / "keys.txt").string() +
                                                " --demo-after 300 --frames 1260 --trace");
    ASSERT_EQ(run.status, 0) << run.out;
    ASSERT_EQ(run.lines.size(), 1260u);
    const auto line = [&](int frame) { return run.lines[static_cast<std::size_t>(frame - 1)]; };

    // The logo (200 frames), then 300 idle frames on the main menu.
    int started = 0;
    for (int f = 1; f <= 900 && !started; ++f)
        if (field(line(f), "screen") == "10") started = f;
    EXPECT_GE(started, 498);
    EXPECT_LE(started, 505);
    // The demo plays stage 1 with the ship moving and no life lost.
    float minX = 1e9f, maxX = -1e9f;
    for (int f = started; f < 900; ++f) {
        ASSERT_EQ(field(line(f), "screen"), "10") << line(f);
        ASSERT_EQ(field(line(f), "stage"), "1") << line(f);
        ASSERT_EQ(field(line(f), "lives"), "8") << line(f);
        const float x = std::stof(field(line(f), "x"));
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
    }
    EXPECT_GT(maxX - minX, 40.0f);
    // The key ends it at once; the title stays on its main menu.
    for (int f = 900; f < 1190; ++f) {
        ASSERT_EQ(field(line(f), "screen"), "0") << "frame " << f << ": " << line(f);
        ASSERT_EQ(field(line(f), "stage"), "0") << line(f);
    }
    // Another idle spell: the next demo is stage 2.
    EXPECT_EQ(field(line(1260), "screen"), "10") << line(1260);
    EXPECT_EQ(field(line(1260), "stage"), "2") << line(1260);

    // No records, card history or replay kept.
    for (const auto& entry : fs::recursive_directory_iterator(dir / "game")) {
        const std::string name = entry.path().filename().string();
        EXPECT_NE(name, "records.dat");
        EXPECT_NE(entry.path().extension(), ".rpy") << name;
    }
    fs::remove_all(dir);
}

// The engine as the game loop wires it: while the demo runs the game sees
// the autopilot's keys, else the keys held.
struct DemoEngine : test::RecordingEngine {
    const TitleDemo* demo = nullptr;
    const GameState* state = nullptr;
    bool Input_GetKeyState(int vk) override {
        if (!demo || !demo->running()) return RecordingEngine::Input_GetKeyState(vk);
        for (int k = 0; k < kGameKeyCount; ++k)
            if (demo->pilot()->holds(k) && state->keyBindings[k].code == vk) return true;
        return false;
    }
    void Gfx_RenderQuad(const Quad*) override {}  // the look-ahead draws thousands
};

// Handed back, the title holds nothing of the demo's play, not even the
// counters it does not show: its play records are those it had before the
// demo (its own clock aside), so the next game or screen starts clean.
TEST(TitleDemo, AKeyHandsBackATitleWithNothingOfTheDemosPlay) {
    DemoEngine engine;
    const auto game = std::make_unique<Game>(engine);
    game->screenSprite = std::make_unique<Sprite>(engine, 0, 0, 0, 640, 480);
    game->uiSprite = std::make_unique<Sprite>(engine, 0, 0, 0, 0, 0);
    GameState& s = game->state;
    const int codes[kGameKeyCount] = {38, 40, 37, 39, 16, 'Z', 'X', 17};
    for (int k = 0; k < kGameKeyCount; ++k) s.keyBindings[k].code = codes[k];
    ClearAllPools(s);
    s.stageFrame = 300;  // the main menu, past the logo
    s.difficulty = 2;
    s.character = 3;
    const auto before = std::make_unique<PlayRecords>(static_cast<const PlayRecords&>(s));

    TitleDemo demo(/*idleFrames=*/20);
    engine.demo = &demo;
    engine.state = &s;
    const auto frame = [&](bool key) {
        demo.beforeFrame(*game, key);
        if (demo.running()) demo.pilot()->beforeFrame(*game);
        RenderFunc(*game, demo.running() ? PlayCaption::Demo : PlayCaption::None);
    };
    for (int f = 0; f < 40 && !demo.running(); ++f) frame(false);
    ASSERT_TRUE(demo.running());
    // The demo plays until it has scored and has shots on the field.
    for (int f = 0; f < 2000 && !(s.score > 0 && s.playerShots.used > 0); ++f) frame(false);
    ASSERT_EQ(s.screen, 10);
    ASSERT_GT(s.score, 0);
    ASSERT_NE(s.stageFrame, 0);

    frame(true);
    EXPECT_FALSE(demo.running());
    EXPECT_EQ(s.screen, 0);
    EXPECT_EQ(s.difficulty, 2);
    EXPECT_EQ(s.score, 0);
    auto expected = std::make_unique<PlayRecords>(*before);
    expected->stageFrame = s.stageFrame;
    EXPECT_EQ(std::memcmp(expected.get(), static_cast<const PlayRecords*>(&s), sizeof(PlayRecords)), 0);
}

}  // namespace
}  // namespace korvid
