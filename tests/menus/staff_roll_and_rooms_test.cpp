// The staff roll's timing, the music room's track switching and the
// manual's pages.
#include <gtest/gtest.h>

#include "engine/KeyCodes.h"
#include "game/FrameSteps.h"
#include "game/Input.h"
#include "menus/MusicRoom.h"
#include "menus/MusicTracks.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

// Runs the staff roll from its entry, FastForward held on the staff frames
// `fastFrom`..`fastTo`, and returns the staff frame at which the save
// screen opened (0 if it never did).
int staffRollEnd(int fastFrom, int fastTo) {
    test::TestGame t;
    t.bindDefaults();
    t.s.screen = 11;
    t.s.stage = 6;
    t.s.stageFrame = 0;
    t.s.bgmVolume = 80;
    t.s.textures[34] = 34;
    t.s.textures[35] = 35;
    for (int frame = 1; frame <= 5000; ++frame) {
        t.hold(VK_CONTROL, frame >= fastFrom && frame <= fastTo);
        StaffRollFrame(*t.game);
        if (t.s.screen == 12) {
            EXPECT_EQ(t.s.gameFinished, 1);
            EXPECT_NE(t.game->saveBoxes[3], nullptr);
            EXPECT_EQ(t.s.textures[34], 0u);  // freed, never drawn again
            EXPECT_EQ(t.s.textures[35], 0u);
            return t.s.stageFrame;
        }
    }
    return 0;
}

TEST(StaffRoll, ReachesTheSaveScreenAtFrame3805OrEarlierWhenSkipped) {
    EXPECT_EQ(staffRollEnd(0, 0), 3805);
    EXPECT_EQ(staffRollEnd(1, 100000), 316);  // the fade starts at frame 61
    EXPECT_EQ(staffRollEnd(1, 60), 3805);     // the first second ignores it
}

TEST(StaffRoll, PansTheSkyAndStartsTheStaffThemeAtFrame60) {
    test::TestGame t;
    t.s.textures[34] = 34;
    t.s.textures[35] = 35;
    t.engine.streamsLoad = true;
    for (int i = 0; i < 1200; ++i) {
        t.engine.quads.clear();
        StaffRollFrame(*t.game);
    }
    ASSERT_EQ(t.engine.loadedStreams, (std::vector<std::string>{"Music/staff.mp3"}));
    ASSERT_EQ(t.engine.quads.size(), 2u);
    const Quad& sky = t.engine.quads[0];
    EXPECT_EQ(sky.tex, 34u);
    EXPECT_FLOAT_EQ(sky.v[2].x, 270);  // 180 wide at scale 1.5
    const Quad& credits = t.engine.quads[1];
    EXPECT_EQ(credits.tex, 35u);
    EXPECT_FLOAT_EQ(credits.v[0].x, 270);
    EXPECT_FLOAT_EQ(credits.v[0].y, 0);  // scrolling the sheet by now
}

TEST(MusicRoom, TheListFollowsTheCursorAndTheChosenFileSwitchesOnce) {
    EXPECT_EQ(FirstVisibleTrack(12), 3);
    EXPECT_EQ(FirstVisibleTrack(4), 0);
    test::TestGame t;
    t.bindDefaults();
    t.engine.streamsLoad = true;
    t.s.screen = 9;
    t.s.musicRoomSelected = 1;
    t.s.bgmStream = 77;  // the title theme, as on entry
    t.s.bgmVolume = 60;

    PlayMusicRoomTrack(*t.game, 0);  // the title theme again: nothing changes
    EXPECT_TRUE(t.engine.loadedStreams.empty());
    PlayMusicRoomTrack(*t.game, 2);
    ASSERT_EQ(t.engine.loadedStreams.size(), 1u);
    EXPECT_EQ(t.engine.loadedStreams[0], "Music/music1boss.ogg");
    EXPECT_EQ(t.engine.freedStreams, (std::vector<std::uint32_t>{77}));
    EXPECT_EQ(t.engine.plays.back().second, 60);
    PlayMusicRoomTrack(*t.game, 2);  // already playing
    EXPECT_EQ(t.engine.loadedStreams.size(), 1u);
    PlayMusicRoomTrack(*t.game, 0);  // the title theme is another file now
    EXPECT_EQ(t.engine.loadedStreams.back(), "Music/title.mp3");

    // Confirm through the room; Escape back to the Music room entry with the
    // chosen track still playing.
    t.s.menuCursor = 17;
    t.hold('Z');
    RunMusicRoom(*t.game);
    EXPECT_EQ(t.engine.loadedStreams.back(), kMusicTracks[17].file);
    const HSTREAM playing = t.s.bgmStream;
    t.hold('Z', false);
    t.hold(VK_ESCAPE);
    ReleaseMenuLatches(*t.game);
    RunMusicRoom(*t.game);
    EXPECT_EQ(t.s.screen, 0);
    EXPECT_EQ(t.s.menuCursor, 5);
    EXPECT_EQ(t.s.bgmStream, playing);
}

TEST(Manual, OnlyTheArrowsTurnPagesAndOnlyThePageShownIsLoaded) {
    test::TestGame t;
    t.bindDefaults();
    t.bind(KeyDown, 'S');  // a bound key that is not an arrow
    for (int i = 1; i <= 5; ++i)
        t.engine.textureFiles["Graphics/manual_" + std::to_string(i) + ".png"] = static_cast<HTEXTURE>(100 + i);
    t.s.screen = 9;
    t.s.musicRoomSelected = 0;
    auto frame = [&](std::initializer_list<int> keys) {
        t.engine.keys.fill(false);
        for (int vk : keys) t.engine.keys[vk] = true;
        ReleaseMenuLatches(*t.game);
        t.engine.quads.clear();
        RunManual(*t.game);
    };
    frame({});
    EXPECT_EQ(t.game->manualPageTexture, 101u);
    frame({'S'});
    EXPECT_EQ(t.s.menuCursor, 0);
    frame({VK_RIGHT});
    frame({VK_RIGHT});  // held: one page only
    frame({});
    EXPECT_EQ(t.game->manualPageTexture, 102u);
    EXPECT_EQ(t.engine.freed, (std::vector<HTEXTURE>{101}));
    frame({VK_UP});
    frame({});
    frame({VK_LEFT});
    EXPECT_EQ(t.s.menuCursor, 4);
    frame({});
    EXPECT_EQ(t.game->manualPageTexture, 105u);
    EXPECT_EQ(t.engine.quads.back().tex, 105u);
    frame({VK_ESCAPE});
    EXPECT_EQ(t.s.screen, 0);
    EXPECT_EQ(t.s.menuCursor, 6);
    EXPECT_EQ(t.game->manualPageTexture, 0u);
    EXPECT_EQ(t.engine.freed.back(), 105u);
}

}  // namespace
}  // namespace korvid
