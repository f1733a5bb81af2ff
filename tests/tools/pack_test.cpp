// The built pack, end to end: it opens with the game's password, holds every
// file the game loads, comes out byte for byte the same on every build, and
// its font, wall map, pictures, music and sound effects meet what the game
// relies on.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../engine/TempDir.h"
#include "PackTestSupport.h"
#include "stages/MusicLoops.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

using packtest::PackMember;
using packtest::PackNames;
using packtest::ReadFileBytes;
using packtest::RunCommand;
using testing::TempDir;

// Every file name the game opens from the pack.
const std::vector<std::string> kRequired = {
    "Graphics/Darkness.png", "Graphics/Fire2.png", "Graphics/auraBG.png", "Graphics/backam1.png",
    "Graphics/backam10.jpg", "Graphics/backam11.png", "Graphics/backam12.png", "Graphics/backam13.png",
    "Graphics/backam14.jpg", "Graphics/backam15.jpg", "Graphics/backam16.jpg", "Graphics/backam17.png",
    "Graphics/backam18.jpg", "Graphics/backam19.jpg", "Graphics/backam2.png", "Graphics/backam20.jpg",
    "Graphics/backam21.jpg", "Graphics/backam22.jpg", "Graphics/backam23.jpg", "Graphics/backam23.png",
    "Graphics/backam24.jpg", "Graphics/backam26.jpg", "Graphics/backam27.jpg", "Graphics/backam3.png",
    "Graphics/backam4.png", "Graphics/backam5.png", "Graphics/backam6.jpg", "Graphics/backam7.png",
    "Graphics/backam8.png", "Graphics/backam9.png", "Graphics/bombs.png", "Graphics/bombsb.png",
    "Graphics/bombsc.png", "Graphics/bullet1.png", "Graphics/bullet2.png", "Graphics/bullet3.png",
    "Graphics/bullet4.png", "Graphics/bullet5.png", "Graphics/bullet6.png", "Graphics/bullet7.png",
    "Graphics/chose2.png", "Graphics/chose3.png", "Graphics/chosewing.png", "Graphics/color.png",
    "Graphics/enemy1.png", "Graphics/fire.png", "Graphics/fog.png", "Graphics/font0.fnt", "Graphics/font0.png",
    "Graphics/font1.png", "Graphics/font2.png", "Graphics/font3.png", "Graphics/font4.png", "Graphics/font5.png",
    "Graphics/font6.png", "Graphics/font7.png", "Graphics/font8.png", "Graphics/lastboss1.jpg",
    "Graphics/lastboss10.jpg", "Graphics/lastboss11.jpg", "Graphics/lastboss12.jpg", "Graphics/lastboss13.jpg",
    "Graphics/lastboss14.jpg", "Graphics/lastboss15.jpg", "Graphics/lastboss16.jpg", "Graphics/lastboss2.jpg",
    "Graphics/lastboss3.jpg", "Graphics/lastboss4.jpg", "Graphics/lastboss5.jpg", "Graphics/lastboss6.jpg",
    "Graphics/lastboss7.jpg", "Graphics/lastboss8.jpg", "Graphics/lastboss9.jpg", "Graphics/logo.png",
    "Graphics/manual_1.png", "Graphics/manual_2.png", "Graphics/manual_3.png", "Graphics/manual_4.png",
    "Graphics/manual_5.png", "Graphics/manual_menu.png", "Graphics/menuchose.png", "Graphics/mtalkst1.png",
    "Graphics/mtalkst2.png", "Graphics/mtalkst3.png", "Graphics/mtalkst3b.png", "Graphics/mtalkst4.png",
    "Graphics/mtalkst5.png", "Graphics/mtalkst6.png", "Graphics/mtalkst6b.png", "Graphics/myshipb.png",
    "Graphics/myshipc.png", "Graphics/objects.png", "Graphics/particles.png", "Graphics/player.png",
    "Graphics/player1.png", "Graphics/player2.png", "Graphics/player2b.png", "Graphics/playerdead.png",
    "Graphics/playerdeadb.png", "Graphics/playerdeadc.png", "Graphics/scname.png", "Graphics/shadow.png",
    "Graphics/shots.png", "Graphics/shotsb.png", "Graphics/shotsc.png", "Graphics/slowmode.png",
    "Graphics/staff.jpg", "Graphics/staff2.png", "Graphics/stage1.png", "Graphics/stage2.png", "Graphics/stage3.png",
    "Graphics/stage4.png", "Graphics/stage4map.png", "Graphics/stage5.png", "Graphics/stage6.png",
    "Graphics/stage7.png", "Graphics/stagechose.png", "Graphics/stalkst1.png", "Graphics/stalkst2.png",
    "Graphics/stalkst3.png", "Graphics/stalkst3b.png", "Graphics/stalkst4.png", "Graphics/stalkst5.png",
    "Graphics/stalkst6.png", "Graphics/stalkst6b.png", "Graphics/stg1enm.png", "Graphics/stg2enm.png",
    "Graphics/stg3enm.png", "Graphics/stg3enm2.png", "Graphics/stg4enm.png", "Graphics/stg4enm2.png",
    "Graphics/stg4enm2_ex.png", "Graphics/stg4enm3.png", "Graphics/stg5enm1.png", "Graphics/stg5enm2.png",
    "Graphics/stg6enm2.png", "Graphics/stg7enm1.png", "Graphics/stgexenm1.png", "Graphics/stgexface.png",
    "Graphics/talk.png", "Graphics/talkst1.png", "Graphics/talkst2.png", "Graphics/talkst3.png",
    "Graphics/talkst3b.png", "Graphics/talkst4.png", "Graphics/talkst5.png", "Graphics/talkst6.png",
    "Graphics/talkst6b.png", "Graphics/title.jpg", "Graphics/titlechose.png", "Graphics/train.png",
    "Graphics/window.png", "Music/music1.ogg", "Music/music1boss.ogg", "Music/music2.mp3", "Music/music2boss.mp3",
    "Music/music3.mp3", "Music/music3boss.mp3", "Music/music4.mp3", "Music/music4boss.ogg", "Music/music5.mp3",
    "Music/music5boss.mp3", "Music/music5bossb.mp3", "Music/music6.mp3", "Music/music6boss.mp3",
    "Music/music6bossb.ogg", "Music/musicex.mp3", "Music/musicexboss.mp3", "Music/staff.mp3", "Music/title.mp3",
    "Music/trueboss.ogg", "SE/1685.wav", "SE/charge.wav", "SE/dissolve_work.wav", "SE/dissolved.wav",
    "SE/se_boon00.wav", "SE/se_border.wav", "SE/se_cat00.wav", "SE/se_ch00.wav", "SE/se_damage00.wav",
    "SE/se_don00.wav", "SE/se_enep00.wav", "SE/se_enep01.wav", "SE/se_enep02.wav", "SE/se_ex.ogg",
    "SE/se_extend.wav", "SE/se_graze.wav", "SE/se_green.mp3", "SE/se_gun00.wav", "SE/se_invalid.wav",
    "SE/se_item00.wav", "SE/se_item01.wav", "SE/se_kira00.wav", "SE/se_kira01.wav", "SE/se_kira02.wav",
    "SE/se_lazer00.wav", "SE/se_lazer01.wav", "SE/se_lazer02.wav", "SE/se_nep00.wav", "SE/se_pldead00.wav",
    "SE/se_power0.wav", "SE/se_power1.wav", "SE/se_powerup.wav", "SE/se_slash.wav", "SE/se_tan00.wav",
    "SE/se_tan01.wav", "SE/se_tan02.wav", "SE/se_timeout.wav", "SE/spark1.wav",
};

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;
    std::uint32_t at(int x, int y) const { return argb[std::size_t(y) * width + x]; }
};

