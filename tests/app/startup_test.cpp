// What a player sees when the game's files are wrong: a pack that is missing,
// damaged or locked with another password stops the game with one line and
// status 2; a damaged settings file falls back to the shipped values; an
// installed game finds its pack and settings from anywhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "ZipWriter.h"
#include "engine/ImageCodec.h"
#include "engine/TempDir.h"
#include "tools/PackTestSupport.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

using packgen::ZipWriter;
using packtest::RunCommand;

std::string korvid() { return korvid::test::BinaryDir() + "/korvid --headless"; }

void writeBytes(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
}

TEST(Startup, AnUnusablePackStopsTheGameWithOneLineAndStatus2) {
    korvid::testing::TempDir dir;
    const fs::path game = dir.file("game");
    const std::vector<std::uint8_t> good = packtest::ReadFileBytes(packtest::kPackPath);
    ASSERT_GT(good.size(), 1000u);

    writeBytes(dir.file("truncated.zip"), {good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 3)});
    ZipWriter other("not-the-password");
    other.add("Graphics/font0.fnt", packtest::PackMember("Graphics/font0.fnt"));
    writeBytes(dir.file("other.zip"), other.finish());

    struct Case {
        std::string pack, why;
    };
    const Case cases[] = {{dir.file("absent.zip"), "missing"},
                          {dir.file("truncated.zip"), "damaged"},
                          {dir.file("other.zip"), "password"}};
    for (const Case& c : cases) {
        const auto r = RunCommand(korvid() + " --frames 5 --dir " + game.string() + " --pack " + c.pack + " 2>&1");
        EXPECT_EQ(r.exitCode, 2) << c.pack;
        EXPECT_NE(r.output.find("cannot use the resource pack " + c.pack), std::string::npos) << r.output;
        EXPECT_NE(r.output.find(c.why), std::string::npos) << r.output;
        EXPECT_NE(r.output.find("make pack"), std::string::npos) << r.output;
    }
}

// Title -> Start -> difficulty -> character -> play, then Left held.
std::string playAndHoldLeft(const fs::path& gameDir, const fs::path& keys) {
    std::ofstream(keys) << "250 RETURN\n280 RETURN\n360 Z\n500-600 LEFT\n";
    const auto r = RunCommand(korvid() + " --frames 620 --print-state --dir " + gameDir.string() + " --keys " +
                              keys.string() + " --pack " + packtest::kPackPath + " 2>&1");
    return r.output;
}

TEST(Startup, DamagedSettingsFallBackToTheShippedValuesAndStayOnDisk) {
    korvid::testing::TempDir dir;
    std::mt19937 noise(7);
    std::string garbage(4096, '\0');
    for (char& ch : garbage) ch = static_cast<char>(noise() & 0xFF);
    const std::string withoutLeft = "[按键]\r\n上移=38\r\n下移=40\r\n右移=39\r\n低速=16\r\n射击=90\r\nBomb=88\r\n";

    for (const std::string& content : {garbage, withoutLeft}) {
        const fs::path game = dir.file(content.size() > 1000 ? "noise" : "noleft");
        fs::create_directories(game);
        std::ofstream(game / "按键设置.ini", std::ios::binary) << content;
        const std::string out = playAndHoldLeft(game, dir.file("keys.txt"));
        EXPECT_NE(out.find("using the shipped settings for"), std::string::npos) << out;
        EXPECT_NE(out.find("按键/左移"), std::string::npos) << out;
        const auto x = out.find(" x=");
        ASSERT_NE(x, std::string::npos) << out;
        EXPECT_LT(std::stof(out.substr(x + 3)), 224.0f) << "Left moves the ship: " << out;
        // The file is the player's until they save.
        std::ifstream in(game / "按键设置.ini", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), content);
    }
}

TEST(Startup, AnInstalledGameStartsFromAnotherFolder) {
    korvid::testing::TempDir dir;
    const fs::path prefix = dir.file("prefix");
    const auto install = RunCommand("cmake --install " + korvid::test::BinaryDir() + " --prefix " +
                                    prefix.string() + " 2>&1");
    ASSERT_EQ(install.exitCode, 0) << install.output;
    for (const char* f : {"bin/korvid", "share/korvid/gamedat.zip", "share/korvid/data/按键设置.ini",
                          "share/applications/korvid.desktop", "share/icons/hicolor/128x128/apps/korvid.png"})
        EXPECT_TRUE(fs::exists(prefix / f)) << f;

    const fs::path elsewhere = dir.file("elsewhere");
    fs::create_directories(elsewhere);
    const auto run = RunCommand("cd " + elsewhere.string() + " && " + (prefix / "bin/korvid").string() +
                                " --headless --frames 260 --print-state --dir " + (elsewhere / "g").string() + " 2>&1");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("screen="), std::string::npos) << run.output;
    EXPECT_TRUE(fs::exists(elsewhere / "g" / "按键设置.ini")) << "the shipped settings were copied";

    if (fs::exists("/usr/bin/desktop-file-validate")) {
        const auto v = RunCommand("desktop-file-validate " + (prefix / "share/applications/korvid.desktop").string() + " 2>&1");
        EXPECT_EQ(v.exitCode, 0) << v.output;
    }
}

TEST(Startup, TheScreenshotKeyWritesNumberedPicturesWithoutTouchingPlay) {
    korvid::testing::TempDir dir;
    const std::string base = "250 RETURN\n280 RETURN\n360 Z\n400-700 UP+Z\n";
    std::ofstream(dir.file("plain.txt")) << base;
    std::ofstream(dir.file("shots.txt")) << base << "450-452 F12\n600 F12\n";
    auto run = [&](const std::string& keys, const std::string& game) {
        return RunCommand(korvid() + " --frames 720 --print-state --dir " + dir.file(game) + " --keys " +
                          dir.file(keys) + " --pack " + packtest::kPackPath + " 2>&1");
    };
    const auto plain = run("plain.txt", "g1");
    const auto shots = run("shots.txt", "g2");
    ASSERT_EQ(plain.exitCode, 0) << plain.output;
    const auto hash = [](const std::string& out) { return out.substr(out.rfind("hash=")); };
    EXPECT_EQ(hash(plain.output), hash(shots.output));
    EXPECT_FALSE(fs::exists(fs::path(dir.file("g1")) / "screenshots"));
    for (const char* name : {"korvid-0001.png", "korvid-0002.png"}) {
        const auto bytes = packtest::ReadFileBytes((fs::path(dir.file("g2")) / "screenshots" / name).string());
        ArgbImage image;
        ASSERT_TRUE(DecodeImage(bytes.data(), bytes.size(), image)) << name;
        EXPECT_EQ(image.width, 640);
        EXPECT_EQ(image.height, 480);
    }
    EXPECT_FALSE(fs::exists(fs::path(dir.file("g2")) / "screenshots" / "korvid-0003.png")) << "one per press";
}

}  // namespace
}  // namespace korvid
