// The program's command line: how to run (window or headless), where the
// game folder and pack are, and the scripting hooks tests and demos use.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/Engine.h"

namespace korvid {

struct Screenshot {
    int frame = 0;
    std::string path;
};

struct Options {
    bool headless = false;
    int frames = 0;  // 0 = run until quit
    std::vector<Screenshot> screenshots;
    std::string dir;   // game folder; empty = default
    std::string pack;  // explicit pack path; empty = look it up
    std::string keysFile;
    std::string replayFile;  // play this replay from its first stage, no menus
    std::string recordFile;  // save the run's record here when it ends
    bool verify = false;     // check the replay's stored counters as it plays
    bool printState = false;
    bool trace = false;
    bool traceHash = false;
    std::string coverageLog;  // write every (texture file, texel rectangle) drawn here
    // Direct starts for development and fixtures: the practice of a stage
    // without the menus (recorded as a practice run), optionally with a
    // fight brought in at once at one of its patterns.
    int practiceStage = 0;  // 0: the title as usual
    int difficulty = 1;
    int character = 1;
    int bossPattern = 0;    // 0: the stage plays from its start
    int fromFrame = 0;      // > 0: the stage's clock jumps to this frame once it has begun
    bool autopilot = false; // the autopilot holds the keys (see app/Autopilot.h)
    int seekFrame = 0;      // with --replay: start at this frame of play (app/ReplaySeek.h)
    int demoAfter = -1;     // idle frames before the title's demo (-1: the window's default, none headless)
    bool probe = false;     // state lines carry the boss and pool fields
    bool help = false;
    bool version = false;
    // Not a command-line option: tests that drive devices (a virtual game
    // controller) get a call before each frame's render, with the frame number.
    std::function<void(int frame)> beforeFrame;
    // Not a command-line option: benchmarks get the last frame's drawing
    // statistics before each frame's render.
    std::function<void(const FrameStats&)> frameStats;
};

// Parses argv (without argv[0]). On a bad option returns nullopt and sets
// `error` to a one-line message.
std::optional<Options> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

const char* UsageText();
// "korvid VERSION" and a line feed.
const char* VersionText();

}  // namespace korvid
