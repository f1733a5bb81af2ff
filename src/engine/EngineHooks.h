// What a player program inside the game asks of the engine beyond what a
// game needs: frames played unseen (a replay's fast seek), frames played to
// be thrown away (the autopilot's look-ahead), and the keyboard as the
// player holds it while scripted keys rule (the title's demo). An engine
// that is not one of ours ignores them.
#pragma once

namespace korvid {

class Engine;

// While on, frames play unseen: quads and lines are only counted, as in a
// headless run, and sound effects (streams played once) are not started.
// The picture of the last frame drawn stays.
void SetUnseenFrames(Engine& engine, bool on);
// While on, frames are played to be thrown away (a look-ahead restores its
// snapshot afterwards): unseen as above, no stream starts, nothing is
// freed, and what is loaded is freed when the trial ends.
void SetTrialFrames(Engine& engine, bool on);
// The keyboard as the player holds it, also while a key source decides
// what the game sees.
bool DeviceKeyHeld(Engine& engine, int vk);

}  // namespace korvid
