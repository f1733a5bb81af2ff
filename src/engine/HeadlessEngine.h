// Choices for the headless engine beyond what CreateHeadlessEngine() gives.
#pragma once

#include <memory>

#include "engine/Engine.h"

namespace korvid {

struct HeadlessOptions {
    // Draw pictures with OpenGL (needed for screenshots and snapshots). Off,
    // frames cost only the engine's bookkeeping (quads and batches are still
    // counted, pictures are black): for long runs that only check game state,
    // where software GL would spend milliseconds on every dense frame.
    bool pictures = true;
};

std::unique_ptr<Engine> CreateHeadlessEngine(const HeadlessOptions& options);

}  // namespace korvid
