// One running game: the engine it draws with, its state, and the shared
// sprites and fonts. Every rule takes a Game& (or a narrower piece), so two
// games can run side by side in one process.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "game/GameState.h"
#include "engine/BitmapFont.h"
#include "engine/DistortionMesh.h"
#include "engine/GlyphFont.h"
#include "engine/Engine.h"
#include "engine/Sprite.h"
#include "engine/TextInputBox.h"
#include "game/MenuRecords.h"
#include "game/RecordBook.h"
#include "game/Rules.h"

namespace korvid {

struct Game {
    template <int N>
    static constexpr std::array<std::uint8_t, N> allBands() {
        std::array<std::uint8_t, N> a{};
        a.fill(0xFF);
        return a;
    }

    explicit Game(Engine& e) : engine(e) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Engine& engine;
    // The stages, fights and boss bullets this game plays by.
    const Rules* rules = &BuiltInRules();
    GameState state;
    // The in-play order's bullet bands some enemy bullet may sit in during
    // this frame's walks: found by the first bullet walk, and added to by
    // whatever sets a bullet's z while the walks run (spawns, phase
    // changes: NoteBulletZ). A later band's walk with no bullet is skipped.
    std::uint8_t bulletBands = 0xFF;
    // The same for the effect bands: found by the first effect walk and
    // added to by effect spawns (NoteEffectZ), the only place an effect's z
    // is set.
    std::uint8_t effectBands = 0xFF;
    // The same kept per slot: the bands a taken bullet or effect may be in
    // (a superset; the walks still test the z itself). A later walk rules
    // out eight slots at a time when none is taken with its band's bit.
    std::array<std::uint8_t, kEnemyBulletCapacity> bulletBandOf = allBands<kEnemyBulletCapacity>();
    std::array<std::uint8_t, kEffectCapacity> effectBandOf = allBands<kEffectCapacity>();
    // Each bullet slot's last laser bearing and the slope tan gave for it. A
    // laser keeps its bearing for many frames, and the slope is a function
    // of the bearing alone, so a known bearing gives back the same slope.
    struct LaserSlope {
        float angle = 0, slope = 0;
        bool known = false;
    };
    std::array<LaserSlope, kEnemyBulletCapacity> laserSlopes{};
    std::string gameDir;  // folder with the settings, score file and replays
    // The language the game's pictures and texts are shown in: 0 Chinese,
    // 1 English (the settings file's choice). Pictures only: play never
    // reads it, so replays and the state do not depend on it.
    int language = 0;

    std::unique_ptr<BitmapFont> menuFont;
    // Free text: "宋体" 14 for the text boxes, "黑体" 16 for lists and white
    // text, "黑体" 18 for outlined text. Made before start-up.
    std::unique_ptr<GlyphFont> songFont14;
    std::unique_ptr<GlyphFont> heiFont16;
    std::unique_ptr<GlyphFont> heiFont18;
    std::unique_ptr<Sprite> screenSprite;
    std::unique_ptr<Sprite> uiSprite;
    // Made at the first title visit: the side panel, the ship, its two
    // options and the focus indicator.
    std::unique_ptr<Sprite> panelSprite;
    std::unique_ptr<Sprite> shipSprite;
    std::unique_ptr<Sprite> optionSprites[2];
    std::unique_ptr<Sprite> focusSprite;
    // The HUD's digit glyphs (font1), icons (bullet1) and power bar (bullet3).
    std::unique_ptr<Sprite> hudGlyph;
    std::unique_ptr<Sprite> hudIcon;
    std::unique_ptr<Sprite> hudPowerBar;

    // --- menus ---
    // The replay save screen's boxes (name, player, key, description), made
    // when the screen opens and deleted when it closes. The group outlives
    // its boxes (members are destroyed in reverse order).
    std::unique_ptr<BoxFont> textBoxFont;
    std::unique_ptr<TextInputGroup> textBoxGroup;
    std::array<std::unique_ptr<TextInputBox>, 4> saveBoxes;
    ReplaySlotList replaySlots;
    // The saved high scores and spell-card history (null: this game keeps
    // none, as in tests), and the game waiting for its name to be entered.
    std::unique_ptr<RecordBook> records;
    struct PendingRecord {
        bool open = false;
        ScoreRecord entry;
        int difficulty = 0, character = 1;
        int place = -1;
        int then = 0;  // what follows: 0 the title, 12 the replay save screen
    } pendingRecord;
    std::unique_ptr<TextInputGroup> nameBoxGroup;
    std::unique_ptr<TextInputBox> nameBox;  // destroyed before its group
    // The records screen: the table shown and the card cursor.
    struct RecordsView {
        int difficulty = 0, character = 1;
        int page = 0;     // 0 the high scores, 1 the spell cards
        int cardCursor = 0;
    } recordsView;
    // The music room's last choice: the stream it started and its file.
    HSTREAM musicRoomStream = 0;
    std::string musicRoomFile;
    int manualPage = 0;      // the manual page loaded
    HTEXTURE manualPageTexture = 0;
    // The last save that failed (a replay, the settings): shown on the
    // screen it was made from until the player leaves it or a save there
    // succeeds. `screen` is -1 when nothing failed.
    struct SaveFailure {
        int screen = -1;
        std::string file;  // as the player knows it: "Replay/rvx07.rpy"
    } saveFailure;

    // --- stage effects ---
    // The extra boss's sky, made when its sky effect begins; every end of
    // stage (clear, retry, quit) deletes it.
    std::unique_ptr<DistortionMesh> skyMesh;
    // The sky's time of day (hours in [0, 24)), how fast it runs (hours a
    // frame) and the frames it has been drawn (its ripple). Pictures only:
    // play never reads them, so replays do not depend on the hour.
    struct SkyClock {
        double hour = 0, speed = 0;
        int frames = 0;
    } sky;
    // Where the sky's hour starts when it is made: null for the local time
    // of day; tests set their own.
    double (*skyHourNow)() = nullptr;
    // The extra boss's pictures, in texture entries the stages never load:
    // its first backdrop, the sky's sheet and its last backdrop. Freed with
    // the sky at every end of stage.
    static constexpr int kBossPictureEntries[3] = {47, 48, 49};

    // Random numbers for play: one generator, seeded at each stage load.
    int rand() { return state.rng.next(); }
    void srand(std::uint32_t seed) { state.rng.seed(seed); }
};

}  // namespace korvid
