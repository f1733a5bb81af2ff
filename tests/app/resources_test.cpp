#include "play/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "support/TestGame.h"

namespace korvid {
namespace {

// Every file name loads as its own handle, so tests can see what was loaded.
struct LoadingGame : test::TestGame {
    LoadingGame() {
        HTEXTURE next = 100;
        for (const char* f : kFiles) engine.textureFiles[f] = next++;
    }
    static constexpr const char* kFiles[] = {
        "Graphics/stage4.png",  "Graphics/backam15.jpg", "Graphics/backam16.jpg",   "Graphics/stg4enm.png",
        "Graphics/Fire2.png",   "Graphics/stg4enm2_ex.png", "Graphics/talkst4.png", "Graphics/mtalkst4.png",
        "Graphics/stg4enm2.png", "Graphics/player.png",  "Graphics/myshipb.png",    "Graphics/myshipc.png",
        "Graphics/stage7.png",  "Graphics/myshipb.png",  "Graphics/playerdeadb.png", "Graphics/shotsb.png",
        "Graphics/bombsb.png",
    };
};

TEST(Resources, StageSheetsPerStageAndCharacter) {
    TextureFile sheets[9];
    ASSERT_EQ(StageSheets(4, 2, sheets), 8);  // stage 4 has no entry 38
    std::set<int> indices;
    for (int i = 0; i < 8; ++i) indices.insert(sheets[i].index);
    EXPECT_EQ(indices, (std::set<int>{24, 34, 35, 36, 39, 40, 44, 46}));
    auto fileOf = [&](int index) {
        for (int i = 0; i < 8; ++i)
            if (sheets[i].index == index) return std::string(sheets[i].file);
        return std::string();
    };
    EXPECT_EQ(fileOf(44), "Graphics/mtalkst4.png");
    EXPECT_EQ(fileOf(46), "Graphics/stg4enm2.png");

    // The extra stage shows the two characters not chosen.
    const int n = StageSheets(7, 1, sheets);
    EXPECT_EQ(n, 7);
    std::set<std::string> files;
    for (int i = 0; i < n; ++i) files.insert(sheets[i].file);
    EXPECT_TRUE(files.count("Graphics/myshipb.png"));
    EXPECT_TRUE(files.count("Graphics/myshipc.png"));
    EXPECT_FALSE(files.count("Graphics/player.png"));
    EXPECT_EQ(StageSheets(0, 1, sheets), 0);
    EXPECT_EQ(StageSheets(8, 1, sheets), 0);
}

TEST(Resources, EndOfStage4FreesEverythingItLoaded) {
    LoadingGame t;
    t.s.stage = 4;
    t.s.character = 2;
    LoadStageSheets(*t.game);
    EXPECT_EQ(t.s.textures[46], t.engine.textureFiles["Graphics/stg4enm2.png"]);
    EXPECT_EQ(t.s.textures[44], t.engine.textureFiles["Graphics/mtalkst4.png"]);
    FreeStageSheets(*t.game);
    for (int index : {24, 34, 35, 36, 39, 40, 44, 46}) EXPECT_EQ(t.s.textures[index], 0u) << index;
    EXPECT_EQ(t.engine.freed.size(), 8u);
    EXPECT_TRUE(std::count(t.engine.freed.begin(), t.engine.freed.end(),
                           t.engine.textureFiles["Graphics/stg4enm2.png"]));
}

TEST(Resources, CharacterChangeReloadsOnlyItsFourSheets) {
    LoadingGame t;
    t.s.textures[24] = 55;
    t.s.textures[0] = 56;
    LoadCharacterSheets(*t.game, 2);
    EXPECT_EQ(t.s.textures[53], t.engine.textureFiles["Graphics/myshipb.png"]);
    EXPECT_EQ(t.s.textures[52], t.engine.textureFiles["Graphics/playerdeadb.png"]);
    EXPECT_EQ(t.s.textures[24], 55u);
    EXPECT_EQ(t.s.textures[0], 56u);
    EXPECT_TRUE(t.engine.freed.empty());
    LoadCharacterSheets(*t.game, 1);  // the old sheets are freed as the new ones come
    EXPECT_EQ(t.engine.freed.size(), 4u);
}

TEST(Resources, TablesCoverTheSharedEntriesAndSounds) {
    std::set<int> shared;
    for (const TextureFile& t : SharedTextures()) shared.insert(t.index);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 17, 18, 19, 20, 21, 22, 23, 25, 32, 33, 41, 45, 50, 51})
        EXPECT_TRUE(shared.count(i)) << i;
    ASSERT_EQ(SoundTable().size(), 35u);
    EXPECT_STREQ(SoundTable()[29].file, "SE/se_extend.wav");
    EXPECT_EQ(SoundTable()[34].percent, 100);
}

}  // namespace
}  // namespace korvid