Picture Decode(const std::vector<std::uint8_t>& bytes) {
    Picture p;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    SDL_Surface* loaded = rw ? IMG_Load_RW(rw, 1) : nullptr;
    if (!loaded) return p;
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!s) return p;
    p.width = s->w;
    p.height = s->h;
    p.argb.resize(std::size_t(s->w) * s->h);
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
        std::copy_n(reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch),
                    s->w, p.argb.begin() + std::ptrdiff_t(y) * s->w);
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return p;
}

struct Sound {
    double seconds = 0;
    float peak = 0, rms = 0;
    bool ok = false;
};

Sound DecodeSound(const TempDir& dir, const std::string& name) {
    Sound out;
    std::string path = dir.file("sound");
    std::vector<std::uint8_t> bytes = PackMember(name);
    if (bytes.empty()) return out;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    SF_INFO info{};
    SNDFILE* sf = sf_open(path.c_str(), SFM_READ, &info);
    if (!sf) return out;
    std::vector<float> samples(std::size_t(info.frames) * std::size_t(info.channels));
    sf_count_t got = sf_readf_float(sf, samples.data(), info.frames);
    sf_close(sf);
    samples.resize(std::size_t(got) * std::size_t(info.channels));
    double sum = 0;
    for (float v : samples) {
        out.peak = std::max(out.peak, std::fabs(v));
        sum += double(v) * v;
    }
    out.rms = samples.empty() ? 0 : float(std::sqrt(sum / double(samples.size())));
    out.seconds = double(got) / info.samplerate;
    out.ok = got > 0;
    return out;
}

