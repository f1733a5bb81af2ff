#include "engine/EngineBase.h"
#include "engine/EngineHooks.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "engine/QuitSignals.h"

namespace korvid {

EngineBase::EngineBase() : vertices_(new Vertex[GlRenderer::kMaxVertices]) {
    bools_[HGE_WINDOWED] = true;
    bools_[HGE_USESOUND] = true;
    ints_[HGE_SCREENWIDTH] = 640;
    ints_[HGE_SCREENHEIGHT] = 480;
    ints_[HGE_SCREENBPP] = 32;
    ints_[HGE_FPS] = 60;
    refreshOnlyCounts();
}

EngineBase::~EngineBase() = default;

// --- states ---

void EngineBase::System_SetStateBool(BoolState s, bool v) {
    if (std::size_t(s) < bools_.size()) bools_[s] = v;
}

void EngineBase::System_SetStateInt(IntState s, int v) {
    // The picture size is fixed once the engine is running.
    if (initiated_ && (s == HGE_SCREENWIDTH || s == HGE_SCREENHEIGHT)) return;
    if (std::size_t(s) < ints_.size()) ints_[s] = v;
}

void EngineBase::System_SetStateString(StringState s, const char* v) {
    if (s == HGE_TITLE) title_ = v ? v : "";
}

void EngineBase::System_SetStateFunc(FuncState s, Callback f) {
    const std::size_t i = s == HGE_FRAMEFUNC ? 0 : 1;
    // A callback replacing itself must not destroy the function that is
    // running: the change waits until it has returned.
    if (inCallback_) {
        pendingCallbacks_[i] = std::move(f);
        callbackPending_[i] = true;
    } else {
        callbacks_[i] = std::move(f);
    }
}

bool EngineBase::runCallback(std::size_t i) {
    if (!callbacks_[i]) return false;
    inCallback_ = true;
    const bool result = callbacks_[i]();
    inCallback_ = false;
    for (std::size_t k = 0; k < callbacks_.size(); ++k) {
        if (!callbackPending_[k]) continue;
        callbacks_[k] = std::move(pendingCallbacks_[k]);
        pendingCallbacks_[k] = nullptr;
        callbackPending_[k] = false;
    }
    return result;
}

bool EngineBase::System_GetStateBool(BoolState s) const { return std::size_t(s) < bools_.size() && bools_[s]; }

int EngineBase::System_GetStateInt(IntState s) const { return std::size_t(s) < ints_.size() ? ints_[s] : 0; }

// --- life cycle and loop ---

bool EngineBase::System_Initiate() {
    if (initiated_) return true;
    gameW_ = ints_[HGE_SCREENWIDTH] > 0 ? ints_[HGE_SCREENWIDTH] : 640;
    gameH_ = ints_[HGE_SCREENHEIGHT] > 0 ? ints_[HGE_SCREENHEIGHT] : 480;
    picture_.assign(std::size_t(gameW_) * std::size_t(gameH_), 0u);
    setView(0, 0, float(gameW_), float(gameH_));
    CatchQuitSignals();
    if (!openPlatform()) {
        ReleaseQuitSignals();
        return false;
    }
    controllers_.open();  // no controller support simply means no pads
    initiated_ = true;
    return true;
}

void EngineBase::System_Shutdown() {
    if (!initiated_) return;
    sceneOpen_ = false;
    vertexCount_ = 0;
    releaseGlTextures();
    controllers_.close();
    closePlatform();
    ReleaseQuitSignals();
    soundAvailable_ = false;
    initiated_ = false;
}

bool EngineBase::System_Start() {
    if (!initiated_) {
        System_Log("System_Start: the engine was not initiated");
        return false;
    }
    if (!callbacks_[0]) {
        System_Log("System_Start: no frame function");
        return false;
    }
    frameCount_ = 0;
    quitRequested_ = false;
    fps_ = fpsFrames_ = 0;
    fpsSince_ = 0;
    startClock();
    // A quit signal ends the loop between frames, never inside one.
    while ((frameLimit_ <= 0 || frameCount_ < frameLimit_) && !PendingQuitSignal()) {
        ++frameCount_;
        beginFrame();
        if (quitRequested_) break;
        captureInput();
        if (runCallback(0)) break;  // the frame function: true = quit
        runCallback(1);             // the render function
        finishPicture();
        endFrame();
        countFps();
    }
    return true;
}

void EngineBase::captureInput() {
    if (keySource_) {
        keys_[0] = false;
        for (int vk = 1; vk < kVirtualKeyCount; ++vk) keys_[vk] = keySource_(frameCount_, vk);
        // The keyboard is still read (and the tracker's tap memory kept from
        // carrying over to a later frame).
        keyTracker_.capture(deviceKeys_);
    } else {
        keyTracker_.capture(keys_);
    }
    controllers_.update(keys_);
    controllerRemoved_ = controllers_.takeRemoved();
    takeFrameText();
}

void EngineBase::countFps() {
    ++fpsFrames_;
    const double now = elapsedSeconds();
    if (now - fpsSince_ >= 1.0) {
        fps_ = int(std::lround(fpsFrames_ / (now - fpsSince_)));
        fpsFrames_ = 0;
        fpsSince_ = now;
    }
}

void EngineBase::System_Log(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::vfprintf(stderr, fmt, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

// --- resources ---

bool EngineBase::Resource_AttachPack(const char* filename, const char* password) {
    if (!filename) return false;
    return resources_.attachPack(filename, password ? password : "");
}

void EngineBase::Resource_SetVariantFolder(const char* folder) { resources_.setVariantFolder(folder ? folder : ""); }

void* EngineBase::Resource_Load(const char* filename, std::uint32_t* size) {
    std::vector<std::uint8_t> bytes;
    if (!filename || !resources_.load(filename, bytes)) return nullptr;
    auto* data = static_cast<std::uint8_t*>(std::malloc(bytes.size() + 1));
    if (!data) return nullptr;
    if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    data[bytes.size()] = 0;
    if (size) *size = std::uint32_t(bytes.size());
    return data;
}

void EngineBase::Resource_Free(void* res) { std::free(res); }

void EngineBase::Shell_SetGameDir(const std::string& dir) { resources_.setGameDir(dir); }

// --- audio ---

HSTREAM EngineBase::Stream_Load(const char* filename) {
    if (!soundAvailable_ || !bools_[HGE_USESOUND] || !filename) return 0;
    // What a trial loads is never played: a file known to load gets a
    // silent stand-in (a music track takes tens of milliseconds to decode,
    // and every look-ahead that starts it would decode it again).
    if (trial_) {
        const auto known = streamLoads_.find(std::string_view(filename));
        if (known != streamLoads_.end()) {
            const HSTREAM stream = known->second ? mixer_.loadSilent() : 0;
            if (stream) trialStreams_.push_back(stream);
            return stream;
        }
    }
    std::vector<std::uint8_t> bytes;
    const HSTREAM stream = resources_.load(filename, bytes) ? mixer_.loadStream(bytes.data(), bytes.size()) : 0;
    streamLoads_[filename] = stream != 0;
    if (trial_ && stream) trialStreams_.push_back(stream);
    return stream;
}

HCHANNEL EngineBase::Stream_Play(HSTREAM stream, bool loop, int volume) {
    // Unseen frames are unheard too; music (looped) still starts in a seek.
    if (trial_ || (undrawn_ && !loop)) return 0;
    return soundAvailable_ ? mixer_.play(stream, loop, volume) : 0;
}

void EngineBase::Stream_Free(std::uint32_t streamOrChannel) {
    if (!trial_) mixer_.free(streamOrChannel);
}
void EngineBase::Channel_Pause(HCHANNEL chn) {
    if (!trial_) mixer_.pause(chn);
}
void EngineBase::Channel_Resume(HCHANNEL chn) {
    if (!trial_) mixer_.resume(chn);
}
void EngineBase::Channel_Stop(HCHANNEL chn) {
    if (!trial_) mixer_.stop(chn);
}
void EngineBase::Channel_SetVolume(HCHANNEL chn, int volume) {
    if (!trial_) mixer_.setVolume(chn, volume);
}
bool EngineBase::Channel_IsPlaying(HCHANNEL chn) { return mixer_.isPlaying(chn); }
float EngineBase::Channel_GetPos(HCHANNEL chn) { return mixer_.position(chn); }
void EngineBase::Channel_SetPos(HCHANNEL chn, float seconds) { mixer_.setPosition(chn, seconds); }
float EngineBase::Channel_GetLength(HCHANNEL chn) { return mixer_.length(chn); }

// --- input ---

bool EngineBase::Input_GetKeyState(int vk) { return vk > 0 && vk < kVirtualKeyCount && keys_[vk]; }

void EngineBase::Input_GetMousePos(float* x, float* y) {
    if (x) *x = mouseX_;
    if (y) *y = mouseY_;
}

void EngineBase::Input_SetKeySource(KeySource src) { keySource_ = std::move(src); }

bool EngineBase::Input_GetDeviceKeyState(int vk) {
    if (vk <= 0 || vk >= kVirtualKeyCount) return false;
    return keySource_ ? deviceKeys_[vk] : keys_[vk];
}

void EngineBase::Input_ReadKeySource() {
    if (!keySource_) return;
    for (int vk = 1; vk < kVirtualKeyCount; ++vk) keys_[vk] = keySource_(frameCount_, vk);
}

// --- timer ---

float EngineBase::Timer_GetTime() { return float(elapsedSeconds()); }

int EngineBase::Timer_GetFPS() { return fps_; }

// --- shell hooks ---

void EngineBase::Shell_SetFrameLimit(int frames) { frameLimit_ = frames > 0 ? frames : 0; }

void EngineBase::Shell_AddScreenshot(int frame, const std::string& path) {
    if (frame > 0 && !path.empty()) screenshots_.emplace_back(frame, path);
}

void EngineBase::Shell_SetQuadLogger(QuadLogger logger) {
    quadLogger_ = std::move(logger);
    refreshOnlyCounts();
}

int EngineBase::Shell_FrameCount() const { return frameCount_; }

}  // namespace korvid

namespace korvid {

void SetUnseenFrames(Engine& engine, bool on) {
    if (auto* e = dynamic_cast<EngineBase*>(&engine)) e->Gfx_SetUndrawn(on);
}

void SetTrialFrames(Engine& engine, bool on) {
    if (auto* e = dynamic_cast<EngineBase*>(&engine)) e->Shell_SetTrial(on);
}

bool DeviceKeyHeld(Engine& engine, int vk) {
    if (auto* e = dynamic_cast<EngineBase*>(&engine)) return e->Input_GetDeviceKeyState(vk);
    return engine.Input_GetKeyState(vk);
}

}  // namespace korvid
