#include "menus/SettingsMenu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "../engine/TempDir.h"
#include "../support/TestGame.h"
#include "game/Input.h"
#include "game/KeySettings.h"
#include "game/Settings.h"
#include "menus/KeyNames.h"

namespace korvid {
namespace {

constexpr HTEXTURE kSettingsTexture = 7;
constexpr float kTexW = 512, kTexH = 1024;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kGrey = 0x9BFFFFFF;

// The glyph grid as the settings texture lays it out.
static_assert(LetterGlyph(kPercentGlyph).x == 106 && LetterGlyph(kPercentGlyph).y == 468);
static_assert(DigitGlyph(kKeyMarkGlyph).x == 70 && DigitGlyph(kKeyMarkGlyph).y == 576);
static_assert(LetterGlyph('Z' - 'A').x == 70 && LetterGlyph('Z' - 'A').y == 468);
static_assert(KeyName(20) == "CAPSLK" && KeyName(38) == "UP" && KeyName(27).empty());

// The texture rectangle a recorded quad was cut from, and where it was drawn.
struct Drawn {
    float x, y;        // top-left corner on screen
    TexRect cut;       // in texture pixels
    float scale;
    std::uint32_t color;
    float z;
};

Drawn describe(const Quad& q) {
    const TexRect cut = {q.v[0].tx * kTexW, q.v[0].ty * kTexH, (q.v[2].tx - q.v[0].tx) * kTexW,
                         (q.v[2].ty - q.v[0].ty) * kTexH};
    return {q.v[0].x, q.v[0].y, cut, (q.v[2].x - q.v[0].x) / cut.w, q.v[0].col, q.v[0].z};
}

class SettingsMenuTest : public ::testing::Test {
protected:
    test::TestGame t;
    korvid::testing::TempDir folder;
    Game& game = *t.game;
    GameState& s = t.s;

    void SetUp() override {
        game.gameDir = folder.path().string();
        t.bindDefaults();
        s.screen = 4;
        s.subMenuTexture = kSettingsTexture;
        t.engine.textureSizes[kSettingsTexture] = {static_cast<int>(kTexW), static_cast<int>(kTexH)};
    }

    // One title frame as the frame driver runs it: latches first, then the screen.
    void frame() {
        t.engine.quads.clear();
        ReleaseMenuLatches(game);
        t.engine.Gfx_BeginScene(0);
        if (s.screen == 4) RunSettingsScreen(game);
        else if (s.screen == 8) RunKeyConfigScreen(game);
        t.engine.Gfx_EndScene();
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }
    // Press and let go.
    void tap(int vk) {
        t.hold(vk);
        frame();
        t.hold(vk, false);
        frame();
    }
    void taps(int vk, int n) {
        for (int i = 0; i < n; ++i) tap(vk);
    }
    std::string settingsFile() const { return folder.file(kKeySettingsFileName); }

