#include "play/Player.h"

#include <algorithm>
#include <cmath>

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "play/Geometry.h"
#include "play/PlayerCharacter.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr float kFieldTop = 24, kFieldBottom = 448, kFieldLeft = 40, kFieldRight = 406;
constexpr float kWideTop = 5, kWideBottom = 475, kWideLeft = 5, kWideRight = 635;

bool onPlayScreen(const GameState& s) { return s.screen == 10; }

// Lives below zero outside the extra stage: the continue menu opens, or in
// the whole-screen fight of stage 6 the stage simply ends.
bool gameOverHandOff(Game& game) {
    GameState& s = game.state;
    if (s.playerRespawning || s.lives >= 0 || s.stage == 7 || !onPlayScreen(s)) return false;
    s.latchCancel = 1;
    s.latchConfirm = 1;
    if (s.wideField && s.bossActive) {
        s.stageFrame = 100000;
        s.wideFieldFightStarted = 0;
        s.stageCleared = 1;
        s.lives = 0;
    } else {
        OpenPauseMenu(game);
    }
    return true;
}

void replayEndHandOff(Game& game) {
    GameState& s = game.state;
    if (!s.replayPlaying || !onPlayScreen(s) || s.stage < 0 || s.stage >= kStageSlots) return;
    if (s.replayFrame >= s.replayStageFrames[s.stage] + 1 && s.replayEndStage == s.stage) {
        s.latchCancel = 1;
        s.latchConfirm = 1;
        s.pauseCursor = 1;
        OpenPauseMenu(game);
    }
}

void bombs(Game& game) {
    GameState& s = game.state;
    if (s.hitPending > 0) {
        // Only the automatic bomb can save a hit player; the Bomb key is not read.
        if (s.bombGauge >= 600 && s.autoBomb == 1) StartBomb(game, true);
    } else if (IsKeyHeld(game, KeyBomb) && !s.bombActive && s.bombGauge >= 200 && !s.timeStop &&
               !s.dialogueActive) {
        StartBomb(game, false);
    }
}

void focus(Game& game, float& speed, const CharacterTraits& c) {
    GameState& s = game.state;
    if (IsKeyHeld(game, KeySlow)) {
        if (s.focusLevel < 10) s.focusLevel += 1;
        speed = s.bombActive ? c.bombingFocusedSpeed : c.focusedSpeed;
        s.optionSpread = std::max(s.optionSpread - 2, 10);
        s.optionLift = std::min(s.optionLift + 2, 24);
    } else {
        if (s.focusLevel > 0) s.focusLevel -= 1;
        s.optionSpread = std::min(s.optionSpread + 2, 32);
        s.optionLift = std::max(s.optionLift - 2, 0);
    }
}

void move(Game& game, float speed) {
    GameState& s = game.state;
    const bool wide = s.wideField != 0;
    const bool up = IsKeyHeld(game, KeyUp);
    const bool down = IsKeyHeld(game, KeyDown);
    const bool left = IsKeyHeld(game, KeyLeft);
    const bool right = IsKeyHeld(game, KeyRight);
    if ((up || down) && (left || right)) speed = static_cast<float>(speed / 1.41);  // in double, stored as float
    s.moveDirection = 0;
    if (up) {
        s.playerY -= speed;
        s.moveDirection = 1;
        s.playerY = std::max(s.playerY, wide ? kWideTop : kFieldTop);
    }
    if (down) {
        s.playerY += speed;
        if (s.moveDirection != 1) s.moveDirection = 5;
        s.playerY = std::min(s.playerY, wide ? kWideBottom : kFieldBottom);
    }
    if (left) {
        s.playerX -= speed;
        s.moveDirection = (s.moveDirection == 1) ? 8 : (s.moveDirection == 5 ? 6 : 7);
        s.tilt = std::max(s.tilt - 1, -16);
        s.playerX = std::max(s.playerX, wide ? kWideLeft : kFieldLeft);
    }
    if (right) {
        s.playerX += speed;
        if (s.moveDirection == 1) s.moveDirection = 2;
        else if (s.moveDirection == 5) s.moveDirection = 4;
        else if (s.moveDirection != 7) s.moveDirection = 3;
        s.tilt = std::min(s.tilt + 1, 16);
        s.playerX = std::min(s.playerX, wide ? kWideRight : kFieldRight);
    }
}

