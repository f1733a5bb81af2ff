// Putting new objects into the pools. Every spawn takes the first free slot
// from 0, re-cuts that slot's sprite from a texture table entry and stores
// its fields; a full pool drops the spawn silently and leaves the
// last-spawned slot as it was. Callers adjust the object just made through
// lastEnemyBulletSlot, lastEffectSlot and lastItemSlot.
#pragma once

namespace korvid {

struct Game;

struct TexRect {
    int tex;  // texture table entry
    int x, y, w, h;
};

int SpawnEnemyBullet(Game& game, TexRect r, float x, float y, float scaleX, float scaleY, float angle, float z,
                     float speed, int behavior, int alpha);

struct EffectColour {
    int alpha, red, green, blue;
};
// Type 13 is refused: no slot is taken.
int SpawnEffect(Game& game, TexRect r, float x, float y, float scaleX, float scaleY, float angle, float z, int type,
                EffectColour colour, int blend, int age);

int SpawnItem(Game& game, TexRect r, float x, float y, float heading, int kind);
// The variant used for the player's dropped items and some scripts: keeps
// halfValue, attracts only kind 4, and does not touch lastItemSlot.
int SpawnItemUntracked(Game& game, TexRect r, float x, float y, float heading, int kind);

int SpawnPlayerShot(Game& game, TexRect r, float x, float y, float scaleX, float scaleY, float angle, float z,
                    float speed, int kind, int alpha, float damage);

// Texture index x 1000 + texture-rectangle y: identifies a bullet or enemy shape.
constexpr int SpriteKey(int tex, int texY) { return tex * 1000 + texY; }

}  // namespace korvid
