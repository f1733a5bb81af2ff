// What the game loads and when: the shared textures and sounds at the first
// title visit, the character sheets when the character changes, the stage
// sheets at every stage start (freed again at the stage's end).
#pragma once

#include <span>

namespace korvid {

struct Game;

struct TextureFile {
    int index;  // texture table entry
    const char* file;
};

struct SoundEntry {
    const char* file;
    int percent;  // of the sound-effect volume; sound 9's is set at run time
};

// Character 2's bomb plays two files of its own, loaded once into sound
// table entries no request plays.
inline constexpr int kBombChargeSound = 35;
inline constexpr int kBombSparkSound = 36;

// Texture table entries loaded once, in load order.
std::span<const TextureFile> SharedTextures();
// The sound table: 35 entries played by index; 35..49 are never played.
std::span<const SoundEntry> SoundTable();
// Entries 52..55 (death sheet, ship, shots, bombs) for character 1..3.
std::span<const TextureFile> CharacterSheets(int character);
// The stage's own sheets for stage 1..7 and character 1..3 (empty cells left out).
// Fills `out` and returns how many entries there are.
int StageSheets(int stage, int character, TextureFile (&out)[9]);

// First title entry: textures, sounds, shared sprites, direction tables,
// pools, then the title's own textures and music.
void LoadSharedResources(Game& game);
void LoadCharacterSheets(Game& game, int character);
// Loads the shared pictures that carry words again (the side panel's
// labels, the overwrite question), after the language changed; the side
// panel's sprite follows.
void ReloadLanguagePictures(Game& game);
void LoadStageSheets(Game& game);
// Frees exactly the entries the stage loaded.
void FreeStageSheets(Game& game);

}  // namespace korvid