void shoot(Game& game) {
    GameState& s = game.state;
    const bool burstRunning = s.shotTimer > 0;
    if (burstRunning) {
        s.shotTimer -= 1;
        const bool slow = IsKeyHeld(game, KeySlow);
        EmitShots(game, slow, !slow && s.optionSpread >= 16);
    } else {
        s.laserFrames = 0;
        s.laserFramesB = 0;
    }
    if (IsKeyHeld(game, KeyShoot) && s.shotTimer == 0 && !s.bombActive && !s.dialogueActive) {
        s.shotTimer = 20;
        s.framesSinceShot = 0;
    }
}

void controlBlock(Game& game) {
    GameState& s = game.state;
    const CharacterTraits& c = Traits(s.character);
    bombs(game);
    float speed = s.bombActive ? c.bombingNormalSpeed : c.normalSpeed;
    if (s.stage == 1) speed = static_cast<float>(speed * (1.0 - s.power * 0.005));
    if (s.timeStop || s.hitPending != 0 || s.stageFrame < 0) return;
    if (s.screen == 10 || s.screen == 2) focus(game, speed, c);
    move(game, speed);
    shoot(game);
}

std::uint32_t argb(int a, int r, int g, int b) {
    auto c = [](int v) { return static_cast<std::uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    return (c(a) << 24) | (c(r) << 16) | (c(g) << 8) | c(b);
}

void drawAura(Game& game) {
    GameState& s = game.state;
    if (s.power < 54 || !game.shipSprite) return;
    Sprite& aura = *game.shipSprite;
    aura.SetTextureRect(0, 276, 64, 64);
    aura.SetHotSpot(32, 32);
    aura.SetColor(argb(static_cast<int>((s.power - 54) * 4.6f), 255, 255, 255));
    aura.RenderEx(s.playerX, s.playerY + 2, DegToRad(static_cast<float>(((s.stageFrame + 200) % 90) * 4)), 1.4f);
}

void spawnTrails(Game& game) {
    GameState& s = game.state;
    const CharacterTraits& c = Traits(s.character);
    const float x = s.playerX, y = s.playerY;
    const float spread = static_cast<float>(s.optionSpread), lift = static_cast<float>(s.optionLift);
    const float at[4][2] = {{x + 10, y + 8}, {x - 10, y + 8}, {x + spread, y - lift - 8}, {x - spread, y - lift - 8}};
    for (const auto& p : at)
        SpawnEffect(game, {33, 0, 0, 32, 32}, p[0], p[1], 1.3f, 1.3f, 0, 0.88f, 47,
                    {255, c.trailRed, c.trailGreen, c.trailBlue}, 0, 0);
}

void drawShip(Game& game) {
    GameState& s = game.state;
    if (!game.shipSprite) return;
    const int cycle = s.stageFrame + 200;
    Sprite& ship = *game.shipSprite;
    ship.SetTextureRect(static_cast<float>(432 + (s.tilt / 2) * 48), static_cast<float>(((cycle % 8) / 4) * 60), 48,
                        60);
    ship.SetHotSpot(24, 30);
    const int rg = 255 - (s.invincibleTimer % 8) * 32;
    ship.SetColor(argb(255, rg, rg, 255));
    if (s.playerDying || s.playerRespawning) return;
    ship.Render(s.playerX, s.playerY);

    const int w = Traits(s.character).optionWidth;
    for (auto& opt : game.optionSprites)
        if (opt) opt->SetTextureRect(static_cast<float>(((cycle % 60) / 2) * w), 120, static_cast<float>(w), 28);
    if (s.stageFrame % 2 == 0) spawnTrails(game);
    const float spread = static_cast<float>(s.optionSpread), lift = static_cast<float>(s.optionLift);
    if (game.optionSprites[0]) game.optionSprites[0]->RenderEx(s.playerX + spread, s.playerY - lift, 0, -1, 1);
    if (game.optionSprites[1]) game.optionSprites[1]->RenderEx(s.playerX - spread, s.playerY - lift, 0, 1, 1);
}

void drawFocusIndicator(Game& game) {
    GameState& s = game.state;
    if (!game.focusSprite) return;
    // Grows over the ten frames of focusing (a fraction, not integer steps).
    game.focusSprite->RenderEx(s.playerX, s.playerY, -static_cast<float>(s.stageFrame) * 3 / 57.3f,
                               static_cast<float>(s.focusLevel) / 10.0f);
}

}  // namespace