TEST(PackTest, OpensWithTheGamePasswordAndOnlyWithIt) {
    packtest::CommandResult good =
        RunCommand(std::string("unzip -P ") + packtest::kPackPassword + " -tq '" + packtest::kPackPath + "' 2>&1");
    EXPECT_EQ(good.exitCode, 0) << good.output;
    EXPECT_NE(good.output.find("No errors detected"), std::string::npos) << good.output;

    packtest::CommandResult bad = RunCommand(std::string("unzip -P qorvantelmisbf -tq '") + packtest::kPackPath + "' 2>&1");
    EXPECT_NE(bad.exitCode, 0) << "a wrong password must not unpack the members";
}

TEST(PackTest, HoldsEveryFileTheGameLoadsInNameOrder) {
    std::vector<std::string> names = PackNames();
    ASSERT_FALSE(names.empty());
    std::set<std::string> present(names.begin(), names.end());
    for (const std::string& want : kRequired) EXPECT_TRUE(present.count(want)) << "missing " << want;
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end())) << "members are written in name order";
    EXPECT_EQ(present.size(), names.size()) << "no member appears twice";
}

TEST(PackTest, SameManifestGivesTheSameBytesWhateverTheThreadCount) {
    TempDir dir;
    std::string one = dir.file("one.zip"), two = dir.file("two.zip");
    std::string base = "'" + packtest::kPackgenPath + "' --root '" + korvid::test::SourceDir() + "' --quiet";
    ASSERT_EQ(RunCommand(base + " --jobs 1 --out '" + one + "'").exitCode, 0);
    ASSERT_EQ(RunCommand(base + " --jobs 2 --out '" + two + "'").exitCode, 0);
    std::vector<std::uint8_t> a = ReadFileBytes(one), b = ReadFileBytes(two), built = ReadFileBytes(packtest::kPackPath);
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == b) << "one and two worker threads gave different packs";
    EXPECT_TRUE(a == built) << "a rebuild differs from the pack the build made";
}

