// Everything both engines share: engine states, the frame loop, textures,
// quad batching and frame statistics, resources, audio streams, the key
// snapshot, screenshots and shell hooks. A concrete engine only supplies the
// platform: its window (or none), events, presenting, frame pacing, the
// clock, input focus, text input and the sound device.
//
// The implementation is spread over EngineBase.cpp (system, loop, input,
// resources, audio, timer), EngineGraphics.cpp (scenes, batching, pictures)
// and EngineTextures.cpp.
#pragma once

#include <array>
#include <map>
#include <cstdarg>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/AudioMixer.h"
#include "engine/Controllers.h"
#include "engine/Engine.h"
#include "engine/GlRenderer.h"
#include "engine/HandleTable.h"
#include "engine/ResourceStore.h"
#include "engine/TextureData.h"
#include "engine/VirtualKeys.h"

namespace korvid {

class EngineBase : public Engine {
public:
    ~EngineBase() override;

    // --- system ---
    void System_SetStateBool(BoolState s, bool v) override;
    void System_SetStateInt(IntState s, int v) override;
    void System_SetStateString(StringState s, const char* v) override;
    void System_SetStateFunc(FuncState s, Callback f) override;
    bool System_GetStateBool(BoolState s) const override;
    int System_GetStateInt(IntState s) const override;
    bool System_Initiate() override;
    bool System_Start() override;
    // Concrete engines call this from their destructor (it reaches their
    // platform hooks, which no longer exist once the base destructor runs).
    void System_Shutdown() override;
    bool System_Snapshot(const char* filename) override;
    void System_Log(const char* fmt, ...) override;

    // --- resources ---
    bool Resource_AttachPack(const char* filename, const char* password) override;
    void* Resource_Load(const char* filename, std::uint32_t* size = nullptr) override;
    void Resource_Free(void* res) override;
    void Resource_SetVariantFolder(const char* folder) override;

    // --- textures ---
    HTEXTURE Texture_Create(int width, int height) override;
    HTEXTURE Texture_Load(const char* filename) override;
    void Texture_Free(HTEXTURE tex) override;
    int Texture_GetWidth(HTEXTURE tex, bool original = false) override;
    int Texture_GetHeight(HTEXTURE tex, bool original = false) override;
    std::uint32_t* Texture_Lock(HTEXTURE tex, bool readOnly = true, int left = 0, int top = 0, int width = 0,
                                int height = 0) override;
    void Texture_Unlock(HTEXTURE tex) override;

    // --- audio ---
    HSTREAM Stream_Load(const char* filename) override;
    HCHANNEL Stream_Play(HSTREAM stream, bool loop, int volume = 100) override;
    void Stream_Free(std::uint32_t streamOrChannel) override;
    void Channel_Pause(HCHANNEL chn) override;
    void Channel_Resume(HCHANNEL chn) override;
    void Channel_Stop(HCHANNEL chn) override;
    void Channel_SetVolume(HCHANNEL chn, int volume) override;
    bool Channel_IsPlaying(HCHANNEL chn) override;
    float Channel_GetPos(HCHANNEL chn) override;
    void Channel_SetPos(HCHANNEL chn, float seconds) override;
    float Channel_GetLength(HCHANNEL chn) override;

    // --- input ---
    bool Input_GetKeyState(int vk) override;
    void Input_GetMousePos(float* x, float* y) override;
    void Input_SetKeySource(KeySource src) override;
    void Input_ReadKeySource() override;
    bool Input_GetDeviceKeyState(int vk);  // engine/EngineHooks.h
    void Input_SetControllerBindings(const ControllerBindings& b) override { controllers_.setBindings(b); }
    bool Input_ControllerRemoved() override { return controllerRemoved_; }
    int Input_HeldControllerButton() const override { return controllers_.firstHeldButton(); }
    void Input_SetTextInput(bool on) override;
    std::vector<TextEvent> Input_GetTextEvents() override { return frameText_; }
    std::string Input_GetComposition(int* cursor) override;
    void Input_SetTextInputRect(int x, int y, int w, int h) override;
    void Input_SetTextSource(TextSource src) override { textSource_ = std::move(src); }
    void Input_SetMouseSource(MouseSource src) override { mouseSource_ = std::move(src); }

    // --- graphics ---
    bool Gfx_BeginScene(HTEXTURE target = 0) override;
    void Gfx_EndScene() override;
    void Gfx_Clear(std::uint32_t color) override;
    void Gfx_RenderLine(float x1, float y1, float x2, float y2, std::uint32_t color = 0xFFFFFFFF,
                        float z = 0.5f) override;
    void Gfx_RenderQuad(const Quad* quad) override;
    void Gfx_RenderQuads(const Quad* quad, int n) override;
    // engine/EngineHooks.h
    void Gfx_SetUndrawn(bool on);
    void Shell_SetTrial(bool on);
    void Gfx_SetClipping(int x = 0, int y = 0, int w = 0, int h = 0) override;
    HTEXTURE Gfx_SnapshotTexture() override;
    FrameStats Gfx_GetStats() const override;

    // --- timer ---
    float Timer_GetTime() override;
    int Timer_GetFPS() override;

    // --- shell hooks ---
    void Shell_SetFrameLimit(int frames) override;
    void Shell_AddScreenshot(int frame, const std::string& path) override;
    void Shell_SetQuadLogger(QuadLogger logger) override;
    int Shell_FrameCount() const override;
    void Shell_SetGameDir(const std::string& dir) override;

protected:
    EngineBase();

