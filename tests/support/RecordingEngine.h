// A do-nothing engine for unit tests that records the quads drawn and serves
// files from memory. Texture sizes are set per handle by the test.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "engine/Engine.h"

namespace korvid::test {

class RecordingEngine : public Engine {
public:
    std::vector<Quad> quads;
    std::vector<std::string> log;
    std::map<std::string, std::string> files;  // name -> content
    std::map<HTEXTURE, std::pair<int, int>> textureSizes;
    std::map<std::string, HTEXTURE> textureFiles;  // name -> handle Texture_Load returns
    std::vector<HTEXTURE> freed;
    std::array<bool, 256> keys{};
    bool sceneOpen = false;
    bool foreground = true;

    void System_SetStateBool(BoolState, bool) override {}
    void System_SetStateInt(IntState s, int v) override { ints[s] = v; }
    void System_SetStateString(StringState, const char*) override {}
    void System_SetStateFunc(FuncState, Callback) override {}
    bool System_GetStateBool(BoolState) const override { return false; }
    int System_GetStateInt(IntState s) const override {
        auto it = ints.find(s);
        return it == ints.end() ? 0 : it->second;
    }
    bool System_Initiate() override { return true; }
    bool System_Start() override { return true; }
    void System_Shutdown() override {}
    bool System_Snapshot(const char*) override { return true; }
    bool System_IsForeground() const override { return foreground; }
    void System_Log(const char* fmt, ...) override {
        char buf[512];
        va_list ap;
        va_start(ap, fmt);
        std::vsnprintf(buf, sizeof buf, fmt, ap);
        va_end(ap);
        log.emplace_back(buf);
    }
    bool Resource_AttachPack(const char*, const char*) override { return true; }
    void* Resource_Load(const char* name, std::uint32_t* size) override {
        auto it = files.find(name);
        if (it == files.end()) return nullptr;
        char* p = static_cast<char*>(std::malloc(it->second.size() + 1));
        std::memcpy(p, it->second.data(), it->second.size());
        p[it->second.size()] = 0;
        if (size) *size = static_cast<std::uint32_t>(it->second.size());
        return p;
    }
    void Resource_Free(void* p) override { std::free(p); }
    HTEXTURE Texture_Create(int, int) override { return 0; }
    HTEXTURE Texture_Load(const char* name) override {
        auto it = textureFiles.find(name);
        return it == textureFiles.end() ? 0 : it->second;
    }
    void Texture_Free(HTEXTURE t) override { freed.push_back(t); }
    int Texture_GetWidth(HTEXTURE t, bool) override {
        auto it = textureSizes.find(t);
        return it == textureSizes.end() ? 0 : it->second.first;
    }
    int Texture_GetHeight(HTEXTURE t, bool) override {
        auto it = textureSizes.find(t);
        return it == textureSizes.end() ? 0 : it->second.second;
    }
    std::uint32_t* Texture_Lock(HTEXTURE, bool, int, int, int, int) override { return nullptr; }
    void Texture_Unlock(HTEXTURE) override {}
    // Streams get handles 1000, 1001, ... while streamsLoad is set.
    bool streamsLoad = false;
    HSTREAM Stream_Load(const char* name) override {
        loadedStreams.emplace_back(name ? name : "");
        return streamsLoad ? static_cast<HSTREAM>(1000 + loadedStreams.size() - 1) : 0;
    }
    std::vector<std::pair<HSTREAM, int>> plays;  // (stream, volume) of every Stream_Play
    HCHANNEL Stream_Play(HSTREAM s, bool, int volume) override {
        plays.emplace_back(s, volume);
        return 0;
    }
    void Stream_Free(std::uint32_t h) override { freedStreams.push_back(h); }
    void Channel_Pause(HCHANNEL) override {}
    void Channel_Resume(HCHANNEL) override {}
    void Channel_Stop(HCHANNEL) override {}
    std::vector<int> volumes;  // every Channel_SetVolume
    void Channel_SetVolume(HCHANNEL, int volume) override { volumes.push_back(volume); }
    bool Channel_IsPlaying(HCHANNEL) override { return false; }
    float Channel_GetPos(HCHANNEL) override { return 0; }
    void Channel_SetPos(HCHANNEL, float) override {}
    float Channel_GetLength(HCHANNEL) override { return 0; }
    bool Input_GetKeyState(int vk) override { return vk > 0 && vk < 256 && keys[vk]; }
    int heldControllerButton = -1;
    int Input_HeldControllerButton() const override { return heldControllerButton; }
    ControllerBindings controllerBindings;
    void Input_SetControllerBindings(const ControllerBindings& b) override { controllerBindings = b; }
    void Input_GetMousePos(float* x, float* y) override {
        *x = mouseX;
        *y = mouseY;
    }
    void Input_SetKeySource(KeySource) override {}
    void Input_SetTextInput(bool on) override { textInput = on; }
    std::vector<TextEvent> Input_GetTextEvents() override { return textInput ? textEvents : std::vector<TextEvent>{}; }
    // Typed text and the mouse, as the test sets them for the next frame.
    std::vector<TextEvent> textEvents;
    float mouseX = 0, mouseY = 0;
    bool textInput = false;
    std::vector<std::string> loadedStreams;  // file of every Stream_Load
    std::vector<std::uint32_t> freedStreams;
    bool Gfx_BeginScene(HTEXTURE) override {
        if (sceneOpen) return false;
        sceneOpen = true;
        return true;
    }
    void Gfx_EndScene() override { sceneOpen = false; }
    void Gfx_Clear(std::uint32_t) override {}
    void Gfx_RenderLine(float, float, float, float, std::uint32_t, float) override {}
    void Gfx_RenderQuad(const Quad* q) override { quads.push_back(*q); }
    void Gfx_SetClipping(int, int, int, int) override {}
    HTEXTURE snapshotTexture = 0;  // what Gfx_SnapshotTexture hands out
    HTEXTURE Gfx_SnapshotTexture() override { return snapshotTexture; }
    FrameStats Gfx_GetStats() const override { return {}; }
    float Timer_GetTime() override { return 0; }
    int Timer_GetFPS() override { return 60; }
    void Shell_SetFrameLimit(int) override {}
    void Shell_AddScreenshot(int, const std::string&) override {}
    void Shell_SetQuadLogger(QuadLogger) override {}
    int Shell_FrameCount() const override { return 0; }
    void Shell_SetGameDir(const std::string&) override {}

private:
    std::map<IntState, int> ints;
};

}  // namespace korvid::test
