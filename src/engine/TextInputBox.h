// Editable text fields: caret, selection by mouse, typing through the input
// method (composition shown underlined at the caret), word wrap by real line
// feeds, an optional digits-only mode. The boxes of one screen share a
// TextInputGroup: one box at most has the focus, and the platform's text
// input is on exactly while one does, so no input method ever eats the keys
// the game plays with.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Engine.h"
#include "engine/Sprite.h"

namespace korvid {

// What a box draws its text with. Layout follows the glyph font's grid:
// codes below 8192 advance half the font's height (rounded), all others the
// full height.
class BoxFont {
public:
    virtual ~BoxFont() = default;
    virtual float Height() const = 0;
    // One line of text with its top left at (x, y).
    virtual void DrawLine(float x, float y, std::u32string_view line) = 0;
};

float BoxAdvance(float fontHeight, char32_t c);

class TextInputBox;

class TextInputGroup {
public:
    explicit TextInputGroup(Engine& engine) : engine_(engine) {}
    ~TextInputGroup();
    TextInputGroup(const TextInputGroup&) = delete;
    TextInputGroup& operator=(const TextInputGroup&) = delete;

    // Once per frame, before the boxes are drawn: the left button gives and
    // takes the focus and drags the selection; then this frame's typed
    // characters and editing keys go to the focused box.
    void Update();

    TextInputBox* Focused() const { return focused_; }
    // Gives the focus to `box` (nullptr: none); the selection is cleared.
    void Focus(TextInputBox* box);

    // The selection of the focused box: start <= end, both within its text.
    int SelectionStart() const { return selStart_; }
    int SelectionEnd() const { return selEnd_; }
    void SetSelection(int a, int b);

    // Left button: 0 up, 1 pressed this frame, 2 held, 3 released this frame.
    int MouseButton() const { return mouseButton_; }

    Engine& engine() { return engine_; }

private:
    friend class TextInputBox;
    void add(TextInputBox* box) { boxes_.push_back(box); }
    void remove(TextInputBox* box);
    void updateMouse();

    Engine& engine_;
    std::vector<TextInputBox*> boxes_;
    TextInputBox* focused_ = nullptr;
    int selStart_ = 0, selEnd_ = 0, selAnchor_ = 0;
    int mouseButton_ = 0;
};

class TextInputBox {
public:
    static constexpr int kMaxChars = 1023;

    // `tiles` holds the background tile at (65, 97, 6, 6) and the selection
    // tile at (73, 97, 6, 6). Width and height 0 become 1.
    TextInputBox(TextInputGroup& group, BoxFont& font, HTEXTURE tiles, float width, float height);
    ~TextInputBox();
    TextInputBox(const TextInputBox&) = delete;
    TextInputBox& operator=(const TextInputBox&) = delete;

    void SetSize(float width, float height);
    void SetDigitsOnly(bool on) { digitsOnly_ = on; }
    // Characters the text may hold (e.g. those the file's code page can
    // store); others are refused as they are typed.
    void SetAcceptFilter(std::function<bool(char32_t)> accept) { accept_ = std::move(accept); }

    // Draws the box with its top left at (x, y) and keeps that position for
    // the mouse.
    void Render(float x, float y);

    std::string GetText() const;  // UTF-8
    void SetText(std::string_view utf8);
    void Clear();
    bool HasFocus() const { return group_.Focused() == this; }

    // Editing, as the keyboard drives it: a character message (8 Backspace,
    // 13 Enter; 9, 27 and 22 are ignored) and an editing key (Home, End,
    // the arrows, Delete).
    void Type(char32_t c);
    void EditKey(int vk);

    const std::u32string& Text() const { return text_; }
    int Caret() const { return caret_; }
    void SetCaret(int index);
    int LineBreaks() const { return lineBreaks_; }
    int MaxLineBreaks() const;
    // The character index under a point of the screen (an index within the
    // text, up to its length).
    int IndexAt(float px, float py) const;
    // Whether a point of the screen falls on the box as drawn.
    bool Contains(float px, float py) const;
    float X() const { return x_; }
    float Y() const { return y_; }

private:
    struct Place {
        float x;
        int line;
    };
    Place placeOf(int index) const;
    int indexOnLine(int line, float x) const;
    bool accepts(char32_t c) const;
    void insert(char32_t c);
    void erase(int from, int to);
    bool deleteSelection();
    void wrap();
    void drawFrame(float left, float top, float w, float h);
    void drawComposition(float cx, float cy);

    TextInputGroup& group_;
    BoxFont& font_;
    Sprite tiles_;
    Sprite caretSprite_;
    std::u32string text_;
    int caret_ = 0;
    int lineBreaks_ = 0;
    bool digitsOnly_ = false;
    float width_ = 1, height_ = 1;
    float lineHeight_ = 14;
    float x_ = 0, y_ = 0;
    std::function<bool(char32_t)> accept_;
};

}  // namespace korvid
