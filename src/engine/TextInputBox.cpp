#include "engine/TextInputBox.h"

#include <algorithm>
#include <cmath>

#include "engine/KeyCodes.h"
#include "engine/Utf8.h"

namespace korvid {

namespace {

constexpr int kVkEnd = 35;
constexpr int kVkHome = 36;
constexpr std::uint32_t kFrameColor = 0xFF000000;
constexpr std::uint32_t kCaretColor = 0xFFFF00FF;
constexpr std::uint32_t kCompositionColor = 0xFF3060FF;
constexpr float kTextTop = 2;  // text stands 2 pixels below the box's top

}  // namespace

float BoxAdvance(float fontHeight, char32_t c) {
    return c < 8192 ? std::round(fontHeight / 2) : fontHeight;
}

// --- the group ---

TextInputGroup::~TextInputGroup() {
    if (focused_) engine_.Input_SetTextInput(false);
}

void TextInputGroup::Focus(TextInputBox* box) {
    if (box == focused_) return;
    focused_ = box;
    selStart_ = selEnd_ = selAnchor_ = box ? box->Caret() : 0;
    engine_.Input_SetTextInput(box != nullptr);
}

void TextInputGroup::SetSelection(int a, int b) {
    const int len = focused_ ? static_cast<int>(focused_->Text().size()) : 0;
    a = std::clamp(a, 0, len);
    b = std::clamp(b, 0, len);
    selStart_ = std::min(a, b);
    selEnd_ = std::max(a, b);
}

void TextInputGroup::remove(TextInputBox* box) {
    boxes_.erase(std::remove(boxes_.begin(), boxes_.end(), box), boxes_.end());
    if (focused_ == box) Focus(nullptr);
}

void TextInputGroup::updateMouse() {
    const bool down = engine_.Input_GetKeyState(VK_LBUTTON);
    const bool wasDown = mouseButton_ == 1 || mouseButton_ == 2;
    mouseButton_ = down ? (wasDown ? 2 : 1) : (wasDown ? 3 : 0);
    float mx = 0, my = 0;
    engine_.Input_GetMousePos(&mx, &my);
    if (mouseButton_ == 1) {
        TextInputBox* hit = nullptr;
        for (TextInputBox* b : boxes_)
            if (b->Contains(mx, my)) hit = b;
        Focus(hit);
        if (hit) {
            hit->SetCaret(hit->IndexAt(mx, my));
            selAnchor_ = hit->Caret();
            SetSelection(selAnchor_, selAnchor_);
        }
    } else if (mouseButton_ == 2 && focused_) {
        const int at = focused_->IndexAt(mx, my);
        focused_->SetCaret(at);
        SetSelection(selAnchor_, at);
    }
}

void TextInputGroup::Update() {
    if (!engine_.System_IsForeground()) return;
    updateMouse();
    const std::vector<Engine::TextEvent> typed = engine_.Input_GetTextEvents();
    for (const Engine::TextEvent& ev : typed) {
        if (!focused_) break;
        if (ev.ch != 0) focused_->Type(ev.ch);
        else if (ev.vk == VK_BACK) focused_->Type(8);
        else if (ev.vk == VK_RETURN) focused_->Type(13);
        else focused_->EditKey(ev.vk);
    }
}

// --- one box ---

TextInputBox::TextInputBox(TextInputGroup& group, BoxFont& font, HTEXTURE tiles, float width, float height)
    : group_(group),
      font_(font),
      tiles_(group.engine(), tiles, 65, 97, 6, 6),
      caretSprite_(group.engine(), 0, 0, 0, 1, font.Height() > 0 ? font.Height() : 12) {
    lineHeight_ = font.Height() > 0 ? font.Height() : 12;
    SetSize(width, height);
    tiles_.SetHotSpot(0, 0);
    caretSprite_.SetColor(kCaretColor);
    group_.add(this);
}

TextInputBox::~TextInputBox() { group_.remove(this); }

void TextInputBox::SetSize(float width, float height) {
    width_ = width > 0 ? width : 1;
    height_ = height > 0 ? height : 1;
}

int TextInputBox::MaxLineBreaks() const {
    const int lines = static_cast<int>(height_ / lineHeight_) - 2;
    return lines > 0 ? lines : 0;
}

std::string TextInputBox::GetText() const { return EncodeUtf8(text_); }

void TextInputBox::SetText(std::string_view utf8) {
    Clear();
    for (char32_t c : DecodeUtf8(utf8)) insert(c == U'\r' ? U'\n' : c);
    caret_ = static_cast<int>(text_.size());
}

void TextInputBox::Clear() {
    text_.clear();
    caret_ = 0;
    lineBreaks_ = 0;
    if (HasFocus()) group_.SetSelection(0, 0);
}

void TextInputBox::SetCaret(int index) { caret_ = std::clamp(index, 0, static_cast<int>(text_.size())); }

bool TextInputBox::accepts(char32_t c) const {
    if (c == U'\n') return lineBreaks_ < MaxLineBreaks();
    if (accept_ && !accept_(c)) return false;
    if (!digitsOnly_) return true;
    if (c >= U'0' && c <= U'9') return true;
    if (c == U'-') return caret_ == 0 && (text_.empty() || text_[0] != U'-');
    if (c == U'.') return text_.find(U'.') == std::u32string::npos;
    return false;
}

// Every insertion counts against the limit, the wrap's line feeds too.
void TextInputBox::insert(char32_t c) {
    if (static_cast<int>(text_.size()) >= kMaxChars || !accepts(c)) return;
    text_.insert(text_.begin() + caret_, c);
    ++caret_;
    if (c == U'\n') ++lineBreaks_;
    wrap();
}

void TextInputBox::erase(int from, int to) {
    from = std::clamp(from, 0, static_cast<int>(text_.size()));
    to = std::clamp(to, from, static_cast<int>(text_.size()));
    lineBreaks_ -= static_cast<int>(std::count(text_.begin() + from, text_.begin() + to, U'\n'));
    text_.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    if (caret_ > to) caret_ -= to - from;
    else if (caret_ > from) caret_ = from;
}

bool TextInputBox::deleteSelection() {
    if (!HasFocus() || group_.SelectionStart() >= group_.SelectionEnd()) return false;
    const int from = group_.SelectionStart();
    erase(from, group_.SelectionEnd());
    caret_ = from;
    group_.SetSelection(from, from);
    return true;
}

// A character that would pass the right edge goes to a new line, by a real
// line feed, while lines and characters are left; otherwise it stays cut.
void TextInputBox::wrap() {
    float x = 0;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        const char32_t c = text_[i];
        if (c == U'\n') {
            x = 0;
            continue;
        }
        const float adv = BoxAdvance(lineHeight_, c);
        if (x > 0 && x + adv > width_) {
            if (lineBreaks_ >= MaxLineBreaks() || static_cast<int>(text_.size()) >= kMaxChars) return;
            text_.insert(text_.begin() + static_cast<std::ptrdiff_t>(i), U'\n');
            ++lineBreaks_;
            if (caret_ >= static_cast<int>(i)) ++caret_;
            x = 0;
            continue;
        }
        x += adv;
    }
}