void UpdatePlayer(Game& game) {
    GameState& s = game.state;
    gameOverHandOff(game);
    replayEndHandOff(game);
    if (s.invincibleTimer > 0) s.invincibleTimer -= 1;
    if (s.wideField && !s.wideFieldFightStarted) {
        s.invincibleTimer += 1;
        return;
    }
    const bool controlled = !s.playerDying && !s.playerRespawning && s.stageFrame >= 0 && s.stageFrame <= 98000;
    if (controlled) controlBlock(game);
    UpdateDeathAndRespawn(game);
    drawAura(game);
    if (s.shotTimer == 0) s.framesSinceShot += 1;
    const bool left = IsKeyHeld(game, KeyLeft);
    const bool right = IsKeyHeld(game, KeyRight);
    if (!left && !right) s.tilt += (s.tilt > 0) ? -1 : (s.tilt < 0 ? 1 : 0);
    if (s.screen < 10) s.tilt = 0;
    drawShip(game);
    drawFocusIndicator(game);
    PlayRequestedSounds(game);
}

void StartBomb(Game& game, bool automatic) {
    GameState& s = game.state;
    const CharacterTraits& c = Traits(s.character);
    s.hitPending = 0;
    s.spellBonusLost = 1;
    s.soundRequests[15] = 1;
    s.bombActive = 1;
    s.bombGauge -= automatic ? 600 : 200;
    s.invincibleTimer = automatic ? c.autoBombInvincible : c.manualBombInvincible;
    const int tag = automatic ? 254 : 255;
    int slot = -1;
    switch (s.character) {
        case 2:
            slot = SpawnPlayerShot(game, {55, 0, 512, 512, 512}, s.playerX, s.playerY, 0, 0.9f, 0, 0.86f, 0, 9, tag,
                                   0.5f);
            break;
        case 3: {
            const float scale = automatic ? 1.0f : 0.9f;
            slot = SpawnPlayerShot(game, {55, 0, 0, 512, 512}, s.playerX, s.playerY, scale, scale, 0, 0.86f, 0, 13, 0,
                                   0.5f);
            break;
        }
        default:
            slot = SpawnPlayerShot(game, {19, 192, 192, 0, 0}, s.playerX, s.playerY, 1, 1, 0, 0.86f, 0, 4, tag, 0.5f);
            break;
    }
    // With the shot pool full there is no bomb object to end the bomb: none runs.
    if (slot < 0) s.bombActive = 0;
}

void UpdateDeathAndRespawn(Game& game) {
    GameState& s = game.state;
    if (s.playerDying) {
        s.deathScale += 0.012f;
        s.invincibleTimer = 999;
        if (s.deathScale >= 1.5f) {
            s.deathScale = 1.0f;
            s.playerX = 224;
            s.playerY = 500;
            s.invincibleTimer = 202;
            s.playerDying = 0;
            s.playerRespawning = 1;
        }
    }
    if (s.playerRespawning) {
        s.playerY -= 2;
        if (s.playerY <= 420) s.playerRespawning = 0;
    }
}

void CreatePlayerSprites(Game& game) {
    Engine& e = game.engine;
    GameState& s = game.state;
    game.shipSprite = std::make_unique<Sprite>(e, s.textures[53], 0, 0, 48, 60);
    game.shipSprite->SetZ(0.8f);
    game.shipSprite->SetHotSpot(24, 30);
    for (auto& opt : game.optionSprites) {
        opt = std::make_unique<Sprite>(e, s.textures[53], 0, 120, 24, 28);
        opt->SetZ(0.8f);
        opt->SetHotSpot(12, 14);
    }
    game.focusSprite = std::make_unique<Sprite>(e, s.textures[23], 28, 28, 8, 8);
    game.focusSprite->SetHotSpot(4, 4);
    game.focusSprite->SetZ(0.3f);
}

void AttachCharacterSprites(Game& game, int character) {
    const HTEXTURE ship = game.state.textures[53];
    if (game.shipSprite) game.shipSprite->SetTexture(ship);
    for (auto& opt : game.optionSprites) {
        if (!opt) continue;
        opt->SetTexture(ship);
        opt->SetHotSpot(Traits(character).optionHotX, 14);
    }
}

}  // namespace korvid
