// The loop points of the stages' music: while its stage's rule holds (boss
// present, its pattern in range, stage not cleared), a channel at or past
// `at` seconds goes back to `to`. Each row names a tune that can be playing
// while the rule holds (the stage's own, or its boss's once the fight has
// switched to it), so every tune named must last past `at`.
#pragma once

namespace korvid {

struct MusicLoop {
    int stage;
    const char* tune;
    float at, to;
};

inline constexpr MusicLoop kMusicLoops[] = {
    {2, "Music/music2.mp3", 115.5f, 0.0f},         {2, "Music/music2boss.mp3", 115.5f, 0.0f},
    {3, "Music/music3.mp3", 168.1f, 0.2f},         {3, "Music/music3boss.mp3", 168.1f, 0.2f},
    {6, "Music/music6.mp3", 265.2f, 121.9f},       {6, "Music/music6boss.mp3", 265.2f, 121.9f},
    {6, "Music/music6bossb.ogg", 211.7f, 106.0f},  {6, "Music/trueboss.ogg", 211.7f, 106.0f},
    {7, "Music/musicexboss.mp3", 301.4f, 148.2f},  {7, "Music/musicex.mp3", 124.16f, 21.3f},
};

}  // namespace korvid
