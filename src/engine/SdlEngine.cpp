// The real engine: an SDL2 window with OpenGL 3.3, windowed or desktop
// full screen (switched between frames, never changing the display mode),
// the game picture scaled into it with black bars, keyboard and mouse from
// SDL events, frames paced by a timer to HGE_FPS, and the mixer played on
// the SDL sound device (SDL's silent "dummy" device when there is none).
#include "engine/EngineBase.h"
#include "engine/GlWindow.h"
#include "engine/Letterbox.h"

namespace korvid {
namespace {

class SdlEngine final : public EngineBase {
public:
    ~SdlEngine() override { System_Shutdown(); }

    bool System_IsForeground() const override {
        return window_.window() && (SDL_GetWindowFlags(window_.window()) & SDL_WINDOW_INPUT_FOCUS) != 0;
    }

protected:
    void platformTextInput(bool on) override {
        if (!window_.window()) return;
        if (on)
            SDL_StartTextInput();
        else
            SDL_StopTextInput();
    }
    void platformTextInputRect(int x, int y, int w, int h) override;
    bool openPlatform() override;
    void closePlatform() override;
    void startClock() override { start_ = deadline_ = SDL_GetPerformanceCounter(); }
    void beginFrame() override {
        applyWindowMode();
        pumpEvents();
    }
    void endFrame() override {
        present();
        pace();
    }
    double elapsedSeconds() const override {
        return double(SDL_GetPerformanceCounter() - start_) / double(SDL_GetPerformanceFrequency());
    }
    void useGlContext() override { window_.makeCurrent(); }

private:
    void openAudio();
    SDL_AudioDeviceID openAudioDevice();
    void applyWindowMode();
    void pumpEvents();
    void present();
    void pace();

    GlWindow window_;
    bool videoUp_ = false;
    bool audioUp_ = false;
    SDL_AudioDeviceID audioDevice_ = 0;
    bool windowedNow_ = true;
    float mouseWindowX_ = 0, mouseWindowY_ = 0;
    Uint64 start_ = 0, deadline_ = 0;
};

bool SdlEngine::openPlatform() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        System_Log("cannot start the video system: %s", SDL_GetError());
        return false;
    }
    videoUp_ = true;
    // With no display SDL falls back to its invisible drivers; a game window
    // nobody can see is a failed start unless someone asked for exactly that.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const bool invisible = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (invisible && !(asked && SDL_strcasecmp(asked, driver) == 0)) {
        System_Log("cannot open a window: no display");
        closePlatform();
        return false;
    }
    const Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI;
    std::string error;
    std::unique_ptr<GlRenderer> renderer;
    if (window_.open(title().c_str(), gameWidth(), gameHeight(), flags, &error))
        renderer = GlRenderer::Create(gameWidth(), gameHeight(), &error);
    if (!renderer) {
        System_Log("%s", error.c_str());
        closePlatform();
        return false;
    }
    attachRenderer(std::move(renderer));
    windowedNow_ = true;
    applyWindowMode();
    // SDL starts with text input on; an input method would then swallow the
    // letter keys the game plays with. The game draws its own pointer.
    SDL_StopTextInput();
    SDL_ShowCursor(SDL_DISABLE);
    // Without a window manager nobody hands the new window the focus.
    SDL_RaiseWindow(window_.window());
    SDL_SetWindowInputFocus(window_.window());
    start_ = deadline_ = SDL_GetPerformanceCounter();
    if (System_GetStateBool(HGE_USESOUND)) openAudio();
    return true;
}

