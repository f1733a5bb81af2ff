#include "stages/StageScript.h"

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "stages/Dialogue.h"
#include "stages/StageRegistry.h"
#include "stages/StageTunes.h"

namespace korvid {


void RunStageScript(Game& game) {
    const StageLine* line = Stages(game).line(game.state.stage);
    if (line && line->script) line->script(game);
}

bool BossGate(Game& game) {
    GameState& s = game.state;
    if (!s.bossActive) return false;
    if (!s.dialogueActive) s.bossTimeLeft -= 1;
    if (s.bossTimeLeft <= 0) BossTimeOut(game);
    return true;
}

void BossTimeOut(Game& game) {
    GameState& s = game.state;
    const StageLine* line = Stages(game).line(s.stage);
    if (!line) return;
    const TimeOutRule& rule = line->timeOut;
    Enemy& boss = s.enemies.slot[kBossSlot];
    // A card that ends this way pays nothing, whatever the count shows then.
    s.bossTimedOut = 1;
    if (rule.hp == TimeOutHp::Drain) {
        // Not between patterns: a bar that refills there must fill, or the
        // fight would never move on.
        if (s.bossTimer() >= 0) boss.hp -= boss.maxHp / 20;
    } else {
        boss.hp = 0;
    }
    if (rule.raiseToPattern3 && s.bossPattern() < 3) {
        s.bossPattern() = 3;
        // Caught in the refill between two attacks, the boss starts
        // pattern 3 from its beginning, so that pattern's end always runs.
        if (s.bossTimer() >= -300 && s.bossTimer() < 0) s.bossTimer() = 0;
    }
    if (rule.timeLeftAfter >= 0) s.bossTimeLeft = rule.timeLeftAfter;
}

void StartStageMusic(Game& game, const char* file, bool loop) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (s.bgmStream) e.Stream_Free(s.bgmStream);
    s.bgmStream = e.Stream_Load(file);
    s.bgmChannel = e.Stream_Play(s.bgmStream, loop, s.bgmVolume);
}

void MusicLoopPoint(Game& game, float at, float to) {
    GameState& s = game.state;
    if (game.engine.Channel_GetPos(s.bgmChannel) >= at) game.engine.Channel_SetPos(s.bgmChannel, to);
}

void JumpStageClock(Game& game, int frame) {
    game.state.stageFrame = frame - 1;
    const StageLine* line = Stages(game).line(game.state.stage);
    if (line && line->jumpInto) line->jumpInto(game, frame);
    StartStageTuneAt(game, frame);
}

void SpawnTitleCard(Game& game, float z) {
    SpawnEffect(game, {24, 0, 0, 320, 250}, 224, 170, 1, 1, 0, z, 10, {0, 255, 255, 255}, 2, 0);
}

void SpawnEntryFlash(Game& game, float z, EntryFlash kind) {
    if (kind == EntryFlash::None) return;
    constexpr EffectColour kWhite{255, 255, 255, 255};
    const TexRect ring = kind == EntryFlash::Trimmed ? TexRect{2, 256, 1, 128, 127} : TexRect{2, 256, 0, 128, 128};
    SpawnEffect(game, ring, 224, 240, 0.86f, 0.86f, 0, z, 12, kWhite, 2, 0);
    SpawnEffect(game, ring, 224, 240, 0.79f, 0.79f, 0, z, 12, kWhite, 2, 0);
    SpawnEffect(game, {0, 65, 192, 4, 1}, 224, 240, 1, 1, 0, z, 11, kWhite, 2, 0);
}

void BringInBossQuietly(Game& game, const BossEntry& entry) {
    GameState& s = game.state;
    s.bossActive = 1;
    s.bossTimeLeft = entry.timeLimit;
    const TexRect& c = entry.cell;
    if (entry.sheet && c.tex >= 0 && c.tex < kTextureTableSize) {
        HTEXTURE& sheet = s.textures[c.tex];
        if (sheet) game.engine.Texture_Free(sheet);
        sheet = game.engine.Texture_Load(entry.sheet);
    }
    SpawnEnemy(game, c.tex, c.x, c.y, c.w, c.h, entry.x, entry.y, entry.scale, entry.scale, entry.heading, entry.z,
               entry.speed, entry.pattern, entry.hp, entry.alpha);
    SpawnEntryFlash(game, entry.flashZ, entry.flash);
}

void BringInBoss(Game& game, const BossEntry& entry) {
    // The conversation touches only its own fields: starting it before the
    // spawn or after makes no difference.
    StartTalk(game, entry.talk);
    BringInBossQuietly(game, entry);
}

}  // namespace korvid
