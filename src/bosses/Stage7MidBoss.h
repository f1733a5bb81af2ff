// The extra stage's two mid-bosses (their lines in FightRegistry.cpp): the
// first from stage frame 3800 (patterns 67 -> 68 -> 69), the second from
// 11420 (70 -> 71, whose words are bullets of behaviour 120).
#pragma once

#include <span>

#include "bosses/FightRegistry.h"

namespace korvid {

std::span<const PatternRow> Stage7MidBoss1Rows();  // patterns 67..69
std::span<const PatternRow> Stage7MidBoss2Rows();  // patterns 70, 71
std::span<const BossBulletEntry> Stage7MidBoss2Bullets();  // behaviour 120

// The words the second mid-boss's last card writes on the field (GBK).
extern const char kStage7WordText[];

// Behaviour 120: where a word in column `column` of its line stands `age`
// frames after it was fired (the lines scroll down the field).
struct WordPlace {
    float x, y;
};
WordPlace WordFormationPlace(int column, int age);
// Formation bullets below this height leave it and fall as ordinary bullets.
inline constexpr float kWordReleaseY = 300;

}  // namespace korvid
