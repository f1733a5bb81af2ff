// Pool steps and rules whose modules are not built yet. Each definition
// leaves this file when its own module takes it over; when the file is
// empty it goes.
#include "game/PoolSteps.h"

namespace korvid {

// scenery
void UpdateSceneObject(Game&, int) {}

}  // namespace korvid
