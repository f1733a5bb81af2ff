// Contact rules of play: bullet shapes against the player, graze, lasers,
// player shots against enemies, and the hit itself.
#pragma once

namespace korvid {

struct Game;

// The shot left where a drain bullet touched the player: it never hurts
// (and the shot update frees it after 30 frames).
inline constexpr int kMarkerShotKind = 14;

// dx, dy: absolute distances between an object and the player. Mode 2 tests
// the body of enemy `slot`; any other mode tests enemy bullet `slot`.
// Lasers (texture 4) also set laserNear when the player passes close by.
bool BulletHitTest(Game& game, float dx, float dy, int slot, int mode);
// The bullet half of it, for a caller that has already worked out the
// doubled, scaled distances m = 2 dx / |scaleX| and o = 2 dy / |scaleY|.
bool BulletShapeHit(Game& game, int slot, float dx, float dy, float m, float o);

// Player shot `shot` against enemy `enemy`; radius is the enemy's half size.
// Boss patterns 30 and 31 draw a rotating bar: its centre is bossVar[1],
// bossVar[2] and its bearing bossVar[3], which those patterns keep current.
bool ShotHitTest(Game& game, float dx, float dy, int shot, float radius, int enemy);

// The hit: recorded only while invincibleTimer and hitPending are both 0.
// Requests sound 13 and sets hitPending 11; bullets (and hazards) also give
// invincibleTimer 31. Returns whether the hit was recorded.
bool RecordPlayerHit(Game& game, bool withInvincibility);

// One graze's pay: sound 12, graze + 1, score + 100, the power gain while not
// invincible (`gains` times), and the graze spark at the player.
void PayGraze(Game& game, int gains = 1);

// Graze and hit of enemy bullet `slot` against the player, as the bullet
// update runs it: nothing for harmless (negative) behaviours or while time
// stands still; lasers only hit; other bullets graze once and can hit only
// while inside their graze area.
void TestBulletAgainstPlayer(Game& game, int slot);

}  // namespace korvid