void TextInputBox::Type(char32_t c) {
    if (c == 9 || c == 27 || c == 22) return;
    if (c == 8) {
        if (!deleteSelection() && caret_ > 0) erase(caret_ - 1, caret_);
        return;
    }
    if (c == 13) c = U'\n';
    else if (c < 32 || c == 127) return;
    deleteSelection();
    insert(c);
    if (HasFocus()) group_.SetSelection(caret_, caret_);
}

void TextInputBox::EditKey(int vk) {
    const int len = static_cast<int>(text_.size());
    switch (vk) {
        case kVkHome: caret_ = 0; break;
        case kVkEnd: caret_ = len; break;
        case VK_LEFT: caret_ = std::max(caret_ - 1, 0); break;
        case VK_RIGHT: caret_ = std::min(caret_ + 1, len); break;
        case VK_UP:
        case VK_DOWN: {
            const Place p = placeOf(caret_);
            const int line = p.line + (vk == VK_UP ? -1 : 1);
            if (line >= 0 && line <= lineBreaks_) caret_ = indexOnLine(line, p.x);
            break;
        }
        case VK_DELETE: erase(caret_, len); break;
        default: return;
    }
    if (HasFocus()) group_.SetSelection(caret_, caret_);
}

TextInputBox::Place TextInputBox::placeOf(int index) const {
    Place p{0, 0};
    for (int i = 0; i < index && i < static_cast<int>(text_.size()); ++i) {
        if (text_[static_cast<std::size_t>(i)] == U'\n') {
            p.x = 0;
            ++p.line;
        } else {
            p.x += BoxAdvance(lineHeight_, text_[static_cast<std::size_t>(i)]);
        }
    }
    return p;
}

// The index on `line` nearest to `x`: before the character whose left half
// holds x, after it from its right half on.
int TextInputBox::indexOnLine(int line, float x) const {
    int i = 0;
    const int len = static_cast<int>(text_.size());
    for (int l = 0; l < line && i < len; ++i)
        if (text_[static_cast<std::size_t>(i)] == U'\n') ++l;
    float cx = 0;
    for (; i < len && text_[static_cast<std::size_t>(i)] != U'\n'; ++i) {
        const float adv = BoxAdvance(lineHeight_, text_[static_cast<std::size_t>(i)]);
        if (x < cx + adv / 2) return i;
        cx += adv;
    }
    return i;
}

