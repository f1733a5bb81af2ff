// Game controllers through SDL's virtual joystick: a pad is read as the keys
// it is bound to, so play and replays cannot tell it from the keyboard.
#include "engine/Controllers.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/Boot.h"
#include "app/CommandLine.h"
#include "engine/TempDir.h"
#include "support/GameProcess.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

// A standard pad made of nothing: SDL maps a virtual game controller itself.
struct VirtualPad {
    int index = -1;
    SDL_Joystick* joystick = nullptr;
    VirtualPad() {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
        index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                          SDL_CONTROLLER_BUTTON_MAX, 0);
        if (index >= 0) joystick = SDL_JoystickOpen(index);
    }
    ~VirtualPad() { unplug(); SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }
    bool ok() const { return joystick != nullptr; }
    void axis(int a, int v) { SDL_JoystickSetVirtualAxis(joystick, a, static_cast<Sint16>(v)); }
    void button(int b, bool down) { SDL_JoystickSetVirtualButton(joystick, b, down ? 1 : 0); }
    void unplug() {
        if (!joystick) return;
        SDL_JoystickClose(joystick);
        SDL_JoystickDetachVirtual(index);
        joystick = nullptr;
    }
};

TEST(Controllers, StickDeadZoneEdges) {
    EXPECT_FALSE(StickToDirections(-kStickDeadZone, kStickDeadZone).left);
    EXPECT_FALSE(StickToDirections(-kStickDeadZone, kStickDeadZone).down);
    const StickDirections past = StickToDirections(-kStickDeadZone - 1, kStickDeadZone + 1);
    EXPECT_TRUE(past.left && past.down && !past.right && !past.up);
    const StickDirections full = StickToDirections(32767, -32768);
    EXPECT_TRUE(full.right && full.up);
    EXPECT_EQ(ControllerButtonFromName("start"), SDL_CONTROLLER_BUTTON_START);
    EXPECT_STREQ(ControllerButtonName(SDL_CONTROLLER_BUTTON_A), "a");
    EXPECT_EQ(ControllerButtonFromName("nonsense"), -1);
    // Our own table spells every button as SDL does (the settings file is shared).
    for (int b = 0; b < kControllerButtonCount && b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
        const char* sdl = SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(b));
        ASSERT_NE(sdl, nullptr) << b;
        EXPECT_STREQ(ControllerButtonName(b), sdl) << b;
    }
}

TEST(Controllers, ButtonsDpadAndStickHoldTheirKeysAndUnpluggingIsReported) {
    VirtualPad pad;
    if (!pad.ok()) GTEST_SKIP() << "no virtual joystick support: " << SDL_GetError();
    Controllers c;
    ASSERT_TRUE(c.open());
    ControllerBindings b;
    b.buttons[SDL_CONTROLLER_BUTTON_A] = 'Z';
    b.up = 38, b.down = 40, b.left = 37, b.right = 39;
    c.setBindings(b);

    KeySnapshot keys{};
    c.update(keys);
    EXPECT_EQ(c.openCount(), 1);
    EXPECT_FALSE(keys['Z'] || keys[37]);

    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -kStickDeadZone - 1);
    keys = {};
    c.update(keys);
    EXPECT_TRUE(keys['Z'] && keys[38] && keys[37]);
    EXPECT_FALSE(keys[39] || keys[40]);
    EXPECT_EQ(c.firstHeldButton(), SDL_CONTROLLER_BUTTON_A);

    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -kStickDeadZone);  // back inside the dead zone
    keys = {};
    c.update(keys);
    EXPECT_FALSE(keys[37]);

    EXPECT_FALSE(c.takeRemoved());
    pad.unplug();
    keys = {};
    c.update(keys);
    EXPECT_TRUE(c.takeRemoved());
    EXPECT_FALSE(c.takeRemoved()) << "reported once";
    EXPECT_EQ(c.openCount(), 0);
    EXPECT_FALSE(keys['Z']);
}

std::string lastStateLine(const std::string& out) {
    const auto at = out.rfind("screen=");
    return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
}

std::string runBinary(const std::string& args) { return test::RunHeadless(args).out; }

// The pad's left stick from frame 500 to 600 against the Left key over the
// same frames: the same ship position, and the pad's game replays exactly.
TEST(Controllers, APadMovesTheShipLikeTheKeysAndItsGameReplays) {
    VirtualPad pad;
    if (!pad.ok()) GTEST_SKIP() << "no virtual joystick support: " << SDL_GetError();
    korvid::testing::TempDir dir;
    const std::string menus = "250 RETURN\n280 RETURN\n360 Z\n";
    std::ofstream(dir.file("menus.txt")) << menus;
    std::ofstream(dir.file("keyboard.txt")) << menus << "501-600 LEFT\n";
    const std::string pack = korvid::test::BinaryDir() + "/gamedat.zip";

    Options o;
    o.headless = true;
    o.frames = 700;
    o.dir = dir.file("pad");
    o.pack = pack;
    o.keysFile = dir.file("menus.txt");
    o.recordFile = dir.file("pad.rpy");
    o.printState = true;
    o.beforeFrame = [&](int frame) {
        // Set during frame N's render, read with frame N+1's input.
        if (frame == 500) pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
        if (frame == 600) pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    };
    ::testing::internal::CaptureStdout();
    const int status = RunGame(o);
    const std::string padOut = ::testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0) << padOut;

    const std::string keyOut = runBinary("--frames 700 --print-state --dir " + dir.file("kb") + " --pack " + pack +
                                         " --keys " + dir.file("keyboard.txt"));
    const std::string padLine = lastStateLine(padOut);
    ASSERT_FALSE(padLine.empty()) << padOut;
    EXPECT_EQ(padLine.find(" x=224.00"), std::string::npos) << "the pad moved the ship";
    EXPECT_EQ(padLine, lastStateLine(keyOut));

    const std::string replay = runBinary("--replay " + dir.file("pad.rpy") + " --verify --print-state --dir " +
                                         dir.file("rp") + " --pack " + pack);
    EXPECT_NE(replay.find("stage 1: ok"), std::string::npos) << replay;
    const auto hashOf = [](const std::string& line) { return line.substr(line.find("hash=")); };
    EXPECT_EQ(hashOf(lastStateLine(replay)), hashOf(padLine));
}

}  // namespace
}  // namespace korvid
