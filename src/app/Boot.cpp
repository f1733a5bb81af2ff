#include "app/Boot.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/Autopilot.h"
#include "app/ReplaySeek.h"
#include "app/TitleDemo.h"
#include "app/CoverageLog.h"
#include "app/FrameDriver.h"
#include "game/Game.h"
#include "app/GameFolder.h"
#include "app/KeyScript.h"
#include "app/Session.h"
#include "game/Settings.h"
#include "play/StageFlow.h"
#include "engine/EngineHooks.h"
#include "engine/HeadlessEngine.h"
#include "engine/KeyCodes.h"
#include "engine/VirtualKeys.h"
#include "engine/StartupError.h"
#include "menus/RecordsFile.h"
#include "menus/ScoreFile.h"

namespace korvid {

bool FrameFunc(Game& game) {
    const GameState& s = game.state;
    if (s.lives == -2 && s.stage != 7) return true;
    return s.quitRequested != 0;
}

namespace {

// The title's demo plays in a window, and headless when --demo-after asks;
// never in a run that starts play itself or records.
int demoIdleFrames(const Options& o) {
    if (o.practiceStage != 0 || !o.replayFile.empty() || o.autopilot || !o.recordFile.empty()) return 0;
    if (o.demoAfter >= 0) return o.demoAfter;
    return o.headless ? 0 : TitleDemo::kIdleFrames;
}

// Whether the player holds anything (the keys the game would see without a demo).
bool anyPlayerKey(Engine& engine, const Engine::KeySource& player) {
    const int frame = engine.Shell_FrameCount();
    for (int vk = 1; vk < kVirtualKeyCount; ++vk)
        if (player(frame, vk)) return true;
    return engine.Input_HeldControllerButton() >= 0;
}

void configureEngine(Engine& engine, Game& game, Session& session, const Options& options, Autopilot* pilot,
                     ReplaySeeker* seeker, TitleDemo* demo, const Engine::KeySource* player) {
    engine.System_SetStateInt(HGE_SCREENWIDTH, 640);
    engine.System_SetStateBool(HGE_SHOWSPLASH, false);
    engine.System_SetStateInt(HGE_SCREENHEIGHT, 480);
    engine.System_SetStateFunc(HGE_FRAMEFUNC, [&game, &session, pilot] {
        return FrameFunc(game) || session.finished() || (pilot && pilot->over());
    });
    engine.System_SetStateFunc(HGE_RENDERFUNC, [&game, &session, &engine, &options, pilot, seeker, demo, player] {
        if (options.beforeFrame) options.beforeFrame(engine.Shell_FrameCount());
        if (options.frameStats) options.frameStats(engine.Gfx_GetStats());
        if (demo) {
            const bool wasRunning = demo->running();
            demo->beforeFrame(game, anyPlayerKey(engine, *player));
            // Started or ended: the frame sees the demo's keys, or the player's again.
            if (wasRunning != demo->running()) engine.Input_ReadKeySource();
            if (demo->running()) demo->pilot()->beforeFrame(game);
        }
        if (pilot) pilot->beforeFrame(game, session.startPending());
        if (seeker) seeker->beforeFrame(game);
        PlayCaption caption = PlayCaption::None;
        if (seeker && seeker->shown() >= 0) caption = PlayCaption::ReplayPosition;
        if (demo && demo->running()) caption = PlayCaption::Demo;
        RenderFunc(game, caption);
        session.afterFrame(game);
        return false;
    });
    engine.System_SetStateString(HGE_TITLE, "Korvid");
    engine.System_SetStateBool(HGE_WINDOWED, true);
    engine.System_SetStateInt(HGE_FPS, 60);
    engine.System_SetStateInt(HGE_ICON, 1);
    engine.System_SetStateBool(HGE_USESOUND, true);
    engine.System_SetStateBool(HGE_DONTSUSPEND, true);
    engine.System_SetStateInt(HGE_SCREENBPP, 32);
    engine.System_SetStateBool(HGE_ZBUFFER, true);
}

void CreateGlyphFonts(Game& game) {
    game.songFont14 = std::make_unique<GlyphFont>(game.engine, "宋体", 14, false, false, false);
    game.heiFont16 = std::make_unique<GlyphFont>(game.engine, "黑体", 16);
    game.heiFont18 = std::make_unique<GlyphFont>(game.engine, "黑体", 18);
}

}  // namespace

int RunGame(const Options& options) {
    const std::string dir = options.dir.empty() ? DefaultGameDir() : options.dir;
    if (!PrepareGameDir(dir, (std::filesystem::path(ShippedDir()) / "data").string())) {
        std::fprintf(stderr, "korvid: cannot create the game folder %s\n", dir.c_str());
        return 1;
    }

    std::optional<KeyScript> script;
    if (!options.keysFile.empty()) {
        std::string error;
        script = KeyScript::load(options.keysFile, error);
        if (!script) {
            std::fprintf(stderr, "korvid: %s\n", error.c_str());
            return 2;
        }
    }

    // Without a usable pack there is nothing to draw or play: say so and stop.
    const std::string packPath = FindPack(options.pack, dir);
    if (const std::string problem = PackProblem(packPath, kPackPassword); !problem.empty()) {
        const std::string line = "cannot use the resource pack " + packPath + ": " + problem +
                                 ". Build the stand-in pack with `make pack`, put a gamedat.zip into " + dir +
                                 ", or name one with --pack PATH.";
        std::fprintf(stderr, "korvid: %s\n", line.c_str());
        if (!options.headless) ShowStartupError("Korvid cannot start", line);
        return 2;
    }

    // Headless runs draw pictures only when a screenshot is asked for: with
    // software OpenGL every frame would otherwise cost milliseconds.
    std::unique_ptr<Engine> engine =
        options.headless
            ? CreateHeadlessEngine(HeadlessOptions{!options.screenshots.empty() || (script && script->usesKey(kScreenshotKey))})
            : CreateSdlEngine();
    engine->Shell_SetGameDir(dir);
    auto game = std::make_unique<Game>(*engine);
    game->gameDir = dir;

    Session session(options);
    std::unique_ptr<Autopilot> pilot = options.autopilot ? std::make_unique<Autopilot>() : nullptr;
    // A replay watched (not verified), from the command line or the replay
    // screen, can be sought in.
    std::unique_ptr<ReplaySeeker> seeker = !options.verify ? std::make_unique<ReplaySeeker>(options.seekFrame) : nullptr;
    const int demoIdle = demoIdleFrames(options);
    std::unique_ptr<TitleDemo> demo = demoIdle > 0 ? std::make_unique<TitleDemo>(demoIdle) : nullptr;
    // With a demo the keys the game sees pass through it: the player's (the
    // key script's or the keyboard's), or the demo autopilot's.
    Engine::KeySource player;
    configureEngine(*engine, *game, session, options, pilot.get(), seeker.get(), demo.get(), &player);
    CreateGlyphFonts(*game);
    LoadSettings(*game, /*atBoot=*/true);
    {
        std::string why;
        if (!session.prepareReplay(*game, why)) {
            std::fprintf(stderr, "korvid: %s: %s\n", options.replayFile.c_str(), why.c_str());
            return 2;
        }
    }
    engine->System_SetStateBool(HGE_WINDOWED, game->state.windowMode == 1);

    CoverageLog coverage;
    if (!options.coverageLog.empty()) coverage.attach(*engine);
    engine->Shell_SetFrameLimit(options.frames);
    for (const Screenshot& s : options.screenshots) engine->Shell_AddScreenshot(s.frame, s.path);
    if (pilot) {
        Game* g = game.get();
        Autopilot* p = pilot.get();
        engine->Input_SetKeySource([g, p](int, int vk) {
            for (int k = 0; k < kGameKeyCount; ++k)
                if (p->holds(k) && g->state.keyBindings[k].code == vk) return true;
            return false;
        });
    } else if (script) {
        auto ks = std::make_shared<const KeyScript>(std::move(*script));
        player = [ks](int frame, int vk) { return ks->held(frame, vk); };
        engine->Input_SetKeySource(player);
        engine->Input_SetTextSource([ks](int frame) { return ks->textAt(frame); });
        engine->Input_SetMouseSource([ks](int frame, float* x, float* y) { return ks->mouseAt(frame, x, y); });
    }
    if (demo) {
        Engine* e = engine.get();
        if (!player) player = [e](int, int vk) { return DeviceKeyHeld(*e, vk); };
        Game* g = game.get();
        TitleDemo* d = demo.get();
        engine->Input_SetKeySource([g, d, &player](int frame, int vk) {
            if (!d->running()) return player(frame, vk);
            for (int k = 0; k < kGameKeyCount; ++k)
                if (d->pilot()->holds(k) && g->state.keyBindings[k].code == vk) return true;
            return false;
        });
    }

    if (!engine->System_Initiate()) {
        std::fprintf(stderr, "korvid: the engine could not start (no display or no OpenGL 3.3)\n");
        engine->System_Shutdown();
        return 1;
    }

    if (!engine->Resource_AttachPack(packPath.c_str(), kPackPassword)) {
        std::fprintf(stderr, "korvid: cannot attach the resource pack %s\n", packPath.c_str());
        engine->System_Shutdown();
        return 2;
    }

    GameState& s = game->state;
    s.logoTexture = engine->Texture_Load("Graphics/logo.png");
    game->menuFont = std::make_unique<BitmapFont>(*engine, "Graphics/font0.fnt");
    game->menuFont->SetZ(0.1f);
    game->menuFont->SetColor(0xFFFFFFFF);

    StartRoutine(*game);

    game->screenSprite = std::make_unique<Sprite>(*engine, s.logoTexture, 0.0f, 0.0f, 640.0f, 480.0f);
    game->uiSprite = std::make_unique<Sprite>(*engine, 0, 0.0f, 0.0f, 0.0f, 0.0f);

    s.panelCounter = BootstrapScoreFile((std::filesystem::path(dir) / "score.dat").string());
    LoadGameRecords(*game);
    session.startReplay(*game);
    session.startPractice(*game);

    engine->System_Start();
    // Closed with the window (or stopped) mid-game: the cards it met stay
    // met. A high score is entered only through its name entry, so an
    // unfinished game enters none.
    if (!SaveGameRecords(*game)) std::fprintf(stderr, "korvid: could not save %s\n", kRecordsFileName);
    int status = session.finish(*game);
    if (pilot) {
        std::printf("autopilot: %d decisions, %d look-ahead mismatches\n", pilot->decisions(), pilot->mismatches());
        PrintAutopilotTally(*pilot);
        if (pilot->mismatches() > 0 && status == 0) status = kExitDesync;
    }
    if (!options.coverageLog.empty() && !coverage.write(options.coverageLog))
        std::fprintf(stderr, "korvid: could not write %s\n", options.coverageLog.c_str());
    engine->System_Shutdown();
    return status;
}

}  // namespace korvid
