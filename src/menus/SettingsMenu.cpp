#include "menus/SettingsMenu.h"

#include <array>
#include <cerrno>
#include <string>
#include <string_view>

#include "game/Game.h"
#include "game/Input.h"
#include "game/Settings.h"
#include "engine/ControllerButtons.h"
#include "engine/GlyphFont.h"
#include "game/KeySettings.h"
#include "menus/KeyNames.h"
#include "menus/MenuText.h"
#include "menus/SaveFailure.h"
#include "menus/TitleMenus.h"
#include "play/Resources.h"

namespace korvid {

namespace {

constexpr int kSettingsSlideTarget = 300;   // settings list fully in view
constexpr int kKeyConfigSlideTarget = 900;  // key list in view, settings pushed out right
constexpr int kSlideStep = 20;
constexpr float kListScale = 0.8f;
constexpr float kGlyphAdvance = 20;  // glyphs overlap: their cells carry a margin

constexpr int kVolumeStep = 5;
constexpr int kVolumeMax = 100;
constexpr int kCaptureCodes = 222;  // a capture tests virtual-key codes 0..221

enum SettingsEntry {
    KeyConfigEntry,
    BgmEntry,
    SeEntry,
    AutoBombEntry,
    WindowModeEntry,
    LanguageEntry,
    BackEntry,
    kSettingsEntries
};

// Each settings row: its picture, and where it stands (x relative to the slide).
struct ListRow {
    TexRect picture;
    float dx, y;
};
constexpr ListRow kSettingsRows[kSettingsEntries] = {
    {{0, 0, 320, 36}, -276, 110},  {{0, 36, 320, 36}, -276, 160},  {{0, 72, 320, 36}, -276, 210},
    {{0, 108, 320, 36}, -276, 260}, {{0, 792, 140, 36}, -266, 310}, {{0, 864, 320, 36}, -276, 360},
    {{0, 180, 320, 36}, -276, 410},
};
// The language's value, free text ending where the other values end.
constexpr float kLanguageValueDx = 19;

// Values stand right-aligned: the last digit of a volume, then the percent
// sign; ON/OFF ends where the percent sign stands.
constexpr float kVolumeLastDigitDx = -26;
constexpr float kValueEndDx = -10;

// Window mode: the windowed picture continues the label's texture row, so it
// stands right after the label; the full-screen picture is a whole row drawn
// from the label's left edge (its left part is blank in the texture).
constexpr TexRect kWindowedPicture = {140, 792, 180, 36};
constexpr TexRect kFullScreenPicture = {0, 828, 320, 36};
constexpr float kWindowedDx = -266 + 140 * kListScale;
constexpr float kFullScreenDx = -266;

// Key list: label and binding of GameKey i.
constexpr float kKeyLabelY = 504;
constexpr float kKeyLabelDx = -666;
constexpr float kKeyBindingDx = -426;  // a single glyph stands here; longer names centre on it
constexpr float kKeyRowY = 100;
constexpr float kKeyRowSpacing = 40;
// Only the label's own picture: the rest of its texture row holds glyphs
// (the key mark shares the third label's row).
constexpr float kKeyLabelWidth = 68;
// Bindings two actions share, and the line under the list that says so,
// naming the actions as their labels show them.
constexpr std::uint32_t kSharedKeyColor = 0xFFFF5050;
constexpr float kSharedKeyY = 430;
// A settings save that failed, right of the list.
constexpr float kSaveFailureDx = 24;
constexpr float kSaveFailureY = 110;
constexpr const char* kActionNames[kGameKeyCount] = {"上移", "下移", "左移", "右移", "低速", "射击", "炸弹", "快进"};
constexpr const char* kEnglishActionNames[kGameKeyCount] = {"Up", "Down", "Left", "Right", "Focus", "Shoot", "Bomb", "Skip"};

std::uint32_t rowColor(bool selected) { return selected ? kMenuSelected : kMenuOther; }

void drawPicture(Game& game, const TexRect& r, float x, float y, std::uint32_t color) {
    DrawMenuRect(game, game.state.subMenuTexture, r.x, r.y, r.w, r.h, x, y, color, kListScale);
}

void slideToward(int& slide, int target) {
    if (slide < target) slide = slide + kSlideStep > target ? target : slide + kSlideStep;
    else if (slide > target) slide = slide - kSlideStep < target ? target : slide - kSlideStep;
}

// Up to three digits, the last at lastX, then the percent sign.
void drawVolume(Game& game, int volume, float slide, float y, std::uint32_t color) {
    std::array<int, 3> digits{};
    int count = 0;
    int v = volume < 0 ? 0 : volume;
    do {
        digits[count++] = v % 10;
        v /= 10;
    } while (v > 0 && count < 3);
    for (int k = count - 1; k >= 0; --k)
        drawPicture(game, DigitGlyph(digits[k]), slide + kVolumeLastDigitDx - kGlyphAdvance * k, y, color);
    drawPicture(game, LetterGlyph(kPercentGlyph), slide + kValueEndDx, y, color);
}

void drawLetters(Game& game, std::string_view text, float x, float y, std::uint32_t color) {
    for (char c : text) {
        drawPicture(game, LetterGlyph(c - 'A'), x, y, color);
        x += kGlyphAdvance;
    }
}

void drawOnOff(Game& game, int value, float slide, float y, std::uint32_t color) {
    const std::string_view text = value == 1 ? "ON" : "OFF";
    const float lastX = slide + kValueEndDx;
    drawLetters(game, text, lastX - kGlyphAdvance * static_cast<float>(text.size() - 1), y, color);
}

// The settings rows and their values; all grey when `greyed` (the key list is
// in front), else the row under the cursor is white.
void drawSettingsList(Game& game, bool greyed) {
    const GameState& s = game.state;
    const float slide = static_cast<float>(s.settingsSlide);
    std::array<std::uint32_t, kSettingsEntries> color{};
    for (int row = 0; row < kSettingsEntries; ++row) {
        color[row] = rowColor(!greyed && row == s.menuCursor);
        const ListRow& r = kSettingsRows[row];
        drawPicture(game, r.picture, slide + r.dx, r.y, color[row]);
    }
    drawVolume(game, s.bgmVolume, slide, kSettingsRows[BgmEntry].y, color[BgmEntry]);
    drawVolume(game, s.seVolume, slide, kSettingsRows[SeEntry].y, color[SeEntry]);
    drawOnOff(game, s.autoBomb, slide, kSettingsRows[AutoBombEntry].y, color[AutoBombEntry]);
    const bool windowed = s.windowMode == 1;
    drawPicture(game, windowed ? kWindowedPicture : kFullScreenPicture,
                slide + (windowed ? kWindowedDx : kFullScreenDx), kSettingsRows[WindowModeEntry].y,
                color[WindowModeEntry]);
    DrawOutlinedText(game, MenuFont::Outline18, slide + kLanguageValueDx, kSettingsRows[LanguageEntry].y + 6,
                     game.language == 1 ? "English" : "中文", color[LanguageEntry], kAlignRight);
}

// Every binding is the key mark and the key: a letter or digit by its own
// glyph, any other key by its name (if it has one), centred on the
// single-glyph position.
void drawBinding(Game& game, int code, float x, float y, std::uint32_t color) {
    const bool single = ShowsSingleGlyph(code);
    const std::string_view name = KeyName(code);
    const float length = single ? 1 : static_cast<float>(name.size());
    const float left = x - kGlyphAdvance * length / 2;
    drawPicture(game, DigitGlyph(kKeyMarkGlyph), left, y, color);
    if (single) drawPicture(game, SingleKeyGlyph(code), left + kGlyphAdvance, y, color);
    else drawLetters(game, name, left + kGlyphAdvance, y, color);
}

// The controller action of a key row, or -1 for the arrows (the D-pad and
// stick always move).
int padActionOfRow(int row) {
    switch (row) {
        case KeySlow: return PadSlow;
        case KeyShoot: return PadShoot;
        case KeyBomb: return PadBomb;
        case KeyFastForward: return PadFastForward;
        default: return -1;
    }
}

constexpr float kPadNameDx = -346;  // the controller button, right of the key

// Pad buttons as a player reads them on the pad.
std::string shortPadName(int button) {
    static constexpr const char* kShort[][2] = {
        {"leftshoulder", "LB"}, {"rightshoulder", "RB"}, {"leftstick", "LS"}, {"rightstick", "RS"},
        {"start", "Start"},     {"back", "Back"},        {"guide", "Home"},
    };
    const char* name = ControllerButtonName(button);
    if (!name) return "-";
    for (const auto& n : kShort)
        if (std::string_view(name) == n[0]) return n[1];
    std::string upper(name);
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return upper;
}

void drawPadButton(Game& game, int row, float x, float y, std::uint32_t color) {
    const int action = padActionOfRow(row);
    if (action < 0 || !game.heiFont16) return;
    game.heiFont16->SetColor(color);
    game.heiFont16->Print(x, y + 10, 0, "[" + shortPadName(game.state.padButtons[static_cast<std::size_t>(action)]) + "]");
}

// The first other action bound to the same key as `key`, or -1. Unbound
// actions share nothing.
int sharingAction(const GameState& s, int key) {
    const int code = s.keyBindings[key].code;
    if (code == 0) return -1;
    for (int other = 0; other < kGameKeyCount; ++other)
        if (other != key && s.keyBindings[other].code == code) return other;
    return -1;
}

void drawKeyList(Game& game) {
    const GameState& s = game.state;
    const float slide = static_cast<float>(s.settingsSlide);
    for (int i = 0; i < kGameKeyCount; ++i) {
        const float y = kKeyRowY + kKeyRowSpacing * static_cast<float>(i);
        const TexRect label = {0, kKeyLabelY + kGlyphSize * static_cast<float>(i), kKeyLabelWidth, 36};
        drawPicture(game, label, slide + kKeyLabelDx, y, rowColor(i == s.menuCursor));
        const bool capturing = s.keyCapturePending && i == s.menuCursor;
        const std::uint32_t bindingColor =
            !capturing && sharingAction(s, i) >= 0 ? kSharedKeyColor : rowColor(capturing);
        drawBinding(game, s.keyBindings[i].code, slide + kKeyBindingDx, y, bindingColor);
        drawPadButton(game, i, slide + kPadNameDx, y, rowColor(capturing));
    }
}

// Two actions on one key: one of them can never be told apart from the
// other. The bindings are drawn in red and a line under the list names them.
void drawSharedKeyWarning(Game& game) {
    const GameState& s = game.state;
    for (int key = 0; key < kGameKeyCount; ++key) {
        const int other = sharingAction(s, key);
        if (other < 0) continue;
        const std::string line =
            game.language == 1
                ? std::string("Note: ") + kEnglishActionNames[key] + " and " + kEnglishActionNames[other] +
                      " use the same key"
                : std::string("注意：「") + kActionNames[key] + "」和「" + kActionNames[other] + "」用的是同一个键";
        DrawOutlinedText(game, MenuFont::List16, static_cast<float>(s.settingsSlide) + kKeyLabelDx, kSharedKeyY,
                         line, kSharedKeyColor);
        return;
    }
}

// Down/Up through their latches, wrapping over `entries`.
void moveCursor(Game& game, int entries) {
    GameState& s = game.state;
    if (TakeLatched(s.latchDown, MenuDownHeld(game))) s.menuCursor = (s.menuCursor + 1) % entries;
    if (TakeLatched(s.latchUp, MenuUpHeld(game))) s.menuCursor = (s.menuCursor + entries - 1) % entries;
}

int stepVolume(int volume, int direction) {
    const int v = volume + direction * kVolumeStep;
    if (v < 0) return kVolumeMax;
    if (v > kVolumeMax) return 0;
    return v;
}

// Automatic bomb and window mode: 1 turns off, anything else turns on.
int toggled(int value) { return value == 1 ? 0 : 1; }

// The language changes at once: the settings' own pictures, the difficulty
// cards and the side panel are loaded again in the new one.
void switchLanguage(Game& game) {
    GameState& s = game.state;
    game.language = game.language == 1 ? 0 : 1;
    ApplyLanguage(game);
    Engine& e = game.engine;
    SetSubMenuTexture(game, "Graphics/chose3.png");
    game.uiSprite->SetTexture(s.subMenuTexture);
    if (s.cardTexture) {
        e.Texture_Free(s.cardTexture);
        s.cardTexture = e.Texture_Load("Graphics/chose2.png");
    }
    ReloadLanguagePictures(game);
}

void changeSetting(Game& game, int direction) {
    GameState& s = game.state;
    if (s.menuCursor == LanguageEntry) {
        switchLanguage(game);
        return;
    }
    switch (s.menuCursor) {
        case BgmEntry: s.bgmVolume = stepVolume(s.bgmVolume, direction); break;
        case SeEntry: s.seVolume = stepVolume(s.seVolume, direction); break;
        case AutoBombEntry: s.autoBomb = toggled(s.autoBomb); break;
        case WindowModeEntry: s.windowMode = toggled(s.windowMode); break;
        default: break;
    }
}

// Back to the main menu on the Settings entry. The settings are saved, and the
// window mode is applied at once, between two scenes. A save that fails
// keeps the player on the screen with the failure shown; leaving again
// tries once more and then leaves anyway (the settings hold for this run).
void leaveSettings(Game& game) {
    GameState& s = game.state;
    errno = 0;
    if (!SaveSettings(game)) {
        const bool toldAlready = SaveFailureShown(game, 4);
        ReportSaveFailure(game, 4, kKeySettingsFileName);
        if (!toldAlready) return;
    }
    ClearSaveFailure(game, 4);
    s.screen = 0;
    s.menuCursor = 4;
    s.settingsSlide = 0;
    game.engine.Gfx_EndScene();
    game.engine.System_SetStateBool(HGE_WINDOWED, s.windowMode == 1);
    game.engine.Gfx_BeginScene();
}

// A controller button pressed while a row waits becomes that row's button
// (the keyboard binding stays); otherwise the first held key, lowest code
// first, becomes the binding under the cursor.
void captureKey(Game& game) {
    GameState& s = game.state;
    const int button = game.engine.Input_HeldControllerButton();
    if (const int action = padActionOfRow(s.menuCursor); button >= 0 && action >= 0) {
        s.padButtons[static_cast<std::size_t>(action)] = button;
        ApplyControllerBindings(game);
        s.keyCapturePending = 0;
        SetAllMenuLatches(s);
        return;
    }
    for (int code = 0; code < kCaptureCodes; ++code) {
        if (!game.engine.Input_GetKeyState(code)) continue;
        s.keyBindings[s.menuCursor] = KeyBinding{code, code < 0 ? -1 : 0};
        s.keyCapturePending = 0;
        SetAllMenuLatches(s);
        return;
    }
}

}  // namespace

void RunSettingsScreen(Game& game) {
    GameState& s = game.state;
    drawKeyList(game);
    slideToward(s.settingsSlide, kSettingsSlideTarget);
    const bool inFront = game.engine.System_IsForeground();
    if (inFront) {
        moveCursor(game, kSettingsEntries);
        if (TakeLatched(s.latchLeft, MenuLeftHeld(game))) changeSetting(game, -1);
        if (TakeLatched(s.latchRight, MenuRightHeld(game))) changeSetting(game, +1);
    }
    drawSettingsList(game, /*greyed=*/false);
    DrawSaveFailure(game, 4, static_cast<float>(s.settingsSlide) + kSaveFailureDx, kSaveFailureY,
                    Say(game, "再次返回：设置只用于这次游戏", "Leave again: settings for this run only"));
    if (!inFront) return;
    if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) {
        leaveSettings(game);
        return;
    }
    if (TakeLatched(s.latchConfirm, MenuConfirmHeld(game))) {
        if (s.menuCursor == BackEntry) {
            leaveSettings(game);
        } else if (s.menuCursor == KeyConfigEntry) {
            s.screen = 8;
            s.menuCursor = 0;
        }
    }
}

void RunKeyConfigScreen(Game& game) {
    GameState& s = game.state;
    slideToward(s.settingsSlide, kKeyConfigSlideTarget);
    drawSettingsList(game, /*greyed=*/true);
    const bool inFront = game.engine.System_IsForeground();
    if (inFront && !s.keyCapturePending) moveCursor(game, kGameKeyCount);
    drawKeyList(game);
    drawSharedKeyWarning(game);
    if (!inFront) return;
    if (!s.keyCapturePending) {
        if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) {
            s.screen = 4;
            s.menuCursor = 0;
        } else if (MenuConfirmHeld(game) && s.latchConfirm == 0) {
            // The confirm keys are still down: the capture waits until they
            // are let go, so they are not bound by accident.
            SetAllMenuLatches(s);
            s.keyCapturePending = 1;
        }
        return;
    }
    if (s.latchConfirm == 0) captureKey(game);
}

}  // namespace korvid
