// keyplan: plans the held keys of a practice run that survives, for the
// golden replay fixtures. It boots the game as `korvid --headless
// --practice N` does and, every few frames, tries each way of moving (fire
// and focus held) on a copy of the game for a second ahead, keeping the
// ways on which the ship is not hit and the one closest to its post below
// the enemy; when every way is hit it bombs. The keys are written in the
// --keys format, numbered as the game's key source asks for them.
//
//   keyplan STAGE DIFFICULTY FRAMES OUT.txt [PACK [BOSS]]
//
// BOSS (a pattern id) brings that fight in at once, as --boss does.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Boot.h"
#include "app/FrameDriver.h"
#include "app/GameFolder.h"
#include "app/Session.h"
#include "engine/HeadlessEngine.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "menus/ScoreFile.h"
#include "play/StageFlow.h"

namespace korvid {
namespace {

// Bits of a recorded key mask and the keyboard keys that send them.
enum : int { kUp = 1, kDown = 2, kLeft = 4, kRight = 8, kSlow = 16, kShoot = 32, kBomb = 64 };
struct KeyName {
    int bit;
    int vk;
    const char* name;
};
constexpr KeyName kKeys[] = {{kUp, 38, "UP"},       {kDown, 40, "DOWN"}, {kLeft, 37, "LEFT"}, {kRight, 39, "RIGHT"},
                             {kSlow, 16, "SHIFT"}, {kShoot, 'Z', "Z"},   {kBomb, 'X', "X"}};

constexpr int kMoves[] = {0, kLeft, kRight, kUp, kDown, kUp | kLeft, kUp | kRight, kDown | kLeft, kDown | kRight};
constexpr int kHorizon = 50, kEvery = 3;

struct Planner {
    Game& game;
    std::unique_ptr<GameState> saved = std::make_unique<GameState>();
    int mask = kShoot;          // what the key source answers now
    std::vector<int> plan;      // by the game's frame number
    int bombs = 0;

    // Frames until the ship is hit holding `keys` (kHorizon + 1: never),
    // and where it ends.
    int tryKeys(int keys, float& x, float& y) {
        GameState& s = game.state;
        *saved = s;
        s.replayPlaying = 1;
        const int st = s.stage;
        s.replayStageFrames[st] = kReplayFramesPerStage - 1;
        for (int k = 1; k <= kHorizon + 1 && s.replayFrame + k < kReplayFramesPerStage; ++k)
            s.replayInputs[st][s.replayFrame + k] = keys;
        const int lives = s.lives;
        int hitAt = kHorizon + 1;
        for (int k = 1; k <= kHorizon; ++k) {
            PlayFrame(game);
            if (s.screen != 10 || s.stageCleared) break;
            if (s.hitPending > 0 || s.playerDying || s.lives < lives) {
                hitAt = k;
                break;
            }
        }
        x = s.playerX;
        y = s.playerY;
        s = *saved;
        return hitAt;
    }

    void decide() {
        const GameState& s = game.state;
        if (s.screen != 10 || s.stageCleared || s.pauseState != 0 || s.hitPending > 0 || s.playerDying) {
            mask = kShoot;
            return;
        }
        const Enemy& boss = s.enemies.slot[kBossSlot];
        const float postX = s.bossActive && !s.enemies.free[kBossSlot] && boss.x > 40 && boss.x < 410 ? boss.x : 224;
        const float postY = 400;
        int best = -1, bestHit = -1;
        double bestScore = -1e9;
        for (int move : kMoves) {
            float x = 0, y = 0;
            const int keys = move | kShoot | kSlow;
            const int hit = tryKeys(keys, x, y);
            double score = hit > kHorizon ? 1e6 : hit * 1000.0;
            score -= std::fabs(x - postX) + 0.5 * std::fabs(y - postY);
            if (move == (mask & ~(kShoot | kSlow | kBomb))) score += 3;  // keep going the same way
            if (score > bestScore) {
                bestScore = score;
                best = keys;
                bestHit = hit;
            }
        }
        mask = best;
        if (bestHit <= 12 && s.bombGauge > 0) {
            mask |= kBomb;
            ++bombs;
        }
    }
};

void writeKeys(const std::vector<int>& plan, const std::string& path, int stage, int difficulty) {
    std::ofstream out(path);
    out << "# Planned by tools/keyplan (practice of stage " << stage << ", difficulty " << difficulty
        << "): fire and focus held, moving out of the way of what would hit.\n";
    std::size_t i = 1;
    while (i < plan.size()) {
        std::size_t j = i;
        while (j + 1 < plan.size() && plan[j + 1] == plan[i]) ++j;
        if (plan[i] != 0) {
            std::string keys;
            for (const KeyName& k : kKeys)
                if (plan[i] & k.bit) keys += (keys.empty() ? "" : "+") + std::string(k.name);
            if (i == j) out << i << ' ' << keys << '\n';
            else out << i << '-' << j << ' ' << keys << '\n';
        }
        i = j + 1;
    }
}

}  // namespace
}  // namespace korvid