    // --- platform hooks ---
    // Opens the window (or offscreen surface) and sound device. False ends
    // start-up; the hook has then logged one line saying why.
    virtual bool openPlatform() = 0;
    virtual void closePlatform() = 0;
    // The loop is about to run its first frame.
    virtual void startClock() = 0;
    // Start of a frame: window mode changes, events (quit, keys, mouse).
    virtual void beginFrame() = 0;
    // End of a frame: present and wait, or advance simulated time.
    virtual void endFrame() = 0;
    // Seconds since the loop started.
    virtual double elapsedSeconds() const = 0;
    // Makes this engine's GL context current before GL work.
    virtual void useGlContext() {}
    // The platform's text input on or off, and its candidate window's place
    // in game pixels.
    virtual void platformTextInput(bool on) {}
    virtual void platformTextInputRect(int x, int y, int w, int h) {}

    // --- for the platform ---
    void attachRenderer(std::unique_ptr<GlRenderer> renderer) {
        renderer_ = std::move(renderer);
        refreshOnlyCounts();
    }
    // *blend may gain kDrawOpaque.
    bool covers(const Quad& q, int* blend);
    void setView(float x0, float y0, float x1, float y1) {
        viewX0_ = x0, viewY0_ = y0, viewX1_ = x1, viewY1_ = y1;
    }
    // Nothing drawn and nothing logged (or frames played unseen): quads are only counted.
    void refreshOnlyCounts() { onlyCounts_ = undrawn_ || (!renderer_ && !quadLogger_); }
    GlRenderer* renderer() const { return renderer_.get(); }
    void setSoundAvailable(bool on) { soundAvailable_ = on; }
    AudioMixer& mixer() { return mixer_; }
    KeyTracker& keyTracker() { return keyTracker_; }
    void setMousePos(float x, float y) { mouseX_ = x; mouseY_ = y; }
    // Text typed since the last frame (kept only while text input is on).
    void typeText(const char* utf8);
    void typeEditingKey(int vk);
    void setComposition(const char* utf8, int cursor);
    bool textInputOn() const { return textInput_; }
    void requestQuit() { quitRequested_ = true; }
    int gameWidth() const { return gameW_; }
    int gameHeight() const { return gameH_; }
    const std::string& title() const { return title_; }
    int frameNumber() const { return frameCount_; }

private:
    // graphics
    void flushBatch();
    void startBatch(Primitive prim, HTEXTURE tex, int blend);
    // Queues a quad that covers some pixel (false: it covers none).
    bool queueQuad(const Quad& q);
    // The pieces of a large quad around its texture's clear window (0: none).
    int cutAroundWindow(const Quad& q, Quad out[4]);
    unsigned glTextureFor(HTEXTURE tex);
    void logQuad(const Quad& q);
    void readPicture();
    // End of the frame's drawing: queued quads drawn, screenshots due written.
    void finishPicture();
    void releaseGlTextures();
    std::string inGameDir(const char* filename) const;
    // loop
    bool runCallback(std::size_t i);
    void captureInput();
    void takeFrameText();
    void countFps();

    std::array<bool, 5> bools_{};
    std::array<int, 5> ints_{};
    std::string title_ = "Korvid";
    std::array<Callback, 2> callbacks_;  // frame function, render function
    std::array<Callback, 2> pendingCallbacks_;
    std::array<bool, 2> callbackPending_{};
    bool inCallback_ = false;
    bool initiated_ = false;
    int gameW_ = 640, gameH_ = 480;

    ResourceStore resources_;
    AudioMixer mixer_;
    bool soundAvailable_ = false;
    HandleTable<TextureData> textures_;
    HTEXTURE liveTexture_ = 0;  // the last texture a quad was found to name (until a texture is freed)
    std::unique_ptr<GlRenderer> renderer_;

    // scene and batch
    bool sceneOpen_ = false;
    bool undrawn_ = false;  // Gfx_SetUndrawn, or a trial
    bool seekUndrawn_ = false;
    bool trial_ = false;    // Shell_SetTrial
    std::vector<HTEXTURE> trialTextures_;
    std::vector<HSTREAM> trialStreams_;
    // Whether each sound file loaded so far loads (Stream_Load): a trial is
    // then given a silent stand-in for it instead of decoding it again.
    std::map<std::string, bool, std::less<>> streamLoads_;
    std::unique_ptr<Vertex[]> vertices_;
    int vertexCount_ = 0;
    Primitive batchPrim_ = Primitive::Quads;
    HTEXTURE batchTex_ = 0;
    int batchBlend_ = BLEND_DEFAULT;
    FrameStats current_{}, last_{};
    // What quads are drawn onto: the picture, or the clip within it.
    float viewX0_ = 0, viewY0_ = 0, viewX1_ = 640, viewY1_ = 480;
    std::vector<std::uint32_t> picture_;  // readback buffer, game-sized

    // loop and input
    int frameCount_ = 0;
    int frameLimit_ = 0;
    bool quitRequested_ = false;
    KeySnapshot keys_{};
    KeySnapshot deviceKeys_{};  // the keyboard, kept while a key source rules
    KeyTracker keyTracker_;
    KeySource keySource_;
    Controllers controllers_;
    bool controllerRemoved_ = false;
    float mouseX_ = 0, mouseY_ = 0;
    MouseSource mouseSource_;
    // text input
    bool textInput_ = false;
    std::vector<TextEvent> pendingText_, frameText_;
    std::string composition_;
    int compositionCursor_ = 0;
    TextSource textSource_;
    KeySnapshot previousKeys_{};
    int fps_ = 0, fpsFrames_ = 0;
    double fpsSince_ = 0;

    std::vector<std::pair<int, std::string>> screenshots_;
    bool screenshotKeyDown_ = false;  // F12 last frame: one picture per press
    void writeNumberedScreenshot();
    QuadLogger quadLogger_;
    bool warnedNoPictures_ = false;
};

}  // namespace korvid