TEST(PackTest, BitmapFontDescribesEveryPrintableCharacterInsideItsPicture) {
    std::vector<std::uint8_t> fnt = PackMember("Graphics/font0.fnt");
    Picture atlas = Decode(PackMember("Graphics/font0.png"));
    ASSERT_FALSE(fnt.empty());
    ASSERT_GT(atlas.width, 0);
    std::istringstream in(std::string(fnt.begin(), fnt.end()));
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "[HGEFONT]");
    std::set<int> codes;
    bool bitmap = false;
    while (std::getline(in, line)) {
        if (line.rfind("Bitmap", 0) == 0) {
            char name[64] = {};
            EXPECT_EQ(std::sscanf(line.c_str(), "Bitmap = %63s", name), 1);
            EXPECT_STREQ(name, "font0.png");
            bitmap = true;
        }
        if (line.rfind("Char", 0) != 0) continue;
        std::string rest = line.substr(line.find('=') + 1);
        int code = 0;
        std::size_t comma;
        if (rest[0] == '"') {
            code = static_cast<unsigned char>(rest[1]);
            comma = 3;
        } else {
            comma = rest.find(',');
            code = std::stoi(rest.substr(0, comma), nullptr, 16);
        }
        int x, y, w, h, pre, post;
        ASSERT_EQ(std::sscanf(rest.c_str() + comma, " , %d , %d , %d , %d , %d , %d", &x, &y, &w, &h, &pre, &post), 6)
            << line;
        EXPECT_TRUE(x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= atlas.width && y + h <= atlas.height) << line;
        codes.insert(code);
    }
    EXPECT_TRUE(bitmap);
    for (int c = 32; c <= 126; ++c) EXPECT_TRUE(codes.count(c)) << "no glyph for character " << c;
}

// The stage-4 wall map is read pixel by pixel: free space must be exactly
// 0x00FFFFFF, and the cave must leave the player a way through on every row.
TEST(PackTest, WallMapMarksFreeSpaceExactlyAndLeavesAWayThrough) {
    Picture map = Decode(PackMember("Graphics/stage4map.png"));
    ASSERT_EQ(map.width, 480);
    ASSERT_GE(map.height, 2480);
    std::size_t free = 0, clearButNotWhite = 0;
    for (std::uint32_t p : map.argb) {
        if (p == 0x00FFFFFFu) ++free;
        else if ((p >> 24) == 0) ++clearButNotWhite;
    }
    EXPECT_EQ(clearButNotWhite, 0u);
    EXPECT_GT(free, map.argb.size() / 4);
    EXPECT_LT(free, map.argb.size()) << "the map has walls";
    // The player moves within x 40..406; each scrolled row needs a wide gap there.
    for (int y = 0; y < 2000; y += 4) {
        int best = 0, run = 0;
        for (int x = 40; x <= 406; ++x) {
            run = map.at(x, y) == 0x00FFFFFFu ? run + 1 : 0;
            best = std::max(best, run);
        }
        EXPECT_GE(best, 90) << "row " << y << " is too narrow to fly through";
    }
}

TEST(PackTest, PicturesDecodeAndHoldTheRectanglesCutFromThem) {
    // Smallest sizes that hold every rectangle the game cuts from these sheets.
    const std::map<std::string, std::pair<int, int>> minimum = {
        {"Graphics/logo.png", {640, 480}},       {"Graphics/window.png", {640, 480}},
        {"Graphics/bullet1.png", {512, 496}},    {"Graphics/bullet2.png", {256, 320}},
        {"Graphics/bullet3.png", {384, 320}},    {"Graphics/bullet5.png", {272, 256}},
        {"Graphics/enemy1.png", {960, 512}},     {"Graphics/font1.png", {256, 256}},
        {"Graphics/font2.png", {452, 480}},      {"Graphics/font3.png", {544, 512}},
        {"Graphics/scname.png", {570, 2461}},    {"Graphics/title.jpg", {1920, 720}},
        {"Graphics/chose2.png", {320, 644}},     {"Graphics/chose3.png", {320, 864}},
        {"Graphics/stagechose.png", {320, 835}}, {"Graphics/chosewing.png", {516, 480}},
        {"Graphics/manual_menu.png", {640, 340}}, {"Graphics/player.png", {864, 340}},
        {"Graphics/myshipb.png", {960, 340}},    {"Graphics/shotsb.png", {384, 1011}},
        {"Graphics/playerdead.png", {620, 1700}}, {"Graphics/backam10.jpg", {512, 1792}},
        {"Graphics/backam17.png", {448, 1903}},  {"Graphics/backam26.jpg", {1250, 1100}},
        {"Graphics/backam21.jpg", {1850, 710}},  {"Graphics/stg6enm2.png", {704, 1024}},
        {"Graphics/stg4enm3.png", {1677, 256}},  {"Graphics/staff2.png", {370, 1330}},
        {"Graphics/lastboss16.jpg", {480, 620}}, {"Graphics/talk.png", {352, 80}},
    };
    for (const std::string& name : kRequired) {
        bool picture = name.size() > 4 && (name.compare(name.size() - 4, 4, ".png") == 0 ||
                                           name.compare(name.size() - 4, 4, ".jpg") == 0);
        if (!picture) continue;
        Picture p = Decode(PackMember(name));
        EXPECT_GT(p.width, 0) << name << " does not decode";
        auto it = minimum.find(name);
        if (it == minimum.end()) continue;
        EXPECT_GE(p.width, it->second.first) << name;
        EXPECT_GE(p.height, it->second.second) << name;
    }
}

