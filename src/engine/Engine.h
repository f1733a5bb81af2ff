// The platform layer the game talks to: window and frame loop, textures and
// quads, streamed audio, keyboard and mouse, the resource pack. Two
// implementations exist: SdlEngine (a real window and sound device) and
// HeadlessEngine (no window, no sound device, deterministic time).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ControllerButtons.h"

namespace korvid {

// Handles are opaque non-zero integers; 0 means "none". Every operation on an
// unknown, freed or zero handle is harmless.
using HTEXTURE = std::uint32_t;
using HSTREAM = std::uint32_t;
using HCHANNEL = std::uint32_t;

struct Vertex {
    float x, y, z;
    std::uint32_t col;  // ARGB
    float tx, ty;
};

// Vertices 0..3 are top-left, top-right, bottom-right, bottom-left.
struct Quad {
    Vertex v[4];
    HTEXTURE tex;
    int blend;
};

// Blend mode bits: 1 = vertex colour added to the texel (else multiplied),
// 2 = alpha blending into the frame (else additive), 4 = depth write (no-op).
enum : int {
    BLEND_COLORADD = 1,
    BLEND_ALPHABLEND = 2,
    BLEND_ZWRITE = 4,
    BLEND_DEFAULT = BLEND_ALPHABLEND,
};

enum BoolState { HGE_WINDOWED, HGE_USESOUND, HGE_DONTSUSPEND, HGE_SHOWSPLASH, HGE_ZBUFFER };
enum IntState { HGE_SCREENWIDTH, HGE_SCREENHEIGHT, HGE_SCREENBPP, HGE_FPS, HGE_ICON };
enum FuncState { HGE_FRAMEFUNC, HGE_RENDERFUNC };
enum StringState { HGE_TITLE };

// Per-frame drawing statistics (both engines count them).
struct FrameStats {
    int quads = 0;
    int batches = 0;  // GL draw calls issued for quads
    int lines = 0;
    // With pictures drawn: quads left out because they cover no pixel (off
    // the picture or the clip, or clear on all four corners), and the pixels
    // the drawn quads cover on the picture (each quad's clipped area).
    int culled = 0;
    double pixels = 0;
};

class Engine {
public:
    using Callback = std::function<bool()>;
    virtual ~Engine() = default;

    // --- system ---
    virtual void System_SetStateBool(BoolState s, bool v) = 0;
    virtual void System_SetStateInt(IntState s, int v) = 0;
    virtual void System_SetStateString(StringState s, const char* v) = 0;
    virtual void System_SetStateFunc(FuncState s, Callback f) = 0;
    virtual bool System_GetStateBool(BoolState s) const = 0;
    virtual int System_GetStateInt(IntState s) const = 0;
    virtual bool System_Initiate() = 0;
    // Runs the frame loop until the frame function returns true (or the
    // window is closed, or a frame limit set by the shell is reached).
    virtual bool System_Start() = 0;
    virtual void System_Shutdown() = 0;
    // Writes the picture drawn so far this frame to a file Texture_Load reads.
    virtual bool System_Snapshot(const char* filename) = 0;
    // True while the game window is the foreground window (has input focus).
    virtual bool System_IsForeground() const = 0;
    virtual void System_Log(const char* fmt, ...) = 0;

    // --- resources: pack first, then disk relative to the game folder ---
    virtual bool Resource_AttachPack(const char* filename, const char* password) = 0;
    // Whole file, with one extra terminating zero byte not counted in *size.
    virtual void* Resource_Load(const char* filename, std::uint32_t* size = nullptr) = 0;
    virtual void Resource_Free(void* res) = 0;
    // A folder of the pack read first for every name (a language's
    // pictures), "" for none; engines without a pack ignore it.
    virtual void Resource_SetVariantFolder(const char* /*folder*/) {}

    // --- textures (32-bit ARGB, surfaces padded to powers of two) ---
    virtual HTEXTURE Texture_Create(int width, int height) = 0;
    virtual HTEXTURE Texture_Load(const char* filename) = 0;
    virtual void Texture_Free(HTEXTURE tex) = 0;
    virtual int Texture_GetWidth(HTEXTURE tex, bool original = false) = 0;
    virtual int Texture_GetHeight(HTEXTURE tex, bool original = false) = 0;
    // Rows are surface-wide. Null on an invalid handle.
    virtual std::uint32_t* Texture_Lock(HTEXTURE tex, bool readOnly = true, int left = 0, int top = 0,
                                        int width = 0, int height = 0) = 0;
    virtual void Texture_Unlock(HTEXTURE tex) = 0;

    // --- audio: one stream handle serves music and sound effects ---
    virtual HSTREAM Stream_Load(const char* filename) = 0;
    // volume 0..100. Returns a channel handle (also accepted by Stream_Free).
    virtual HCHANNEL Stream_Play(HSTREAM stream, bool loop, int volume = 100) = 0;
    virtual void Stream_Free(std::uint32_t streamOrChannel) = 0;
    virtual void Channel_Pause(HCHANNEL chn) = 0;
    virtual void Channel_Resume(HCHANNEL chn) = 0;
    virtual void Channel_Stop(HCHANNEL chn) = 0;
    virtual void Channel_SetVolume(HCHANNEL chn, int volume) = 0;
    virtual bool Channel_IsPlaying(HCHANNEL chn) = 0;
    virtual float Channel_GetPos(HCHANNEL chn) = 0;
    virtual void Channel_SetPos(HCHANNEL chn, float seconds) = 0;
    virtual float Channel_GetLength(HCHANNEL chn) = 0;

