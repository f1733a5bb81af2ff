#include "engine/TextInputBox.h"

#include <gtest/gtest.h>

#include "engine/KeyCodes.h"
#include "engine/Utf8.h"
#include "support/RecordingEngine.h"

namespace korvid {
namespace {

class FixedFont final : public BoxFont {
public:
    float Height() const override { return 14; }
    void DrawLine(float x, float y, std::u32string_view line) override { drawn.emplace_back(line); }
    std::vector<std::u32string> drawn;
};

struct Boxes {
    test::RecordingEngine engine;
    FixedFont font;
    TextInputGroup group{engine};

    void type(TextInputBox& box, std::string_view utf8) {
        for (char32_t c : DecodeUtf8(utf8)) box.Type(c);
    }
    // One frame of the save screen: the mouse, then what was typed.
    void frame(float mx, float my, bool button, std::vector<Engine::TextEvent> typed = {}) {
        engine.mouseX = mx;
        engine.mouseY = my;
        engine.keys[VK_LBUTTON] = button;
        engine.textEvents = std::move(typed);
        group.Update();
    }
};

TEST(TextInputBox, KeyBoxKeepsDigitsOneDotAndALeadingMinus) {
    Boxes b;
    TextInputBox key(b.group, b.font, 0, 80, 20);
    key.SetDigitsOnly(true);
    b.type(key, "a1-2.3.4");
    EXPECT_EQ(key.GetText(), "12.34");
    key.Clear();
    b.type(key, "--7.5");
    EXPECT_EQ(key.GetText(), "-7.5");
    key.SetCaret(0);
    b.type(key, "-");  // only one leading minus
    EXPECT_EQ(key.GetText(), "-7.5");
}

TEST(TextInputBox, LineBreaksFollowTheHeightAndWrappingInsertsRealLineFeeds) {
    Boxes b;
    TextInputBox desc(b.group, b.font, 0, 160, 200);
    TextInputBox name(b.group, b.font, 0, 160, 20);
    EXPECT_EQ(desc.MaxLineBreaks(), 12);  // trunc(200 / 14) - 2
    EXPECT_EQ(name.MaxLineBreaks(), 0);
    for (int i = 0; i < 20; ++i) desc.Type(13);
    EXPECT_EQ(desc.LineBreaks(), 12);
    EXPECT_EQ(std::count(desc.Text().begin(), desc.Text().end(), U'\n'), 12);

    // Latin letters advance 7 pixels: 22 fit in 160, the 23rd starts a line.
    desc.Clear();
    b.type(desc, std::string(30, 'a'));
    ASSERT_EQ(desc.Text().size(), 31u);
    EXPECT_EQ(desc.Text()[22], U'\n');
    EXPECT_EQ(desc.LineBreaks(), 1);
    EXPECT_EQ(desc.Caret(), 31);
    // Chinese characters take the full 14: 11 to a line.
    desc.Clear();
    b.type(desc, "一二三四五六七八九十甲乙");
    EXPECT_EQ(desc.Text()[11], U'\n');

    // A one-line box neither wraps nor takes Enter; its text is only cut.
    b.type(name, std::string(30, 'b'));
    name.Type(13);
    EXPECT_EQ(name.Text(), std::u32string(30, U'b'));
}

TEST(TextInputBox, TheLimitCountsEveryInsertionAlsoWrapLineFeeds) {
    Boxes b;
    TextInputBox desc(b.group, b.font, 0, 160, 200);
    b.type(desc, std::string(2000, 'c'));
    EXPECT_EQ(desc.Text().size(), 1023u);
    EXPECT_EQ(desc.LineBreaks(), 12);
    TextInputBox name(b.group, b.font, 0, 160, 20);
    name.SetText(std::string(1500, 'd'));
    EXPECT_EQ(name.Text().size(), 1023u);
}

TEST(TextInputBox, RefusesWhatTheFilterRefuses) {
    Boxes b;
    TextInputBox name(b.group, b.font, 0, 160, 20);
    name.SetAcceptFilter([](char32_t c) { return c < 0x10000; });
    b.type(name, "a\U0001F600b");
    EXPECT_EQ(name.GetText(), "ab");
}

TEST(TextInputBox, MouseFocusesSelectsAndTypingReplacesTheSelection) {
    Boxes b;
    TextInputBox name(b.group, b.font, 0, 160, 20);
    TextInputBox player(b.group, b.font, 0, 160, 20);
    name.Render(240, 42);
    player.Render(240, 90);
    name.SetText("abcdefgh");

    // Typing with no box focused does nothing, and text input stays off.
    b.frame(0, 0, false, {{U'z', 0}});
    EXPECT_EQ(name.GetText(), "abcdefgh");
    EXPECT_FALSE(b.engine.textInput);

    // Press on the third character (x 240 + 2 x 7), drag to the sixth.
    b.frame(240 + 14 + 1, 50, true);
    EXPECT_TRUE(name.HasFocus());
    EXPECT_TRUE(b.engine.textInput);
    EXPECT_EQ(name.Caret(), 2);
    b.frame(240 + 35 + 1, 50, true);
    EXPECT_EQ(b.group.SelectionStart(), 2);
    EXPECT_EQ(b.group.SelectionEnd(), 5);
    b.frame(240 + 35 + 1, 50, false, {{U'X', 0}});
    EXPECT_EQ(name.GetText(), "abXfgh");
    EXPECT_EQ(b.group.SelectionStart(), b.group.SelectionEnd());

    // Backspace and the editing keys.
    b.frame(0, 0, false, {{0, VK_BACK}, {0, 36 /*Home*/}, {0, VK_RIGHT}, {U'-', 0}, {0, 35 /*End*/}, {U'!', 0}});
    EXPECT_EQ(name.GetText(), "a-bfgh!");
    b.frame(0, 0, false, {{0, VK_LEFT}, {0, VK_LEFT}, {0, VK_DELETE}});
    EXPECT_EQ(name.GetText(), "a-bfg");

    // A click elsewhere moves the focus; a click on nothing takes it away.
    b.frame(250, 95, true);
    EXPECT_TRUE(player.HasFocus());
    b.frame(250, 95, false);
    b.frame(10, 300, true);
    EXPECT_EQ(b.group.Focused(), nullptr);
    EXPECT_FALSE(b.engine.textInput);
}

TEST(TextInputBox, UpAndDownKeepTheColumn) {
    Boxes b;
    TextInputBox desc(b.group, b.font, 0, 160, 200);
    desc.SetText("abcdef\nxy\n123456");
    desc.SetCaret(4);  // before 'e'
    desc.EditKey(VK_DOWN);
    EXPECT_EQ(desc.Caret(), 9);  // end of "xy"
    desc.EditKey(VK_DOWN);
    EXPECT_EQ(desc.Caret(), 12);  // before '3', under the end of "xy"
    desc.EditKey(VK_UP);
    desc.EditKey(VK_UP);
    EXPECT_EQ(desc.Caret(), 2);
}

TEST(TextInputBox, ABoxDeletedWithTheFocusLeavesNoFocusAndStopsTextInput) {
    Boxes b;
    auto name = std::make_unique<TextInputBox>(b.group, b.font, 0, 160, 20);
    name->Render(240, 42);
    b.frame(250, 50, true);
    ASSERT_TRUE(name->HasFocus());
    name.reset();
    EXPECT_EQ(b.group.Focused(), nullptr);
    EXPECT_FALSE(b.engine.textInput);
    b.frame(250, 50, false, {{U'a', 0}});  // nothing left to type into
}

TEST(TextInputBox, DrawsItsLinesAndCaretOnlyWhenFocused) {
    Boxes b;
    TextInputBox desc(b.group, b.font, 0, 160, 200);
    desc.SetText("one\ntwo");
    desc.Render(240, 186);
    EXPECT_EQ(b.font.drawn, (std::vector<std::u32string>{U"one", U"two"}));
    const std::size_t unfocused = b.engine.quads.size();
    b.group.Focus(&desc);
    desc.Render(240, 186);
    EXPECT_EQ(b.engine.quads.size(), 2 * unfocused + 1);  // and the caret
}

}  // namespace
}  // namespace korvid