int TextInputBox::IndexAt(float px, float py) const {
    const int line = std::clamp(static_cast<int>(std::floor((py - y_ - kTextTop) / lineHeight_)), 0, lineBreaks_);
    return indexOnLine(line, px - x_);
}

bool TextInputBox::Contains(float px, float py) const {
    return px >= x_ - 1 && px < x_ - 1 + width_ + 10 && py >= y_ - 1 && py < y_ - 1 + height_ + 2;
}

void TextInputBox::drawFrame(float left, float top, float w, float h) {
    Engine& e = group_.engine();
    const float right = left + w, bottom = top + h;
    for (float d = 0; d < 2; d += 1) {
        e.Gfx_RenderLine(left - d, top - d, right + d, top - d, kFrameColor);
        e.Gfx_RenderLine(left - d, bottom + d, right + d, bottom + d, kFrameColor);
        e.Gfx_RenderLine(left - d, top - d, left - d, bottom + d, kFrameColor);
        e.Gfx_RenderLine(right + d, top - d, right + d, bottom + d, kFrameColor);
    }
}

void TextInputBox::drawComposition(float cx, float cy) {
    Engine& e = group_.engine();
    int cursor = 0;
    const std::u32string comp = DecodeUtf8(e.Input_GetComposition(&cursor));
    if (comp.empty()) return;
    float w = 0;
    for (char32_t c : comp) w += BoxAdvance(lineHeight_, c);
    tiles_.SetTextureRect(65, 97, 6, 6);
    tiles_.SetColor(0xFFFFFFFF);
    tiles_.RenderEx(cx, cy, 0, w / 6, lineHeight_ / 6);
    font_.DrawLine(cx, cy, comp);
    e.Gfx_RenderLine(cx, cy + lineHeight_, cx + w, cy + lineHeight_, kCompositionColor);
    float at = cx;
    for (int i = 0; i < cursor && i < static_cast<int>(comp.size()); ++i)
        at += BoxAdvance(lineHeight_, comp[static_cast<std::size_t>(i)]);
    caretSprite_.Render(at, cy);
}

void TextInputBox::Render(float x, float y) {
    Engine& e = group_.engine();
    x_ = x;
    y_ = y;
    const float bgW = width_ + 10, bgH = height_ + 2;
    tiles_.SetTextureRect(65, 97, 6, 6);
    tiles_.SetColor(0xFFFFFFFF);
    tiles_.RenderEx(x - 1, y - 1, 0, bgW / 6, bgH / 6);
    drawFrame(x - 1, y - 1, bgW, bgH);

    e.Gfx_SetClipping(static_cast<int>(x - 1), static_cast<int>(y - 1), static_cast<int>(bgW),
                      static_cast<int>(bgH));
    // The selection's highlight behind its characters.
    if (HasFocus() && group_.SelectionStart() < group_.SelectionEnd()) {
        tiles_.SetTextureRect(73, 97, 6, 6);
        for (int i = group_.SelectionStart(); i < group_.SelectionEnd(); ++i) {
            const char32_t c = text_[static_cast<std::size_t>(i)];
            if (c == U'\n') continue;
            const Place p = placeOf(i);
            tiles_.RenderEx(x + p.x, y + kTextTop + lineHeight_ * static_cast<float>(p.line), 0,
                            BoxAdvance(lineHeight_, c) / 6, lineHeight_ / 6);
        }
    }
    std::size_t start = 0;
    for (int line = 0; start <= text_.size(); ++line) {
        std::size_t end = text_.find(U'\n', start);
        if (end == std::u32string::npos) end = text_.size();
        if (end > start)
            font_.DrawLine(x, y + kTextTop + lineHeight_ * static_cast<float>(line),
                           std::u32string_view(text_).substr(start, end - start));
        start = end + 1;
    }
    e.Gfx_SetClipping();

    if (!HasFocus()) return;
    const Place p = placeOf(caret_);
    const float cx = x + p.x, cy = y + kTextTop + lineHeight_ * static_cast<float>(p.line);
    caretSprite_.Render(cx, cy);
    drawComposition(cx, cy);
    // The input method's own window opens under the caret.
    e.Input_SetTextInputRect(static_cast<int>(cx), static_cast<int>(cy), 1, static_cast<int>(lineHeight_));
}

}  // namespace korvid
