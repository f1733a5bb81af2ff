#include "play/SceneList.h"

#include <utility>

#include "game/Game.h"

namespace korvid {

namespace {

constexpr float kRemovedFor3DZ = 0.89921f;

// Whether one bubble step swaps records a (lower index) and b.
bool outOfOrder(const SceneObject& a, const SceneObject& b, bool pillarsLast) {
    if (a.distance > b.distance) return true;
    return pillarsLast && a.kind == kPillarKind && a.pitch != 0 && b.kind < a.kind;
}

void swapKeepingZ(SceneObject& a, SceneObject& b) {
    std::swap(a, b);
    for (int v = 0; v < 4; ++v) std::swap(a.sprite.quad.v[v].z, b.sprite.quad.v[v].z);
}

}  // namespace

double SceneDepthScale(const GameState& s) { return s.stageFrame < 11850 ? 1.0 : 0.1; }

int SpawnSceneObject(Game& game, TexRect r, float x, float y, float z, float yaw, float pitch, float flatX,
                     float flatY, int kind) {
    GameState& s = game.state;
    const int i = s.sceneObjectCount;
    if (i < 0 || i >= kSceneObjectCapacity) return -1;
    SceneObject& o = s.sceneObjects[i];
    const HTEXTURE tex = (r.tex >= 0 && r.tex < kTextureTableSize) ? s.textures[r.tex] : 0;
    sprite::SetZ(o.sprite, static_cast<float>(kSceneBaseZ + i * 0.0001 * SceneDepthScale(s)));
    sprite::SetTexture(game.engine, o.sprite, tex);
    sprite::SetColor(o.sprite, 0xFFFFFFFF);
    sprite::SetBlendMode(o.sprite, BLEND_ALPHABLEND);
    sprite::SetTextureRect(o.sprite, static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.w),
                           static_cast<float>(r.h));
    sprite::SetHotSpot(o.sprite, static_cast<float>(r.w / 2), static_cast<float>(r.h / 2));
    o.texX = static_cast<float>(r.x);
    o.texY = static_cast<float>(r.y);
    o.texW = static_cast<float>(r.w);
    o.texH = static_cast<float>(r.h);
    o.x = x;
    o.y = y;
    o.z = z;
    o.yaw = yaw;
    o.pitch = pitch;
    o.flatX = flatX;
    o.flatY = flatY;
    o.kind = kind;
    // A flat particle sorts among the 3D pieces at its fixed depth from the
    // frame it appears (not in front of everything until its first update).
    o.distance = kind > kLastSceneKind3D ? kFlatSceneDistance : 0;
    o.timer = 0;
    s.sceneObjectCount = i + 1;
    if (i >= s.sceneObjectsUsed) s.sceneObjectsUsed = i + 1;
    return i;
}

void ResetSceneObjects(GameState& s) {
    for (int i = 0; i < kSceneObjectCapacity; ++i) ResetSceneObject(s.sceneObjects[i], i);
    s.sceneObjectCount = 0;
    s.sceneObjectsUsed = 0;
}

void SortSceneObjects(GameState& s, int passes, bool pillarsLast) {
    const int n = s.sceneObjectCount;
    for (int pass = 0; pass < passes; ++pass) {
        bool swapped = false;
        for (int k = n - 1; k >= 1; --k) {
            if (!outOfOrder(s.sceneObjects[k - 1], s.sceneObjects[k], pillarsLast)) continue;
            swapKeepingZ(s.sceneObjects[k - 1], s.sceneObjects[k]);
            swapped = true;
        }
        // A pass that swapped nothing left the list as it was: every further
        // pass would see the same records and do the same nothing.
        if (!swapped) break;
    }
}

void RemoveSceneObject(GameState& s, int index, float movedZ) {
    const int n = s.sceneObjectCount;
    if (index < 0 || index >= n) return;
    for (int k = index; k + 1 < n; ++k) {
        s.sceneObjects[k] = s.sceneObjects[k + 1];
        sprite::SetZ(s.sceneObjects[k].sprite, movedZ);
    }
    s.sceneObjectCount = n - 1;
}

void RemoveSceneryOf3DKinds(GameState& s) {
    const int n = s.sceneObjectCount;
    int kept = 0;
    for (int k = 0; k < n; ++k) {
        if (s.sceneObjects[k].kind <= kLastSceneKind3D) continue;
        if (k != kept) {
            s.sceneObjects[kept] = s.sceneObjects[k];
            sprite::SetZ(s.sceneObjects[kept].sprite, kRemovedFor3DZ);
        }
        ++kept;
    }
    s.sceneObjectCount = kept;
}

}  // namespace korvid
