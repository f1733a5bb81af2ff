// The play field's layers are drawn clipped to what the side panel, drawn
// over them at the end of the frame, leaves to be seen: nothing is filled
// that the panel's opaque frame covers again.
#pragma once

namespace korvid {

struct Game;

// Clips what is drawn next to the panel's see-through part (its texels that
// are not fully opaque, widened for the shake a boss's defeat may start
// during the frame), when the panel is sure to be drawn whole and opaque
// this frame; otherwise draws unclipped. Ends with Gfx_SetClipping().
void ClipToPanelWindow(Game& game);

}  // namespace korvid