TEST(PackTest, MusicTracksDifferInLengthAndNothingClips) {
    TempDir dir;
    std::vector<std::pair<double, std::string>> lengths;
    for (const std::string& name : kRequired) {
        if (name.rfind("Music/", 0) != 0) continue;
        Sound s = DecodeSound(dir, name);
        ASSERT_TRUE(s.ok) << name;
        EXPECT_GE(s.seconds, 20.0) << name;
        EXPECT_LE(s.peak, 1.0f) << name;
        EXPECT_GT(s.rms, 0.02f) << name << " is nearly silent";
        lengths.push_back({s.seconds, name});
    }
    ASSERT_EQ(lengths.size(), 19u);
    std::sort(lengths.begin(), lengths.end());
    // The music room tells the playing track apart by its length.
    for (std::size_t i = 1; i < lengths.size(); ++i)
        EXPECT_GT(lengths[i].first - lengths[i - 1].first, 0.25) << lengths[i - 1].second << " vs " << lengths[i].second;
    // Stage 3 plays its track once, not looped, until its boss at about 153 seconds.
    EXPECT_GE(DecodeSound(dir, "Music/music3.mp3").seconds, 153.5);
}

// Pictures drawn partly past the window's right edge keep the part that
// falls outside clear: the settings rows, pushed to x 624 at 0.8 scale
// while the key list is shown, leave their first 20 columns empty; the
// replay screen's stage cards, drawn at x 400, end before column 240; the
// manual's pages, drawn at (-10, 20), keep their panel inside the window.
TEST(PackTest, PicturesAtTheWindowEdgeLeaveTheirCutOffPartClear) {
    auto clear = [](const Picture& p, int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (p.at(x, y) >> 24) return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
        return std::string();
    };
    const Picture settings = Decode(PackMember("Graphics/chose3.png"));
    ASSERT_GT(settings.width, 0);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(clear(settings, 0, 36 * row, 20, 36 * row + 36), "") << "settings row " << row;
    const Picture cards = Decode(PackMember("Graphics/stagechose.png"));
    ASSERT_GT(cards.width, 0);
    for (int stage = 1; stage <= 7; ++stage)
        EXPECT_EQ(clear(cards, 240, 120 * (stage - 1), 320, 120 * (stage - 1) + 115), "") << "stage card " << stage;
    for (int page = 1; page <= 5; ++page) {
        const Picture manual = Decode(PackMember("Graphics/manual_" + std::to_string(page) + ".png"));
        ASSERT_GT(manual.width, 0);
        EXPECT_EQ(clear(manual, 0, 0, 10, 480), "") << "manual page " << page << ", left of the window";
        EXPECT_EQ(clear(manual, 0, 460, 640, 480), "") << "manual page " << page << ", below the window";
    }
}