int main(int argc, char** argv) {
    using namespace korvid;
    if (argc < 5) {
        std::fprintf(stderr, "usage: keyplan STAGE DIFFICULTY FRAMES OUT.txt [PACK [BOSS]]\n");
        return 2;
    }
    Options options;
    options.headless = true;
    options.practiceStage = std::atoi(argv[1]);
    options.difficulty = std::atoi(argv[2]);
    const int frames = std::atoi(argv[3]);
    if (argc > 6) options.bossPattern = std::atoi(argv[6]);
    const std::string dir = (std::filesystem::temp_directory_path() / "keyplan-game").string();
    std::filesystem::remove_all(dir);
    options.dir = dir;
    PrepareGameDir(dir, (std::filesystem::path(ShippedDir()) / "data").string());
    const std::string pack = FindPack(argc > 5 ? argv[5] : "", dir);

    std::unique_ptr<Engine> engine = CreateHeadlessEngine(HeadlessOptions{false});
    engine->Shell_SetGameDir(dir);
    auto game = std::make_unique<Game>(*engine);
    game->gameDir = dir;
    Session session(options);
    Planner planner{*game, std::make_unique<GameState>(), kShoot, {}, 0};
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [&] { return FrameFunc(*game) || session.finished(); });
    engine->System_SetStateFunc(HGE_RENDERFUNC, [&] {
        RenderFunc(*game);
        session.afterFrame(*game);
        if (engine->Shell_FrameCount() % kEvery == 0) planner.decide();
        const GameState& s = game->state;
        if (engine->Shell_FrameCount() % 600 == 0)
            std::fprintf(stderr, "frame %d stage frame %d lives %d boss %d pattern %d bombs %d\n",
                         engine->Shell_FrameCount(), s.stageFrame, s.lives, s.bossActive, s.bossPattern(),
                         planner.bombs);
        return false;
    });
    // A conversation turns its page on a fresh press of Shoot: it is let go
    // every other pair of frames while one runs.
    engine->Input_SetKeySource([&](int frame, int vk) {
        if (frame >= static_cast<int>(planner.plan.size())) planner.plan.resize(frame + 1, 0);
        int mask = planner.mask;
        if (game->state.dialogueActive && frame % 4 < 2) mask &= ~kShoot;
        planner.plan[frame] = mask;
        for (const KeyName& k : kKeys)
            if (k.vk == vk) return (mask & k.bit) != 0;
        return false;
    });
    game->songFont14 = std::make_unique<GlyphFont>(*engine, "宋体", 14, false, false, false);
    game->heiFont16 = std::make_unique<GlyphFont>(*engine, "黑体", 16);
    game->heiFont18 = std::make_unique<GlyphFont>(*engine, "黑体", 18);
    LoadSettings(*game, true);
    engine->Shell_SetFrameLimit(frames);
    if (!engine->System_Initiate() || !engine->Resource_AttachPack(pack.c_str(), kPackPassword)) {
        std::fprintf(stderr, "keyplan: cannot start with the pack %s\n", pack.c_str());
        return 1;
    }
    GameState& s = game->state;
    s.logoTexture = engine->Texture_Load("Graphics/logo.png");
    game->menuFont = std::make_unique<BitmapFont>(*engine, "Graphics/font0.fnt");
    StartRoutine(*game);
    game->screenSprite = std::make_unique<Sprite>(*engine, s.logoTexture, 0.0f, 0.0f, 640.0f, 480.0f);
    game->uiSprite = std::make_unique<Sprite>(*engine, 0, 0.0f, 0.0f, 0.0f, 0.0f);
    s.panelCounter = BootstrapScoreFile((std::filesystem::path(dir) / "score.dat").string());
    session.startPractice(*game);
    engine->System_Start();
    writeKeys(planner.plan, argv[4], options.practiceStage, options.difficulty);
    std::fprintf(stderr, "keyplan: stage %d frame %d lives %d cleared %d screen %d bombs %d\n", s.stage, s.stageFrame,
                 s.lives, s.stageCleared, s.screen, planner.bombs);
    engine->System_Shutdown();
    return 0;
}