void SdlEngine::closePlatform() {
    if (audioDevice_) SDL_CloseAudioDevice(audioDevice_);
    audioDevice_ = 0;
    if (audioUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioUp_ = false;
    window_.close();
    if (videoUp_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoUp_ = false;
}

// --- sound ---

SDL_AudioDeviceID SdlEngine::openAudioDevice() {
    SDL_AudioSpec want{};
    want.freq = mixer().sampleRate();
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.userdata = &mixer();
    want.callback = [](void* mixer, Uint8* stream, int bytes) {
        static_cast<AudioMixer*>(mixer)->mix(reinterpret_cast<float*>(stream), bytes / int(2 * sizeof(float)));
    };
    // No allowed changes: SDL converts to whatever the device really takes.
    return SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
}

void SdlEngine::openAudio() {
    audioUp_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (audioUp_) audioDevice_ = openAudioDevice();
    if (!audioDevice_) {
        // No sound hardware (a build server): the silent driver still runs
        // the mixer in real time, so music positions behave as usual.
        if (audioUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        audioUp_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        if (audioUp_) audioDevice_ = openAudioDevice();
    }
    if (!audioDevice_) {
        System_Log("no sound device: %s", SDL_GetError());
        return;
    }
    SDL_PauseAudioDevice(audioDevice_, 0);
    setSoundAvailable(true);
}

// --- window and events ---

// Desktop full screen is asked of the window manager; the window is also
// made borderless and laid over the whole display by hand first, because an
// X server without a window manager (a test under Xvfb) ignores the request.
void SdlEngine::applyWindowMode() {
    const bool windowed = System_GetStateBool(HGE_WINDOWED);
    if (windowed == windowedNow_) return;
    SDL_Window* w = window_.window();
    if (windowed) {
        SDL_SetWindowFullscreen(w, 0);
        SDL_SetWindowBordered(w, SDL_TRUE);
        SDL_SetWindowSize(w, gameWidth(), gameHeight());
        SDL_SetWindowPosition(w, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        SDL_Rect display{};
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(w), &display) == 0) {
            SDL_SetWindowBordered(w, SDL_FALSE);
            SDL_SetWindowPosition(w, display.x, display.y);
            SDL_SetWindowSize(w, display.w, display.h);
        }
        SDL_SetWindowFullscreen(w, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    windowedNow_ = windowed;
}

void SdlEngine::pumpEvents() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
                requestQuit();
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) requestQuit();
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) keyTracker().releaseAll();
                break;
            case SDL_KEYDOWN: {
                const int vk = VirtualKeyFromSdl(e.key.keysym.sym, e.key.keysym.scancode);
                keyTracker().press(vk);
                typeEditingKey(vk);
                break;
            }
            case SDL_TEXTINPUT:
                // Ctrl with a letter is a shortcut, not text.
                if (!(SDL_GetModState() & KMOD_CTRL)) typeText(e.text.text);
                setComposition("", 0);
                break;
            case SDL_TEXTEDITING:
                setComposition(e.edit.text, e.edit.start);
                break;
            case SDL_KEYUP:
                keyTracker().release(VirtualKeyFromSdl(e.key.keysym.sym, e.key.keysym.scancode));
                break;
            case SDL_MOUSEBUTTONDOWN:
                keyTracker().press(VirtualKeyFromMouseButton(e.button.button));
                break;
            case SDL_MOUSEBUTTONUP:
                keyTracker().release(VirtualKeyFromMouseButton(e.button.button));
                break;
            case SDL_MOUSEMOTION:
                mouseWindowX_ = float(e.motion.x);
                mouseWindowY_ = float(e.motion.y);
                break;
            default:
                break;
        }
    }
    int w = 0, h = 0;
    SDL_GetWindowSize(window_.window(), &w, &h);
    float gx = 0, gy = 0;
    WindowToGame(FitLetterbox(w, h, gameWidth(), gameHeight()), gameWidth(), gameHeight(), mouseWindowX_,
                 mouseWindowY_, &gx, &gy);
    setMousePos(gx, gy);
}

// The input method places its candidate window in window coordinates.
void SdlEngine::platformTextInputRect(int x, int y, int w, int h) {
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window_.window(), &ww, &wh);
    const ViewRect view = FitLetterbox(ww, wh, gameWidth(), gameHeight());
    const float sx = float(view.w) / float(gameWidth()), sy = float(view.h) / float(gameHeight());
    SDL_Rect r{view.x + int(float(x) * sx), view.y + int(float(y) * sy), int(float(w) * sx), int(float(h) * sy)};
    SDL_SetTextInputRect(&r);
}

void SdlEngine::present() {
    useGlContext();
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(window_.window(), &w, &h);
    renderer()->present(w, h);
    SDL_GL_SwapWindow(window_.window());
}

// Waits for the next frame's start: sleeps most of the way, spins the last
// millisecond. A late frame moves the schedule instead of queueing a burst
// of catch-up frames. HGE_FPS is read each frame, so a change applies at once.
void SdlEngine::pace() {
    const Uint64 freq = SDL_GetPerformanceFrequency();
    Uint64 now = SDL_GetPerformanceCounter();
    const int fps = System_GetStateInt(HGE_FPS);
    if (fps <= 0) {
        deadline_ = now;
        return;
    }
    deadline_ += freq / Uint64(fps);
    if (deadline_ <= now) {
        deadline_ = now;
        return;
    }
    while ((now = SDL_GetPerformanceCounter()) < deadline_) {
        const Uint64 ms = (deadline_ - now) * 1000 / freq;
        if (ms >= 2) SDL_Delay(Uint32(ms - 1));
    }
}

}  // namespace

std::unique_ptr<Engine> CreateSdlEngine() { return std::make_unique<SdlEngine>(); }

}  // namespace korvid