// Character select lays the three portraits 90 pixels apart, 172 wide, so
// each covers the next one's first 82 columns or is covered from column 90
// on. A name kept in the first 82 columns of its portrait is either whole
// or hidden, never cut: the rows under the figures hold nothing else there.
TEST(PackTest, CharacterNamesStayWhereNoNeighbourCutsThem) {
    const Picture wings = Decode(PackMember("Graphics/chosewing.png"));
    ASSERT_GT(wings.width, 0);
    for (int character = 0; character < 3; ++character) {
        const int x0 = 172 * character;
        int lettered = 0;
        for (int y = 441; y < 480; ++y) {
            for (int x = x0 + 82; x < x0 + 172; ++x)
                ASSERT_EQ(wings.at(x, y), wings.at(x0 + 171, y)) << "character " << character << " at (" << x << ", " << y << ")";
            for (int x = x0; x < x0 + 82; ++x) lettered += wings.at(x, y) != wings.at(x0 + 171, y) ? 1 : 0;
        }
        EXPECT_GT(lettered, 200) << "character " << character << ": the name";
    }
}

float Luminance(std::uint32_t argb) {
    const float r = float((argb >> 16) & 255) / 255, g = float((argb >> 8) & 255) / 255, b = float(argb & 255) / 255;
    return 0.2126f * r + 0.7152f * g + 0.0722f * b;
}

// Bullets read against the ground they fly over: every enemy bullet cell of
// the main sheet has a bright core and a rim much darker than it, and every
// backdrop is dark and greyish, with nothing near a core's brightness (no
// specks a player could take for a bullet).
TEST(PackTest, BulletsHaveABrightCoreAndADarkRimOverADarkGround) {
    const Picture sheet = Decode(PackMember("Graphics/bullet1.png"));
    ASSERT_GT(sheet.width, 0);
    // Cells of the rows that are not bullets: the life and bomb icons, and
    // a white strip the lasers are cut from.
    const std::set<std::pair<int, int>> notBullets = {{96, 160}, {160, 160}, {64, 192}};
    float dimmestCore = 1;
    int cells = 0;
    for (int y0 = 0; y0 < 208; y0 += 16) {
        for (int x0 = 0; x0 < 512; x0 += 16) {
            if (notBullets.count({x0, y0})) continue;
            float core = 0, rim = 1;
            int opaque = 0;
            for (int y = y0; y < y0 + 16; ++y)
                for (int x = x0; x < x0 + 16; ++x) {
                    const std::uint32_t p = sheet.at(x, y);
                    if ((p >> 24) < 192) continue;
                    ++opaque;
                    core = std::max(core, Luminance(p));
                    rim = std::min(rim, Luminance(p));
                }
            if (opaque < 4) continue;  // an empty cell
            ++cells;
            const std::string where = "cell (" + std::to_string(x0) + ", " + std::to_string(y0) + ")";
            EXPECT_GE(core, 0.8f) << where;
            EXPECT_GE(core - rim, 0.4f) << where << " core " << core << " rim " << rim;
            dimmestCore = std::min(dimmestCore, core);
        }
    }
    EXPECT_GT(cells, 300);

    // Every ground, sky and spell backdrop the stages draw under their
    // bullets, as it shows over black at the alpha the game draws it with
    // (the stage-1 veil and the stage-3 boss circle are laid at part
    // strength; the time-stop disc is the sheet's first 256 square; the
    // fog drifts over stage 1 at full strength): dark
    // and greyish on the whole, and even its brightest and most colourful
    // specks (the top thousandth: stars, glints, grid lines, circle strokes)
    // well under the dimmest bullet core and short of a bullet rim's colour.
    struct Ground {
        const char* name;
        int alpha = 255;
        int side = 0;  // only the top-left side x side square is drawn
    };
    const Ground grounds[] = {
        {"Graphics/backam1.png"},   {"Graphics/backam3.png"},        {"Graphics/backam4.png"},
        {"Graphics/backam5.png", 0x7D}, {"Graphics/backam7.png"},    {"Graphics/backam8.png"},
        {"Graphics/backam9.png"},   {"Graphics/backam10.jpg"},       {"Graphics/backam11.png", 255, 256},
        {"Graphics/backam12.png", 0x4B}, {"Graphics/backam13.png"},  {"Graphics/backam14.jpg"},
        {"Graphics/backam15.jpg"},  {"Graphics/backam16.jpg"},       {"Graphics/backam17.png"},
        {"Graphics/backam18.jpg"},  {"Graphics/backam19.jpg"},       {"Graphics/backam20.jpg"},
        {"Graphics/backam21.jpg"},  {"Graphics/backam22.jpg"},       {"Graphics/backam23.jpg"},
        {"Graphics/backam23.png"},  {"Graphics/backam24.jpg"},       {"Graphics/backam26.jpg"},
        {"Graphics/backam27.jpg"},  {"Graphics/lastboss1.jpg"},      {"Graphics/lastboss2.jpg"},
        {"Graphics/lastboss3.jpg"}, {"Graphics/lastboss4.jpg"},      {"Graphics/lastboss5.jpg"},
        {"Graphics/lastboss6.jpg"}, {"Graphics/lastboss7.jpg"},      {"Graphics/lastboss8.jpg"},
        {"Graphics/lastboss9.jpg"}, {"Graphics/lastboss10.jpg"},     {"Graphics/lastboss11.jpg"},
        {"Graphics/lastboss12.jpg"}, {"Graphics/lastboss13.jpg"},    {"Graphics/lastboss14.jpg"},
        {"Graphics/lastboss15.jpg"}, {"Graphics/fog.png"},
    };
    for (const Ground& ground : grounds) {
        const Picture picture = Decode(PackMember(ground.name));
        ASSERT_GT(picture.width, 0) << ground.name;
        const int w = ground.side ? ground.side : picture.width, h = ground.side ? ground.side : picture.height;
        std::vector<float> seen, colour;
        double sum = 0, colourSum = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint32_t p = picture.at(x, y);
                const float a = float(p >> 24) / 255 * float(ground.alpha) / 255;
                const float r = float((p >> 16) & 255) / 255, g = float((p >> 8) & 255) / 255, b = float(p & 255) / 255;
                seen.push_back(Luminance(p) * a);
                colour.push_back((std::max({r, g, b}) - std::min({r, g, b})) * a);
                sum += seen.back();
                colourSum += colour.back();
            }
        std::sort(seen.begin(), seen.end());
        std::sort(colour.begin(), colour.end());
        const std::size_t top = seen.size() - 1 - seen.size() / 1000;
        const std::string name = ground.name;
        EXPECT_LE(sum / double(seen.size()), 0.25) << name << ": the mean";
        EXPECT_LE(seen[top], dimmestCore - 0.3f) << name << ": the brightest thousandth against the dimmest bullet core";
        EXPECT_LE(colourSum / double(colour.size()), 0.25) << name << ": the mean colourfulness";
        EXPECT_LE(colour[top], 0.45f) << name << ": the most colourful thousandth";
    }
}

