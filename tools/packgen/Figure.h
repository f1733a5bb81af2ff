// A stylised character figure drawn from simple shapes: hair, face, dress,
// arms and legs, with optional wings, hat and halo. Used at sprite size for
// the bosses and at portrait size for character select and cut-ins.
#pragma once

#include <string>

#include "Canvas.h"
#include "Colour.h"

namespace korvid::packgen {

class Json;

struct FigureLook {
    Rgba hair{0.35f, 0.2f, 0.55f, 1}, dress{0.85f, 0.2f, 0.3f, 1}, accent{1, 1, 1, 1};
    Rgba skin{1, 0.89f, 0.81f, 1}, eyes{0.7f, 0.15f, 0.2f, 1};
    Rgba wingColour{0.8f, 0.9f, 1, 0.8f};
    int hairStyle = 0;         // 0 bob, 1 long, 2 twin tails, 3 spiky
    std::string wings;         // "", "feather", "crystal", "bat"
    std::string hat;           // "", "witch", "cap", "ribbon", "horns", "halo"
    bool chibi = true;         // big head (sprites) or tall (portraits)
};

struct FigurePose {
    float lean = 0;            // radians, positive leans right
    float flap = 0;            // wing / hair sway phase, 0..1
    bool casting = false;      // arms raised
    float bob = 0;             // vertical bounce in figure units
};

// Reads hair, dress, accent, skin, eyes, wingColour, hairStyle, wings, hat and chibi.
FigureLook ReadFigureLook(const Json& entry);

// Draws the figure so it stands in `box`; zoom > 1 enlarges it about the
// point `focusY` (0 top .. 1 feet) placed at the box's vertical centre.
void DrawFigure(Canvas& c, Rect box, const FigureLook& look, const FigurePose& pose, float zoom = 1,
                float focusY = 0.5f);

}  // namespace korvid::packgen
