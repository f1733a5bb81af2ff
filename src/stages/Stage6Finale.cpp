#include "stages/Stage6Finale.h"

namespace korvid {

// Nothing follows frame 8200 yet.
void RunStage6Finale(Game&) {}

}  // namespace korvid
