// The numbers that make the three characters differ.
#pragma once

namespace korvid {

struct CharacterTraits {
    float normalSpeed;
    float focusedSpeed;
    float bombingNormalSpeed;   // while its own bomb runs
    float bombingFocusedSpeed;
    int manualBombInvincible;
    int autoBombInvincible;
    int optionWidth;
    float optionHotX;
    int trailRed, trailGreen, trailBlue;
};

inline constexpr CharacterTraits kCharacters[3] = {
    {4.5f, 2.0f, 4.5f, 2.0f, 270, 500, 24, 12, 54, 101, 255},
    {5.0f, 2.0f, 2.0f, 1.0f, 250, 360, 32, 16, 220, 240, 30},
    {4.75f, 2.0f, 4.75f, 2.0f, 240, 310, 32, 16, 60, 240, 0},
};

inline const CharacterTraits& Traits(int character) {
    return kCharacters[(character >= 1 && character <= 3) ? character - 1 : 0];
}

}  // namespace korvid