    // --- input (Windows virtual-key codes; one snapshot per frame) ---
    virtual bool Input_GetKeyState(int vk) = 0;
    virtual void Input_GetMousePos(float* x, float* y) = 0;
    // Scripted keys: when set, key state comes from this function of the
    // frame number (1-based, counted from start) instead of the keyboard.
    using KeySource = std::function<bool(int frame, int vk)>;
    virtual void Input_SetKeySource(KeySource src) = 0;
    // Reads this frame's keys from the key source again (a player program
    // that replays frames with other keys within one engine frame).
    virtual void Input_ReadKeySource() {}
    // Text input (IME) on or off; off by default.
    virtual void Input_SetTextInput(bool on) = 0;
    // Game controllers: what each button, the D-pad and the left stick stand
    // for (engine/Controllers.h). Pads are read into the same key snapshot.
    virtual void Input_SetControllerBindings(const ControllerBindings&) {}
    // True in one frame after a game controller was unplugged.
    virtual bool Input_ControllerRemoved() { return false; }
    // The first controller button held this frame, or -1.
    virtual int Input_HeldControllerButton() const { return -1; }

    // --- text input: what the keyboard typed while text input is on ---
    // One event per typed character (ch != 0), or per press (and repeat) of
    // an editing key: Backspace, Enter, Delete, Home, End, the arrows (vk).
    struct TextEvent {
        char32_t ch = 0;
        int vk = 0;
    };
    // This frame's events, in the order they were typed.
    virtual std::vector<TextEvent> Input_GetTextEvents() { return {}; }
    // The input method's unfinished composition (UTF-8) and its cursor, in
    // characters; empty when nothing is being composed.
    virtual std::string Input_GetComposition(int* cursor) {
        if (cursor) *cursor = 0;
        return {};
    }
    // Where the input method may put its candidate window, in game pixels.
    virtual void Input_SetTextInputRect(int x, int y, int w, int h) {}
    // Scripted text and mouse, as the key source scripts keys: text typed on
    // a frame (UTF-8; '\b' is Backspace, '\n' Enter), and the mouse position
    // (false: it stays where it was).
    using TextSource = std::function<std::string(int frame)>;
    using MouseSource = std::function<bool(int frame, float* x, float* y)>;
    virtual void Input_SetTextSource(TextSource src) {}
    virtual void Input_SetMouseSource(MouseSource src) {}

    // --- graphics ---
    virtual bool Gfx_BeginScene(HTEXTURE target = 0) = 0;
    virtual void Gfx_EndScene() = 0;
    virtual void Gfx_Clear(std::uint32_t color) = 0;
    virtual void Gfx_RenderLine(float x1, float y1, float x2, float y2, std::uint32_t color = 0xFFFFFFFF,
                                float z = 0.5f) = 0;
    virtual void Gfx_RenderQuad(const Quad* quad) = 0;
    // True when nothing is drawn or logged (a headless run without pictures):
    // sprites then hand the engine no quad at all, and the play's draw steps
    // leave out what only a picture needs; quads handed in directly are still
    // counted. Asked for every sprite of every frame, so it is a plain flag
    // read.
    bool Gfx_OnlyCounts() const { return onlyCounts_; }
    // The same quad drawn n times over, counted as n quads; an engine that
    // only counts does it in one step.
    virtual void Gfx_RenderQuads(const Quad* quad, int n) {
        for (int i = 0; i < n; ++i) Gfx_RenderQuad(quad);
    }
    // x, y, w, h in game pixels; all 0 resets.
    virtual void Gfx_SetClipping(int x = 0, int y = 0, int w = 0, int h = 0) = 0;
    // The picture drawn so far this frame copied into a new game-sized
    // texture (no file); 0 before the engine has started.
    virtual HTEXTURE Gfx_SnapshotTexture() = 0;
    // Statistics of the last finished frame.
    virtual FrameStats Gfx_GetStats() const = 0;

    // --- timer ---
    virtual float Timer_GetTime() = 0;
    virtual int Timer_GetFPS() = 0;

    // --- shell hooks (not game rules) ---
    // Stop the loop after this many frames (0 = no limit).
    virtual void Shell_SetFrameLimit(int frames) = 0;
    // Write frame N's finished picture as a PNG (N 1-based).
    virtual void Shell_AddScreenshot(int frame, const std::string& path) = 0;
    // Called with (texture file name, texel rect) for every quad drawn with a
    // texture loaded from a file; for the pack coverage check.
    using QuadLogger = std::function<void(const std::string& file, float x0, float y0, float x1, float y1)>;
    virtual void Shell_SetQuadLogger(QuadLogger logger) = 0;
    // Frames run since System_Start began.
    virtual int Shell_FrameCount() const = 0;
    // The game folder: relative disk look-ups resolve against it.
    virtual void Shell_SetGameDir(const std::string& dir) = 0;

protected:
    bool onlyCounts_ = false;  // kept up to date by the engine (Gfx_OnlyCounts)
};

std::unique_ptr<Engine> CreateSdlEngine();
std::unique_ptr<Engine> CreateHeadlessEngine();

}  // namespace korvid