// The player's own shots never hide an enemy bullet: every cell the three
// characters fire (focused or not, with the laser's glow, sparks and end,
// and the mine's blast with the line it hurts along) is
// see-through at its most opaque texel, and mostly clear over its box, so
// that even the overlapping copies of a stream (most are tinted again and
// added to the frame) leave what flies under them readable.
TEST(PackTest, PlayerShotsLetEnemyBulletsShowThrough) {
    struct Cell {
        const char* sheet;
        int x, y, w, h;
    };
    const Cell cells[] = {
        {"Graphics/shots.png", 96, 120, 48, 56},  {"Graphics/shots.png", 92, 0, 52, 60},
        {"Graphics/shots.png", 12, 278, 46, 100}, {"Graphics/shotsb.png", 12, 0, 38, 68},
        {"Graphics/shotsb.png", 0, 128, 72, 896}, {"Graphics/shotsb.png", 294, 121, 90, 472},
        {"Graphics/shotsb.png", 112, 130, 142, 477}, {"Graphics/shotsc.png", 0, 0, 104, 124},
        {"Graphics/shotsc.png", 9, 201, 124, 130}, {"Graphics/player1.png", 0, 192, 64, 64},
        {"Graphics/shotsc.png", 256, 0, 256, 256}, {"Graphics/shotsc.png", 256, 256, 16, 256},
    };
    for (const Cell& c : cells) {
        const Picture sheet = Decode(PackMember(c.sheet));
        ASSERT_GT(sheet.width, 0) << c.sheet;
        int most = 0;
        double sum = 0;
        for (int y = c.y; y < c.y + c.h; ++y)
            for (int x = c.x; x < c.x + c.w; ++x) {
                const int a = int(sheet.at(x, y) >> 24);
                most = std::max(most, a);
                sum += a / 255.0;
            }
        const std::string where = std::string(c.sheet) + " (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")";
        EXPECT_GT(most, 60) << where << ": the shot is there";
        EXPECT_LE(most, 105) << where << ": its most opaque texel";
        EXPECT_LE(sum / (c.w * c.h), 0.2) << where << ": its mean cover";
    }
}