    // Quads of the settings texture drawn with their top-left corner at (x, y).
    std::vector<Drawn> drawnAt(float x, float y) const {
        std::vector<Drawn> found;
        for (const Quad& q : t.engine.quads) {
            if (q.tex != kSettingsTexture) continue;
            const Drawn d = describe(q);
            if (std::abs(d.x - x) < 0.01f && std::abs(d.y - y) < 0.01f) found.push_back(d);
        }
        return found;
    }
    // Expects exactly one quad at (x, y), cut from `cut`, at scale 0.8 and z 0.1.
    void expectCut(float x, float y, TexRect cut, std::uint32_t color) const {
        const std::vector<Drawn> found = drawnAt(x, y);
        ASSERT_EQ(found.size(), 1u) << "at " << x << ", " << y;
        const Drawn& d = found[0];
        EXPECT_FLOAT_EQ(d.cut.x, cut.x) << "at " << x << ", " << y;
        EXPECT_FLOAT_EQ(d.cut.y, cut.y) << "at " << x << ", " << y;
        EXPECT_FLOAT_EQ(d.cut.w, cut.w) << "at " << x << ", " << y;
        EXPECT_FLOAT_EQ(d.cut.h, cut.h) << "at " << x << ", " << y;
        EXPECT_NEAR(d.scale, 0.8f, 1e-5f);
        EXPECT_EQ(d.color, color) << "at " << x << ", " << y;
        EXPECT_FLOAT_EQ(d.z, 0.1f);
    }
};

// --- the settings screen ---------------------------------------------------

TEST_F(SettingsMenuTest, CursorWrapsOverTheSevenSettingsEntries) {
    tap(VK_UP);
    EXPECT_EQ(s.menuCursor, 6);
    tap(VK_DOWN);
    EXPECT_EQ(s.menuCursor, 0);
    taps(VK_DOWN, 6);
    EXPECT_EQ(s.menuCursor, 6);
    tap(VK_DOWN);
    EXPECT_EQ(s.menuCursor, 0);
}

TEST_F(SettingsMenuTest, AHeldKeyActsOncePerPress) {
    t.bind(KeyDown, 'S');
    t.hold('S');
    t.hold(VK_DOWN);  // bound key and arrow together are still one press
    frames(10);
    EXPECT_EQ(s.menuCursor, 1);
    t.hold(VK_DOWN, false);
    frame();  // the bound key is still down: no new press
    EXPECT_EQ(s.menuCursor, 1);
    t.hold('S', false);
    frame();
    tap('S');
    EXPECT_EQ(s.menuCursor, 2);

    s.menuCursor = 1;
    s.bgmVolume = 50;
    t.hold(VK_RIGHT);
    frames(8);
    EXPECT_EQ(s.bgmVolume, 55);
}

TEST_F(SettingsMenuTest, VolumesStepByFiveAndWrapAtBothEnds) {
    s.menuCursor = 1;
    s.bgmVolume = 0;
    tap(VK_LEFT);
    EXPECT_EQ(s.bgmVolume, 100);
    tap(VK_LEFT);
    EXPECT_EQ(s.bgmVolume, 95);
    taps(VK_RIGHT, 2);
    EXPECT_EQ(s.bgmVolume, 0);
    tap(VK_RIGHT);
    EXPECT_EQ(s.bgmVolume, 5);

    s.menuCursor = 2;
    s.seVolume = 100;
    tap(VK_RIGHT);
    EXPECT_EQ(s.seVolume, 0);
    tap(VK_LEFT);
    EXPECT_EQ(s.seVolume, 100);
    EXPECT_EQ(s.bgmVolume, 5) << "only the entry under the cursor changes";

    // A volume off the five-step grid (from a hand-edited file) still wraps.
    s.seVolume = 3;
    tap(VK_LEFT);
    EXPECT_EQ(s.seVolume, 100);
}

TEST_F(SettingsMenuTest, LeftAndRightToggleAutoBombAndWindowMode) {
    s.menuCursor = 3;
    s.autoBomb = 0;
    tap(VK_RIGHT);
    EXPECT_EQ(s.autoBomb, 1);
    tap(VK_LEFT);
    EXPECT_EQ(s.autoBomb, 0);
    s.autoBomb = 7;  // anything but 1 counts as off
    tap(VK_LEFT);
    EXPECT_EQ(s.autoBomb, 1);

    s.menuCursor = 4;
    s.windowMode = 2;
    tap(VK_RIGHT);
    EXPECT_EQ(s.windowMode, 1);
    tap(VK_RIGHT);
    EXPECT_EQ(s.windowMode, 0);
    EXPECT_EQ(s.autoBomb, 1);

    // Left/Right on the key-configuration and back entries change nothing.
    for (int entry : {0, 6}) {
        s.menuCursor = entry;
        tap(VK_LEFT);
        tap(VK_RIGHT);
    }
    EXPECT_EQ(s.autoBomb, 1);
    EXPECT_EQ(s.windowMode, 0);
}

TEST_F(SettingsMenuTest, CancelSavesTheSettingsAndReturnsToTheSettingsEntry) {
    frames(3);
    s.bgmVolume = 35;
    s.seVolume = 100;
    s.autoBomb = 1;
    s.windowMode = 0;
    ASSERT_FALSE(std::filesystem::exists(settingsFile()));
    tap(VK_ESCAPE);
    EXPECT_EQ(s.screen, 0);
    EXPECT_EQ(s.menuCursor, 4);
    EXPECT_EQ(s.settingsSlide, 0);

    KeySettings saved;
    ASSERT_TRUE(LoadKeySettings(settingsFile(), saved));
    EXPECT_EQ(saved.bgmVolume, 35);
    EXPECT_EQ(saved.seVolume, 100);
    EXPECT_EQ(saved.autoBomb, 1);
    EXPECT_EQ(saved.windowMode, 0);
    EXPECT_EQ(saved.keys[KeyShoot], 'Z');
    EXPECT_EQ(saved.keys[KeySlow], VK_SHIFT);
}

// Left or Right on the language row switches between 中文 and English at
// once; leaving keeps the choice in the settings file, and the next start
// reads it from there.
TEST_F(SettingsMenuTest, TheLanguageSwitchesAtOnceAndLeavingKeepsIt) {
    frames(3);
    s.menuCursor = 5;
    ASSERT_EQ(game.language, 0);
    const int volume = s.bgmVolume;
    tap(VK_RIGHT);
    EXPECT_EQ(game.language, 1);
    tap(VK_LEFT);
    EXPECT_EQ(game.language, 0);
    tap(VK_LEFT);
    EXPECT_EQ(game.language, 1);
    EXPECT_EQ(s.bgmVolume, volume) << "only the language changed";
    tap(VK_ESCAPE);
    EXPECT_EQ(s.screen, 0);

    KeySettings saved;
    ASSERT_TRUE(LoadKeySettings(settingsFile(), saved));
    EXPECT_EQ(saved.language, 1);
    game.language = 0;
    LoadSettings(game, /*atBoot=*/true);
    EXPECT_EQ(game.language, 1);
}

TEST_F(SettingsMenuTest, ConfirmLeavesOnTheLastEntryAndOpensKeysOnTheFirst) {
    s.menuCursor = 3;
    tap(VK_RETURN);  // nothing to confirm on a value entry
    EXPECT_EQ(s.screen, 4);

    s.menuCursor = 0;
    tap('Z');  // bound Shoot confirms too
    EXPECT_EQ(s.screen, 8);
    EXPECT_EQ(s.menuCursor, 0);
    EXPECT_FALSE(std::filesystem::exists(settingsFile())) << "only leaving saves";

    s.screen = 4;
    s.menuCursor = 6;
    s.bgmVolume = 60;
    tap(VK_RETURN);
    EXPECT_EQ(s.screen, 0);
    EXPECT_EQ(s.menuCursor, 4);
    KeySettings saved;
    ASSERT_TRUE(LoadKeySettings(settingsFile(), saved));
    EXPECT_EQ(saved.bgmVolume, 60);
}

// Records the scene boundaries and the window mode the screen applies.
class SceneLogEngine : public test::RecordingEngine {
public:
    std::vector<std::string> events;
    void System_SetStateBool(BoolState st, bool v) override {
        if (st == HGE_WINDOWED) events.push_back(v ? "windowed" : "full screen");
    }
    bool Gfx_BeginScene(HTEXTURE target) override {
        events.push_back("begin");
        return RecordingEngine::Gfx_BeginScene(target);
    }
    void Gfx_EndScene() override {
        events.push_back("end");
        RecordingEngine::Gfx_EndScene();
    }
};

TEST(SettingsMenuWindow, LeavingAppliesTheWindowModeBetweenTwoScenes) {
    korvid::testing::TempDir folder;
    for (int mode : {1, 0, 2}) {
        SceneLogEngine engine;
        auto game = std::make_unique<Game>(engine);
        game->uiSprite = std::make_unique<Sprite>(engine, 0, 0, 0, 0, 0);
        game->gameDir = folder.path().string();
        game->state.screen = 4;
        game->state.windowMode = mode;
        engine.keys[VK_ESCAPE] = true;
        engine.Gfx_BeginScene(0);
        RunSettingsScreen(*game);
        const std::vector<std::string> expected = {"begin", "end", mode == 1 ? "windowed" : "full screen", "begin"};
        EXPECT_EQ(engine.events, expected) << "window mode " << mode;
        EXPECT_TRUE(engine.sceneOpen) << "the frame goes on in the new scene";
    }
}

TEST_F(SettingsMenuTest, KeysAreIgnoredWhileTheWindowIsNotInFront) {
    t.engine.foreground = false;
    s.menuCursor = 1;
    s.bgmVolume = 50;
    for (int vk : {VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT, VK_ESCAPE, VK_RETURN}) tap(vk);
    EXPECT_EQ(s.screen, 4);
    EXPECT_EQ(s.menuCursor, 1);
    EXPECT_EQ(s.bgmVolume, 50);
    EXPECT_GT(s.settingsSlide, 0) << "the list still slides in";

    s.screen = 8;
    s.menuCursor = 0;
    for (int vk : {VK_DOWN, VK_ESCAPE, VK_RETURN}) tap(vk);
    EXPECT_EQ(s.screen, 8);
    EXPECT_EQ(s.menuCursor, 0);
    EXPECT_EQ(s.keyCapturePending, 0);

    // A capture already waiting takes no key from behind another window.
    s.keyCapturePending = 1;
    tap('Q');
    EXPECT_EQ(s.keyCapturePending, 1);
    EXPECT_EQ(s.keyBindings[KeyUp].code, VK_UP);
    t.engine.foreground = true;
    tap('Q');
    EXPECT_EQ(s.keyBindings[KeyUp].code, 'Q');
}

TEST_F(SettingsMenuTest, ListsSlideTowardTheirPlaceByTwentyPixelsAFrame) {
    frame();
    EXPECT_EQ(s.settingsSlide, 20);
    frames(14);
    EXPECT_EQ(s.settingsSlide, 300);
    frames(3);
    EXPECT_EQ(s.settingsSlide, 300);

    tap(VK_RETURN);  // key configuration: two frames of sliding
    EXPECT_EQ(s.settingsSlide, 320);
    frames(29);
    EXPECT_EQ(s.settingsSlide, 900);
    frame();
    EXPECT_EQ(s.settingsSlide, 900);

    tap(VK_ESCAPE);  // back: this frame and the next slide on screen 4
    EXPECT_EQ(s.screen, 4);
    EXPECT_EQ(s.settingsSlide, 880);
}

// --- the key-configuration screen ------------------------------------------

TEST_F(SettingsMenuTest, KeyCursorWrapsOverTheEightKeysAndCancelReturns) {
    s.screen = 8;
    tap(VK_UP);
    EXPECT_EQ(s.menuCursor, 7);
    tap(VK_DOWN);
    EXPECT_EQ(s.menuCursor, 0);
    taps(VK_DOWN, 7);
    EXPECT_EQ(s.menuCursor, 7);
    tap(VK_DOWN);
    EXPECT_EQ(s.menuCursor, 0);

    s.menuCursor = 3;
    tap('X');  // bound Bomb cancels
    EXPECT_EQ(s.screen, 4);
    EXPECT_EQ(s.menuCursor, 0);
}

TEST_F(SettingsMenuTest, CaptureWaitsUntilTheConfirmKeysAreLetGo) {
    s.screen = 8;
    s.menuCursor = 2;
    t.hold(VK_RETURN);
    frame();
    EXPECT_EQ(s.keyCapturePending, 1);
    frames(5);  // Enter still down: it must not become the binding
    EXPECT_EQ(s.keyCapturePending, 1);
    EXPECT_EQ(s.keyBindings[KeyLeft].code, VK_LEFT);

    t.hold(VK_RETURN, false);
    frames(3);  // let go, nothing else held: still waiting
    EXPECT_EQ(s.keyCapturePending, 1);
    EXPECT_EQ(s.menuCursor, 2);

    s.keyBindings[KeyLeft].high = 5;
    t.hold('J');
    frame();
    EXPECT_EQ(s.keyCapturePending, 0);
    EXPECT_EQ(s.keyBindings[KeyLeft].code, 'J');
    EXPECT_EQ(s.keyBindings[KeyLeft].high, 0);
    for (float latch : {s.latchCancel, s.latchConfirm, s.latchUp, s.latchDown, s.latchLeft, s.latchRight})
        EXPECT_EQ(latch, 1.0f);
    t.hold('J', false);
    frame();

    // The bound Shoot key starts a capture the same way, and is not taken
    // while it stays down.
    s.menuCursor = 6;
    t.hold('Z');
    frames(4);
    EXPECT_EQ(s.keyCapturePending, 1);
    EXPECT_EQ(s.keyBindings[KeyBomb].code, 'X');
    t.hold('Z', false);
    frame();
    tap('K');
    EXPECT_EQ(s.keyBindings[KeyBomb].code, 'K');
}

TEST_F(SettingsMenuTest, CaptureTakesTheLowestHeldCode) {
    s.screen = 8;
    s.menuCursor = 5;
    tap(VK_RETURN);
    t.hold('A');
    t.hold(VK_SHIFT);
    frame();
    EXPECT_EQ(s.keyBindings[KeyShoot].code, VK_SHIFT);
    t.hold('A', false);
    t.hold(VK_SHIFT, false);
    frame();

    s.menuCursor = 7;
    tap(VK_RETURN);
    t.hold('Q');
    t.hold('C');
    frame();
    EXPECT_EQ(s.keyBindings[KeyFastForward].code, 'C');
}

// A pad button pressed while the Bomb row waits becomes Bomb's button and
// stands for the bound Bomb key from then on; the keyboard binding stays.
// The arrows' rows take no button (the D-pad and stick always move).
TEST_F(SettingsMenuTest, CaptureTakesAControllerButtonForTheActionRows) {
    s.screen = 8;
    s.menuCursor = KeyBomb;
    tap(VK_RETURN);
    t.engine.heldControllerButton = 2;  // x
    frame();
    EXPECT_EQ(s.padButtons[PadBomb], 2);
    EXPECT_EQ(s.keyBindings[KeyBomb].code, 'X');
    EXPECT_EQ(t.engine.controllerBindings.buttons[2], 'X');
    t.engine.heldControllerButton = -1;
    frame();

    s.menuCursor = KeyUp;
    tap(VK_RETURN);
    t.engine.heldControllerButton = 3;
    t.hold('W');
    frame();
    EXPECT_EQ(s.keyBindings[KeyUp].code, 'W');
    EXPECT_EQ(s.padButtons[PadShoot], 0) << "untouched";
}

TEST_F(SettingsMenuTest, AKeyJustBoundDoesNotActOnTheMenu) {
    s.screen = 8;
    s.menuCursor = 1;
    tap(VK_RETURN);
    t.hold(VK_DOWN);
    frames(4);
    EXPECT_EQ(s.keyBindings[KeyDown].code, VK_DOWN);
    EXPECT_EQ(s.menuCursor, 1) << "the arrow that was bound stays latched";

    // Escape while waiting is a key like any other: it is bound, not a way out.
    t.hold(VK_DOWN, false);
    frame();
    tap(VK_RETURN);
    tap(VK_ESCAPE);
    EXPECT_EQ(s.screen, 8);
    EXPECT_EQ(s.keyBindings[KeyDown].code, VK_ESCAPE);
}

// --- what is drawn ----------------------------------------------------------

TEST_F(SettingsMenuTest, SettingsRowsAndValuesAreCutFromTheTexture) {
    s.settingsSlide = 300;
    s.menuCursor = 1;
    s.bgmVolume = 85;
    s.seVolume = 100;
    s.autoBomb = 1;
    s.windowMode = 1;
    frame();

    expectCut(24, 110, {0, 0, 320, 36}, kGrey);
    expectCut(24, 160, {0, 36, 320, 36}, kWhite);
    expectCut(24, 360, {0, 864, 320, 36}, kGrey);  // the language
    expectCut(24, 410, {0, 180, 320, 36}, kGrey);
    expectCut(34, 310, {0, 792, 140, 36}, kGrey);  // the window-mode label is narrower
    // BGM 85%: right-aligned digits, the last at 274, then the percent sign.
    expectCut(254, 160, DigitGlyph(8), kWhite);
    expectCut(274, 160, DigitGlyph(5), kWhite);
    expectCut(290, 160, {106, 468, 36, 36}, kWhite);
    EXPECT_TRUE(drawnAt(234, 160).empty());
    // SE 100%, three digits.
    expectCut(234, 210, {106, 216, 36, 36}, kGrey);
    expectCut(254, 210, {70, 216, 36, 36}, kGrey);
    expectCut(274, 210, {70, 216, 36, 36}, kGrey);
    // ON, then the windowed picture.
    expectCut(270, 260, {214, 360, 36, 36}, kGrey);
    expectCut(290, 260, {178, 360, 36, 36}, kGrey);
    expectCut(146, 310, {140, 792, 180, 36}, kGrey);

    s.seVolume = 0;
    s.autoBomb = 0;
    s.windowMode = 0;
    frame();
    expectCut(274, 210, {70, 216, 36, 36}, kGrey);
    EXPECT_TRUE(drawnAt(254, 210).empty());
    expectCut(250, 260, LetterGlyph('O' - 'A'), kGrey);
    expectCut(270, 260, LetterGlyph('F' - 'A'), kGrey);
    expectCut(290, 260, LetterGlyph('F' - 'A'), kGrey);
    const std::vector<Drawn> mode = drawnAt(34, 310);  // full screen: whole row over the label
    ASSERT_EQ(mode.size(), 2u);
    EXPECT_FLOAT_EQ(mode[1].cut.y, 828);
    EXPECT_FLOAT_EQ(mode[1].cut.w, 320);
}

TEST_F(SettingsMenuTest, KeyListShowsLabelsAndBindings) {
    s.screen = 8;
    s.settingsSlide = 900;
    s.menuCursor = 4;
    t.bind(KeyFastForward, '7');
    t.bind(KeyBomb, 0);
    s.windowMode = 1;
    frame();

    for (int i = 0; i < kGameKeyCount; ++i)
        expectCut(234, 100 + 40.0f * i, {0, 504 + 36.0f * i, 68, 36}, i == 4 ? kWhite : kGrey);
    // Letters and digits: the key mark and the key's glyph, centred on the
    // binding column like every other key.
    expectCut(464, 300, DigitGlyph(kKeyMarkGlyph), kGrey);
    expectCut(484, 300, LetterGlyph('Z' - 'A'), kGrey);
    expectCut(464, 380, DigitGlyph(kKeyMarkGlyph), kGrey);
    expectCut(484, 380, DigitGlyph(7), kGrey);
    // SHIFT: the key mark and five letters, centred on the same column.
    expectCut(424, 260, DigitGlyph(kKeyMarkGlyph), kGrey);
    expectCut(444, 260, LetterGlyph('S' - 'A'), kGrey);
    expectCut(524, 260, LetterGlyph('T' - 'A'), kGrey);
    // UP: mark and two letters.
    expectCut(454, 100, DigitGlyph(kKeyMarkGlyph), kGrey);
    expectCut(474, 100, LetterGlyph('U' - 'A'), kGrey);
    // No key: the mark alone.
    expectCut(474, 340, DigitGlyph(kKeyMarkGlyph), kGrey);

    // The settings behind are pushed out to the right, all grey.
    expectCut(624, 110, {0, 0, 320, 36}, kGrey);
    expectCut(634, 310, {0, 792, 140, 36}, kGrey);
    expectCut(624, 410, {0, 180, 320, 36}, kGrey);

    // While a capture waits, the binding under the cursor lights up.
    tap(VK_RETURN);
    frame();
    ASSERT_EQ(s.keyCapturePending, 1);
    expectCut(424, 260, DigitGlyph(kKeyMarkGlyph), kWhite);
    expectCut(524, 260, LetterGlyph('T' - 'A'), kWhite);
    expectCut(484, 300, LetterGlyph('Z' - 'A'), kGrey);
}

// Two actions on one key cannot both work: both bindings turn red (the
// line under the list naming them is seen in the screenshots). Unbound
// actions share nothing.
TEST_F(SettingsMenuTest, TwoActionsOnOneKeyAreShownInRed) {
    constexpr std::uint32_t kShared = 0xFFFF5050;
    s.screen = 8;
    s.settingsSlide = 900;
    s.menuCursor = 0;
    t.bind(KeyBomb, 'Z');  // Shoot is Z too
    t.bind(KeyUp, 0);
    t.bind(KeyDown, 0);
    frame();
    expectCut(484, 300, LetterGlyph('Z' - 'A'), kShared);
    expectCut(484, 340, LetterGlyph('Z' - 'A'), kShared);
    expectCut(474, 100, DigitGlyph(kKeyMarkGlyph), kGrey);
    expectCut(474, 140, DigitGlyph(kKeyMarkGlyph), kGrey);
    expectCut(424, 260, DigitGlyph(kKeyMarkGlyph), kGrey);  // SHIFT, alone on its key

    t.bind(KeyBomb, 'X');
    frame();
    expectCut(484, 300, LetterGlyph('Z' - 'A'), kGrey);
    expectCut(484, 340, LetterGlyph('X' - 'A'), kGrey);
}

}  // namespace
}  // namespace korvid
