// Start-up of the process and the frame loop.
#pragma once

#include "app/CommandLine.h"

namespace korvid {

struct Game;

inline constexpr const char* kPackName = "gamedat.zip";
inline constexpr const char* kPackPassword = "qorvantelmisbe";

// Runs the whole program; returns the process exit status.
int RunGame(const Options& options);

// The frame function: true ends the loop.
bool FrameFunc(Game& game);

}  // namespace korvid
