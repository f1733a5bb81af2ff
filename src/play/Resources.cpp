#include "play/Resources.h"

#include <algorithm>
#include <iterator>

#include "game/Game.h"
#include "play/StageFlow.h"
#include "play/Geometry.h"
#include "play/Hud.h"
#include "play/Player.h"

namespace korvid {

namespace {

constexpr TextureFile kShared[] = {
    {0, "Graphics/bullet1.png"},   {1, "Graphics/bullet2.png"},   {2, "Graphics/bullet3.png"},
    {3, "Graphics/bullet4.png"},   {4, "Graphics/bullet5.png"},   {5, "Graphics/color.png"},
    {6, "Graphics/enemy1.png"},    {7, "Graphics/fog.png"},       {8, "Graphics/font1.png"},
    {9, "Graphics/font2.png"},     {10, "Graphics/font3.png"},    {11, "Graphics/font4.png"},
    {12, "Graphics/font5.png"},    {13, "Graphics/font6.png"},    {14, "Graphics/font7.png"},
    {15, "Graphics/font8.png"},    {17, "Graphics/talk.png"},     {18, "Graphics/logo.png"},
    {19, "Graphics/player1.png"},  {20, "Graphics/player2.png"},  {21, "Graphics/player2b.png"},
    {22, "Graphics/shadow.png"},   {23, "Graphics/slowmode.png"}, {25, "Graphics/color.png"},
    {32, "Graphics/window.png"},   {33, "Graphics/particles.png"}, {41, "Graphics/font3.png"},
    {45, "Graphics/scname.png"},   {50, "Graphics/bullet6.png"},  {51, "Graphics/bullet7.png"},
};

constexpr SoundEntry kSounds[] = {
    {"SE/se_tan00.wav", 15},    {"SE/se_tan01.wav", 20},    {"SE/se_tan02.wav", 20},
    {"SE/se_kira00.wav", 50},   {"SE/se_kira01.wav", 20},   {"SE/se_kira02.wav", 20},
    {"SE/se_enep00.wav", 10},   {"SE/se_enep01.wav", 60},   {"SE/se_enep02.wav", 40},
    {"SE/se_damage00.wav", 0},  {"SE/se_item00.wav", 30},   {"SE/se_item01.wav", 30},
    {"SE/se_graze.wav", 30},    {"SE/se_pldead00.wav", 30}, {"SE/se_border.wav", 100},
    {"SE/se_gun00.wav", 40},    {"SE/se_ch00.wav", 100},    {"SE/se_timeout.wav", 100},
    {"SE/se_cat00.wav", 80},    {"SE/se_tan00.wav", 45},    {"SE/se_ex.ogg", 60},
    {"SE/se_green.mp3", 60},    {"SE/se_lazer00.wav", 40},  {"SE/se_lazer01.wav", 40},
    {"SE/se_lazer02.wav", 40},  {"SE/se_power0.wav", 60},   {"SE/se_power1.wav", 60},
    {"SE/se_nep00.wav", 60},    {"SE/se_lazer00.wav", 70},  {"SE/se_extend.wav", 50},
    {"SE/se_powerup.wav", 60},  {"SE/se_slash.wav", 60},    {"SE/se_boon00.wav", 100},
    {"SE/se_don00.wav", 100},   {"SE/se_invalid.wav", 100},
};

constexpr TextureFile kCharacterSheets[3][4] = {
    {{52, "Graphics/playerdead.png"}, {53, "Graphics/player.png"}, {54, "Graphics/shots.png"},
     {55, "Graphics/bombs.png"}},
    {{52, "Graphics/playerdeadb.png"}, {53, "Graphics/myshipb.png"}, {54, "Graphics/shotsb.png"},
     {55, "Graphics/bombsb.png"}},
    {{52, "Graphics/playerdeadc.png"}, {53, "Graphics/myshipc.png"}, {54, "Graphics/shotsc.png"},
     {55, "Graphics/bombsc.png"}},
};

// Columns of the stage table: texture entries 24, 34, 35, 36, 38, 39, 40, 44, 46.
constexpr int kStageColumns[9] = {24, 34, 35, 36, 38, 39, 40, 44, 46};
constexpr int kPortraitColumn = 7;  // entry 44: one file per character (kPortraits)
constexpr int kOtherShipA = 3;      // stage 7: entry 36, a ship sheet of another character
constexpr int kOtherShipB = 6;      // stage 7: entry 40

constexpr const char* kStageSheets[7][9] = {
    {"Graphics/stage1.png", "Graphics/backam1.png", "Graphics/backam2.png", "Graphics/stg1enm.png",
     "Graphics/backam3.png", "Graphics/backam4.png", "Graphics/backam5.png", "portrait", "Graphics/backam6.jpg"},
    {"Graphics/stage2.png", "Graphics/backam7.png", "Graphics/backam8.png", "Graphics/stg2enm.png",
     "Graphics/backam9.png", nullptr, nullptr, "portrait", nullptr},
    {"Graphics/stage3.png", "Graphics/backam10.jpg", "Graphics/backam14.jpg", "Graphics/stg3enm2.png",
     "Graphics/auraBG.png", "Graphics/backam11.png", "Graphics/backam13.png", "portrait", "Graphics/backam5.png"},
    {"Graphics/stage4.png", "Graphics/backam15.jpg", "Graphics/backam16.jpg", "Graphics/stg4enm.png", nullptr,
     "Graphics/Fire2.png", "Graphics/stg4enm2_ex.png", "portrait", "Graphics/stg4enm2.png"},
    {"Graphics/stage5.png", "Graphics/backam17.png", "Graphics/backam19.jpg", "Graphics/stg5enm1.png",
     "Graphics/backam18.jpg", "Graphics/fire.png", "Graphics/stg5enm2.png", "portrait", nullptr},
    {"Graphics/stage6.png", "Graphics/backam21.jpg", "Graphics/lastboss1.jpg", "Graphics/train.png",
     "Graphics/stg6enm2.png", "Graphics/Fire2.png", "Graphics/stg5enm1.png", "portrait", nullptr},
    {"Graphics/stage7.png", "Graphics/stgexenm1.png", "Graphics/stgexface.png", "", "Graphics/backam26.jpg",
     "Graphics/Fire2.png", "", nullptr, nullptr},
};

// Dialogue portraits (entry 44) of stages 1..6 for characters 1..3.
constexpr const char* kPortraits[6][3] = {
    {"Graphics/talkst1.png", "Graphics/mtalkst1.png", "Graphics/stalkst1.png"},
    {"Graphics/talkst2.png", "Graphics/mtalkst2.png", "Graphics/stalkst2.png"},
    {"Graphics/talkst3.png", "Graphics/mtalkst3.png", "Graphics/stalkst3.png"},
    {"Graphics/talkst4.png", "Graphics/mtalkst4.png", "Graphics/stalkst4.png"},
    {"Graphics/talkst5.png", "Graphics/mtalkst5.png", "Graphics/stalkst5.png"},
    {"Graphics/talkst6.png", "Graphics/mtalkst6.png", "Graphics/stalkst6.png"},
};

// Stage 7 shows the two characters not chosen: their ship sheets go to 36 and 40.
constexpr const char* kOtherShips[3][2] = {
    {"Graphics/myshipb.png", "Graphics/myshipc.png"},
    {"Graphics/player.png", "Graphics/myshipc.png"},
    {"Graphics/player.png", "Graphics/myshipb.png"},
};

int clampCharacter(int c) { return c < 1 ? 1 : (c > 3 ? 3 : c); }

void loadInto(Game& game, int index, const char* file) {
    HTEXTURE& slot = game.state.textures[index];
    if (slot) game.engine.Texture_Free(slot);
    slot = game.engine.Texture_Load(file);
}

}  // namespace

std::span<const TextureFile> SharedTextures() { return kShared; }
std::span<const SoundEntry> SoundTable() { return kSounds; }

std::span<const TextureFile> CharacterSheets(int character) { return kCharacterSheets[clampCharacter(character) - 1]; }

int StageSheets(int stage, int character, TextureFile (&out)[9]) {
    if (stage < 1 || stage > 7) return 0;
    const int c = clampCharacter(character);
    int n = 0;
    for (int col = 0; col < 9; ++col) {
        const char* file = kStageSheets[stage - 1][col];
        if (!file) continue;
        if (stage == 7 && col == kOtherShipA) file = kOtherShips[c - 1][0];
        if (stage == 7 && col == kOtherShipB) file = kOtherShips[c - 1][1];
        if (col == kPortraitColumn) file = kPortraits[stage - 1][c - 1];
        out[n++] = TextureFile{kStageColumns[col], file};
    }
    return n;
}

void ReloadLanguagePictures(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    // The items (the point item's mark), the title's name, the overwrite
    // question, the side panel, the spell cards' names.
    constexpr int kWithWords[] = {3, 9, 15, 32, 45};
    for (const TextureFile& t : kShared) {
        if (std::find(std::begin(kWithWords), std::end(kWithWords), t.index) == std::end(kWithWords)) continue;
        if (!s.textures[t.index]) continue;  // unloaded: loads in the new language when it is needed
        e.Texture_Free(s.textures[t.index]);
        s.textures[t.index] = e.Texture_Load(t.file);
    }
    if (game.panelSprite) game.panelSprite->SetTexture(s.textures[32]);
}

void LoadCharacterSheets(Game& game, int character) {
    for (const TextureFile& t : CharacterSheets(character)) loadInto(game, t.index, t.file);
    AttachCharacterSprites(game, character);
}

void LoadStageSheets(Game& game) {
    GameState& s = game.state;
    TextureFile sheets[9];
    const int n = StageSheets(s.stage, s.character, sheets);
    for (int i = 0; i < n; ++i) loadInto(game, sheets[i].index, sheets[i].file);
    if (s.stage == 6) {
        s.bgCamX = 1700;
        s.bgCamY = 200;
        s.bgCamTurn = 1.5f;
    }
}

void FreeStageSheets(Game& game) {
    GameState& s = game.state;
    TextureFile sheets[9];
    const int n = StageSheets(s.stage, s.character, sheets);
    for (int i = 0; i < n; ++i) {
        HTEXTURE& slot = s.textures[sheets[i].index];
        game.engine.Texture_Free(slot);
        slot = 0;
    }
}

void LoadSharedResources(Game& game) {
    Engine& e = game.engine;
    GameState& s = game.state;
    for (const TextureFile& t : SharedTextures()) loadInto(game, t.index, t.file);
    LoadCharacterSheets(game, 1);
    int i = 0;
    for (const SoundEntry& snd : SoundTable()) s.sounds[i++] = e.Stream_Load(snd.file);
    s.sounds[kBombChargeSound] = e.Stream_Load("SE/charge.wav");
    s.sounds[kBombSparkSound] = e.Stream_Load("SE/spark1.wav");
    game.panelSprite = std::make_unique<Sprite>(e, s.textures[32], 0, 0, 640, 480);
    game.panelSprite->SetZ(0.2f);
    game.panelSprite->SetHotSpot(320, 240);
    game.uiSprite->SetZ(0.21f);
    CreatePlayerSprites(game);
    CreateHudSprites(game);
    Directions();
    ClearAllPools(s);
    e.Texture_Free(s.logoTexture);
    s.logoTexture = 0;
    s.titleMenuTexture = e.Texture_Load("Graphics/titlechose.png");
    s.cardTexture = e.Texture_Load("Graphics/chose2.png");
    s.bgmStream = e.Stream_Load("Music/title.mp3");
    s.bgmChannel = e.Stream_Play(s.bgmStream, true, 0);
    s.titleTexture = e.Texture_Load("Graphics/title.jpg");
    game.screenSprite->SetTexture(s.titleTexture);
    game.screenSprite->SetTextureRect(0, 0, 640, 480);
    game.uiSprite->SetTexture(s.titleMenuTexture);
}

}  // namespace korvid