// The English pictures stand beside the Chinese ones, the same size, with
// other words on them (the side panel's labels).
TEST(PackTest, EnglishPicturesStandBesideTheChineseOnes) {
    const Picture chinese = Decode(PackMember("Graphics/window.png"));
    const Picture english = Decode(PackMember("English/Graphics/window.png"));
    ASSERT_GT(english.width, 0);
    EXPECT_EQ(english.width, chinese.width);
    EXPECT_EQ(english.height, chinese.height);
    int differ = 0;
    for (int y = 30; y < 210; ++y)
        for (int x = 452; x < 490; ++x) differ += english.at(x, y) != chinese.at(x, y) ? 1 : 0;
    EXPECT_GT(differ, 300) << "the labels";
    EXPECT_EQ(english.at(200, 240), chinese.at(200, 240)) << "the rest alike";

    // The point item's mark is a word too: the item sheet has its English
    // form, the point cell marked otherwise and the power cell beside it
    // the same.
    const Picture items = Decode(PackMember("Graphics/bullet4.png"));
    const Picture itemsEnglish = Decode(PackMember("English/Graphics/bullet4.png"));
    ASSERT_EQ(itemsEnglish.width, items.width);
    int pointDiffers = 0, powerDiffers = 0;
    for (int y = 96; y < 112; ++y)
        for (int x = 0; x < 16; ++x) {
            powerDiffers += itemsEnglish.at(x, y) != items.at(x, y) ? 1 : 0;
            pointDiffers += itemsEnglish.at(x + 16, y) != items.at(x + 16, y) ? 1 : 0;
        }
    EXPECT_GT(pointDiffers, 20) << "the point item's mark";
    EXPECT_EQ(powerDiffers, 0) << "the power item";
}

// Every tune a stage's loop rule can apply to lasts past its loop point by
// a few seconds, so the rule fires instead of the tune ending or wrapping
// on its own first.
TEST(PackTest, TunesLastPastTheLoopPointsTheStagesUse) {
    TempDir dir;
    for (const MusicLoop& loop : kMusicLoops) {
        const Sound s = DecodeSound(dir, loop.tune);
        ASSERT_TRUE(s.ok) << loop.tune;
        EXPECT_GE(s.seconds, loop.at + 3.0) << loop.tune << " in stage " << loop.stage << " loops at " << loop.at;
        EXPECT_LT(loop.to, loop.at) << loop.tune;
    }
}

TEST(PackTest, SoundEffectsAreShortAudibleAndUnclipped) {
    TempDir dir;
    int count = 0;
    for (const std::string& name : kRequired) {
        if (name.rfind("SE/", 0) != 0) continue;
        Sound s = DecodeSound(dir, name);
        ASSERT_TRUE(s.ok) << name;
        EXPECT_GT(s.seconds, 0.01) << name;
        EXPECT_LT(s.seconds, 3.0) << name;
        EXPECT_LT(s.peak, 0.99f) << name;
        EXPECT_GT(s.rms, 0.005f) << name;
        ++count;
    }
    EXPECT_EQ(count, 38);
}

}  // namespace
}  // namespace korvid
