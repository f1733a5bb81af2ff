// Text input of both engines: characters and editing keys typed while text
// input is on, queued by the platform between frames (or taken from the
// scripted text and keys) and handed to the game once per frame.
#include "engine/EngineBase.h"
#include "engine/Utf8.h"

namespace korvid {

namespace {

// The keys a text box edits with; they reach it as events, with the
// keyboard's repeat, besides reading as held.
constexpr int kEditingKeys[] = {VK_BACK, VK_RETURN, VK_DELETE, 35 /*End*/, 36 /*Home*/,
                                VK_LEFT, VK_UP,     VK_RIGHT,  VK_DOWN};

bool isEditingKey(int vk) {
    for (int k : kEditingKeys)
        if (k == vk) return true;
    return false;
}

}  // namespace

void EngineBase::Input_SetTextInput(bool on) {
    if (on == textInput_) return;
    textInput_ = on;
    pendingText_.clear();
    composition_.clear();
    compositionCursor_ = 0;
    platformTextInput(on);
}

std::string EngineBase::Input_GetComposition(int* cursor) {
    if (cursor) *cursor = compositionCursor_;
    return composition_;
}

void EngineBase::Input_SetTextInputRect(int x, int y, int w, int h) { platformTextInputRect(x, y, w, h); }

void EngineBase::typeText(const char* utf8) {
    if (!textInput_ || !utf8) return;
    for (char32_t c : DecodeUtf8(utf8)) {
        if (c == U'\b') pendingText_.push_back({0, VK_BACK});
        else if (c == U'\n' || c == U'\r') pendingText_.push_back({0, VK_RETURN});
        else pendingText_.push_back({c, 0});
    }
}

void EngineBase::typeEditingKey(int vk) {
    if (textInput_ && isEditingKey(vk)) pendingText_.push_back({0, vk});
}

void EngineBase::setComposition(const char* utf8, int cursor) {
    composition_ = (textInput_ && utf8) ? utf8 : "";
    compositionCursor_ = cursor < 0 ? 0 : cursor;
}

// Scripted runs type through the same queue: a script's editing key typed
// on the frame it goes down, its text on its frame.
void EngineBase::takeFrameText() {
    if (keySource_) {
        for (int vk : kEditingKeys)
            if (keys_[vk] && !previousKeys_[vk]) typeEditingKey(vk);
        previousKeys_ = keys_;
    }
    if (textSource_) {
        const std::string typed = textSource_(frameCount_);
        if (!typed.empty()) typeText(typed.c_str());
    }
    if (mouseSource_) {
        float x = mouseX_, y = mouseY_;
        if (mouseSource_(frameCount_, &x, &y)) setMousePos(x, y);
    }
    frameText_.swap(pendingText_);
    pendingText_.clear();
}

}  // namespace korvid
