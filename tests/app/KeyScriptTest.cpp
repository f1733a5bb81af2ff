#include "app/KeyScript.h"

#include <gtest/gtest.h>

#include "../engine/TempDir.h"

namespace korvid {
namespace {

constexpr int kShift = 16, kControl = 17, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kLShift = 160, kRShift = 161, kLControl = 162, kRControl = 163;

KeyScript Parse(std::string_view text) {
    std::string error;
    auto script = KeyScript::parse(text, error);
    EXPECT_TRUE(script.has_value()) << error;
    return script.value_or(KeyScript{});
}

TEST(KeyScript, RangesAreInclusiveAndSingleFramesHoldOneFrame) {
    const KeyScript script = Parse(
        "# walk right, shoot once, then walk left\n"
        "\n"
        "10-20 RIGHT\r\n"
        "  15   z   # one shot\n"
        "30-30 LEFT\n");
    for (int frame = 0; frame <= 40; ++frame) {
        EXPECT_EQ(script.held(frame, kRight), frame >= 10 && frame <= 20) << frame;
        EXPECT_EQ(script.held(frame, 'Z'), frame == 15) << frame;
        EXPECT_EQ(script.held(frame, kLeft), frame == 30) << frame;
        EXPECT_FALSE(script.held(frame, kUp)) << frame;
    }
    EXPECT_EQ(script.lastFrame(), 30);
}

TEST(KeyScript, CombosAndOverlappingRulesHoldTheUnion) {
    const KeyScript script = Parse(
        "1-100 UP+z\n"
        "50-60 up + X  Down\n"  // overlaps UP; ends while the first rule still holds it
        "200 a+1+Space+Tab+enter+ESC+F1+f12\n");
    EXPECT_TRUE(script.held(1, kUp) && script.held(1, 'Z'));
    EXPECT_TRUE(script.held(55, kUp) && script.held(55, 'X') && script.held(55, kDown));
    EXPECT_TRUE(script.held(61, kUp)) << "the end of one rule must not release a key another still holds";
    EXPECT_FALSE(script.held(61, 'X'));
    EXPECT_FALSE(script.held(101, kUp));
    for (int vk : {int{'A'}, int{'1'}, 32, 9, 13, 27, 112, 123}) EXPECT_TRUE(script.held(200, vk)) << vk;
    EXPECT_FALSE(script.held(199, 'A'));
    EXPECT_FALSE(script.held(201, 'A'));
    EXPECT_EQ(script.lastFrame(), 200);
}

TEST(KeyScript, ModifiersReadHeldUnderTheirGenericCodes) {
    const KeyScript script = Parse(
        "1 SHIFT\n"
        "2 CONTROL\n"
        "3 CTRL\n"
        "4 LSHIFT\n"
        "5 RSHIFT\n"
        "6 LCONTROL\n"
        "7 RCONTROL\n");
    EXPECT_TRUE(script.held(1, kShift));
    EXPECT_TRUE(script.held(2, kControl));
    EXPECT_TRUE(script.held(3, kControl));
    EXPECT_TRUE(script.held(4, kLShift) && script.held(4, kShift) && !script.held(4, kRShift));
    EXPECT_TRUE(script.held(5, kRShift) && script.held(5, kShift) && !script.held(5, kLShift));
    EXPECT_TRUE(script.held(6, kLControl) && script.held(6, kControl) && !script.held(6, kRControl));
    EXPECT_TRUE(script.held(7, kRControl) && script.held(7, kControl) && !script.held(7, kLControl));
}

TEST(KeyScript, OutOfRangeQueriesAndEmptyScriptsHoldNothing) {
    const KeyScript script = Parse("1-5 A\n");
    EXPECT_FALSE(script.held(3, -1));
    EXPECT_FALSE(script.held(3, 256));
    EXPECT_FALSE(script.held(-100, 'A'));
    EXPECT_FALSE(script.held(1'000'000'000, 'A'));

    const KeyScript empty = Parse("# nothing\n\n   \n");
    EXPECT_EQ(empty.lastFrame(), 0);
    EXPECT_FALSE(empty.held(1, 'A'));
}

TEST(KeyScript, MalformedLinesAreReportedWithTheirNumberAndText) {
    struct Case {
        const char* line;
        const char* problem;
    };
    constexpr Case kCases[] = {
        {"10-20 FOO", "unknown key 'FOO'"},
        {"10-20 UP+", "missing key"},
        {"10-20 +UP", "missing key"},
        {"10-20", "no keys"},
        {"20-10 UP", "ends before it starts"},
        {"0 UP", "frames count from 1"},
        {"-5 UP", "bad frame range"},
        {"x-5 UP", "bad frame range"},
        {"5- UP", "bad frame range"},
        {"1-2-3 UP", "bad frame range"},
        {"9999999999 UP", "bad frame range"},
        {"3 F13", "unknown key 'F13'"},
        {"3 F0", "unknown key 'F0'"},
        {"3 AB", "unknown key 'AB'"},
    };
    for (const Case& c : kCases) {
        std::string error;
        const std::string text = std::string("# header\n1 UP\n") + c.line + "\n4 DOWN\n";
        EXPECT_FALSE(KeyScript::parse(text, error, "keys.txt").has_value()) << c.line;
        EXPECT_TRUE(error.starts_with("keys.txt:3: ")) << error;
        EXPECT_NE(error.find(c.problem), std::string::npos) << error;
        EXPECT_NE(error.find(c.line), std::string::npos) << error;
    }
}

TEST(KeyScript, LoadsFromAFileAndNamesItInErrors) {
    testing::TempDir folder;
    folder.write("good.txt", "1-3 z\n");
    folder.write("bad.txt", "1-3 z\n\n4 QQ\n");
    std::string error;

    const auto good = KeyScript::load(folder.file("good.txt"), error);
    ASSERT_TRUE(good.has_value()) << error;
    EXPECT_TRUE(good->held(3, 'Z'));

    EXPECT_FALSE(KeyScript::load(folder.file("bad.txt"), error).has_value());
    EXPECT_TRUE(error.starts_with(folder.file("bad.txt") + ":3: unknown key 'QQ'")) << error;

    EXPECT_FALSE(KeyScript::load(folder.file("absent.txt"), error).has_value());
    EXPECT_NE(error.find("absent.txt"), std::string::npos) << error;
}

TEST(KeyScript, MouseClicksAndTypedTextDriveATextBox) {
    const KeyScript script = Parse(
        "300 MOUSE 250 50\n"
        "301 CLICK 260 98   # the player box\n"
        "310 TEXT \"名字 #1\\n\\\"q\\\"\\b\"\n"
        "310 TEXT \"!\"\n"
        "320-330 LBUTTON\n");
    float x = -1, y = -1;
    EXPECT_FALSE(script.mouseAt(299, &x, &y));
    ASSERT_TRUE(script.mouseAt(300, &x, &y));
    EXPECT_EQ(x, 250);
    EXPECT_EQ(y, 50);
    ASSERT_TRUE(script.mouseAt(500, &x, &y));
    EXPECT_EQ(x, 260);
    EXPECT_EQ(y, 98);
    EXPECT_TRUE(script.held(301, 1));
    EXPECT_FALSE(script.held(302, 1));
    EXPECT_TRUE(script.held(325, 1));
    EXPECT_EQ(script.textAt(310), "名字 #1\n\"q\"\b!");
    EXPECT_EQ(script.textAt(311), "");
    EXPECT_EQ(script.lastFrame(), 330);

    std::string error;
    EXPECT_FALSE(KeyScript::parse("5-9 TEXT \"a\"", error));
    EXPECT_NE(error.find("one frame"), std::string::npos) << error;
    EXPECT_FALSE(KeyScript::parse("5 TEXT abc", error));
    EXPECT_FALSE(KeyScript::parse("5 CLICK 10", error));
}

}  // namespace
}  // namespace korvid
