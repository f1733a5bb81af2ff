// Frame steps whose modules are not part of the game yet. Each one moves to
// its own file when it is built.
#include "game/FrameSteps.h"

#include "game/Game.h"

namespace korvid {


}  // namespace korvid
