// The engine without a window or sound device, for tests, benchmarks and
// scripted runs: frames run back to back, time moves exactly 1/60 s per
// frame, audio channels advance by the same step, and the window always
// counts as the foreground. Pictures are drawn with OpenGL on SDL's offscreen
// video driver (no display needed); where that is unavailable, or pictures
// were turned off, everything else still runs and pictures come out black.
#include "engine/HeadlessEngine.h"

#include "engine/EngineBase.h"
#include "engine/GlWindow.h"

namespace korvid {
namespace {

constexpr int kFramesPerSecond = 60;

class HeadlessEngine final : public EngineBase {
public:
    explicit HeadlessEngine(const HeadlessOptions& options) : options_(options) {}
    ~HeadlessEngine() override { System_Shutdown(); }

    bool System_IsForeground() const override { return true; }

protected:
    bool openPlatform() override {
        setSoundAvailable(true);
        if (!options_.pictures) return true;
        // Forced over any SDL_VIDEODRIVER in the environment so no window
        // ever appears; reset afterwards so a windowed engine made later in
        // the same process gets the normal driver.
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
        videoUp_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
        if (!videoUp_) {
            System_Log("headless: no offscreen video (%s); running without pictures", SDL_GetError());
            return true;
        }
        std::string error;
        std::unique_ptr<GlRenderer> renderer;
        if (window_.open(title().c_str(), gameWidth(), gameHeight(), SDL_WINDOW_HIDDEN, &error))
            renderer = GlRenderer::Create(gameWidth(), gameHeight(), &error);
        if (!renderer) {
            System_Log("headless: %s; running without pictures", error.c_str());
            window_.close();
            return true;
        }
        attachRenderer(std::move(renderer));
        return true;
    }

    void closePlatform() override {
        window_.close();
        if (videoUp_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoUp_ = false;
    }

    void startClock() override { framesDone_ = 0; }

    void beginFrame() override {
        // Nothing else reads the offscreen window's events; keep the queue
        // empty, but a quit asked of SDL still stops the run.
        if (!videoUp_) return;
        SDL_PumpEvents();
        if (SDL_HasEvent(SDL_QUIT)) requestQuit();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    void endFrame() override {
        ++framesDone_;
        mixer().advance(1.0 / kFramesPerSecond);
    }

    double elapsedSeconds() const override { return double(framesDone_) / kFramesPerSecond; }

    void useGlContext() override { window_.makeCurrent(); }

private:
    HeadlessOptions options_;
    GlWindow window_;
    bool videoUp_ = false;
    long long framesDone_ = 0;
};

}  // namespace

std::unique_ptr<Engine> CreateHeadlessEngine(const HeadlessOptions& options) {
    return std::make_unique<HeadlessEngine>(options);
}

std::unique_ptr<Engine> CreateHeadlessEngine() { return CreateHeadlessEngine(HeadlessOptions{}); }

}  // namespace korvid
