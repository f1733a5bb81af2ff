// The headless engine's frame loop: quitting, frame limits, frame numbers
// seen by scripted keys, simulated time, resources and audio positions.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "EngineTestKit.h"
#include "SoundFileWriter.h"
#include "engine/VirtualKeys.h"

namespace korvid {
namespace {

using testing::TempDir;

TEST(HeadlessLoop, FrameFunctionQuitsAndFrameLimitStops) {
    TempDir dir;
    auto engine = testing::StartHeadless(dir);
    int frameCalls = 0, renderCalls = 0;
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [&] { return ++frameCalls == 5; });
    engine->System_SetStateFunc(HGE_RENDERFUNC, [&] { return ++renderCalls, false; });
    EXPECT_TRUE(engine->System_Start());
    EXPECT_EQ(renderCalls, 4);  // the quitting frame draws nothing
    EXPECT_EQ(engine->Shell_FrameCount(), 5);

    frameCalls = renderCalls = 0;
    engine->Shell_SetFrameLimit(3);
    EXPECT_TRUE(engine->System_Start());
    EXPECT_EQ(renderCalls, 3);
    EXPECT_EQ(engine->Shell_FrameCount(), 3);
}

TEST(HeadlessLoop, FrameFunctionMayReplaceItself) {
    TempDir dir;
    auto engine = testing::StartHeadless(dir);
    std::vector<char> calls;
    // Owned only by the first function: it expires if that function is
    // destroyed while it is still running.
    auto owned = std::make_shared<int>(1);
    const std::weak_ptr<int> watch = owned;
    bool aliveAfterReplacing = false;
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [&, owned] {
        calls.push_back('a');
        engine->System_SetStateFunc(HGE_FRAMEFUNC, [&] {
            calls.push_back('b');
            return calls.size() == 3;
        });
        aliveAfterReplacing = !watch.expired();
        return false;
    });
    owned.reset();
    EXPECT_TRUE(engine->System_Start());
    EXPECT_TRUE(aliveAfterReplacing);
    EXPECT_TRUE(watch.expired()) << "the replaced function is released afterwards";
    EXPECT_EQ(calls, (std::vector<char>{'a', 'b', 'b'}));
}

TEST(HeadlessLoop, StartNeedsInitiateAndAFrameFunction) {
    auto engine = CreateHeadlessEngine();
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [] { return true; });
    EXPECT_FALSE(engine->System_Start());
    ASSERT_TRUE(engine->System_Initiate());
    engine->System_SetStateFunc(HGE_FRAMEFUNC, nullptr);
    EXPECT_FALSE(engine->System_Start());
}

TEST(HeadlessLoop, TimeAdvancesOneSixtiethPerFrame) {
    TempDir dir;
    auto engine = testing::StartHeadless(dir);
    std::vector<float> times;
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [&] { return times.push_back(engine->Timer_GetTime()), false; });
    engine->Shell_SetFrameLimit(130);
    engine->System_Start();
    ASSERT_EQ(times.size(), 130u);
    for (std::size_t i = 0; i < times.size(); ++i) EXPECT_FLOAT_EQ(times[i], float(double(i) / 60.0)) << i;
    EXPECT_EQ(engine->Timer_GetFPS(), 60);
    EXPECT_TRUE(engine->System_IsForeground());
}

TEST(HeadlessLoop, KeySourceSeesOneBasedFramesAndOneSnapshotPerFrame) {
    TempDir dir;
    auto engine = testing::StartHeadless(dir);
    std::vector<int> framesAsked;
    int calls = 0;
    // Answers differently on every call: queries within one frame must still agree.
    engine->Input_SetKeySource([&](int frame, int vk) {
        if (vk == 'Z') framesAsked.push_back(frame);
        return vk == 'Z' ? (++calls % 2) == 1 : (vk == VK_SPACE && frame == 3);
    });
    std::vector<bool> agree, space;
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [&] {
        agree.push_back(engine->Input_GetKeyState('Z') == engine->Input_GetKeyState('Z'));
        space.push_back(engine->Input_GetKeyState(VK_SPACE));
        return false;
    });
    engine->Shell_SetFrameLimit(4);
    engine->System_Start();
    EXPECT_EQ(framesAsked, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(agree, (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(space, (std::vector<bool>{false, false, true, false}));
    for (int vk : {0, -5, 300}) EXPECT_FALSE(engine->Input_GetKeyState(vk));
}

TEST(HeadlessResources, LoadAddsATerminatingZeroNotCounted) {
    TempDir dir;
    dir.write("Graphics/font0.fnt", "abc");
    auto engine = testing::StartHeadless(dir);
    std::uint32_t size = 99;
    auto* data = static_cast<char*>(engine->Resource_Load("graphics\\FONT0.fnt", &size));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(std::memcmp(data, "abc", 4), 0);
    engine->Resource_Free(data);
    EXPECT_EQ(engine->Resource_Load("missing.fnt", &size), nullptr);
    EXPECT_FALSE(engine->Resource_AttachPack("no-such-pack.zip", "secret"));
}

TEST(HeadlessAudio, ChannelsAdvanceExactlyWithFrames) {
    TempDir dir;
    const int rate = 44100;
    std::filesystem::create_directories(dir.path() / "SE");
    ASSERT_TRUE(testing::writeSoundFile(dir.file("SE/tone.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, rate, 2,
                                        testing::stereoSine(rate, rate * 2, 440.0, 0.5f)));
    auto engine = testing::StartHeadless(dir);
    const HSTREAM stream = engine->Stream_Load("SE/tone.wav");
    ASSERT_NE(stream, 0u);
    const HCHANNEL channel = engine->Stream_Play(stream, false, 100);
    ASSERT_NE(channel, 0u);
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [] { return false; });
    engine->Shell_SetFrameLimit(30);
    engine->System_Start();
    EXPECT_NEAR(engine->Channel_GetPos(channel), 0.5f, 0.001f);
    EXPECT_TRUE(engine->Channel_IsPlaying(channel));
    engine->Stream_Free(stream);
    EXPECT_FALSE(engine->Channel_IsPlaying(channel));
    EXPECT_EQ(engine->Stream_Load("SE/missing.wav"), 0u);
}

}  // namespace
}  // namespace korvid
