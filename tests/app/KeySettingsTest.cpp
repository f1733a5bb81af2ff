#include "game/KeySettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "../engine/TempDir.h"
#include "FileBytes.h"
#include "game/ProfileFile.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

using testing::FolderEntries;
using testing::ReadBytes;
using testing::TempDir;

bool SameSettings(const KeySettings& a, const KeySettings& b) {
    return std::equal(std::begin(a.keys), std::end(a.keys), std::begin(b.keys)) && a.bgmVolume == b.bgmVolume &&
           a.seVolume == b.seVolume && a.autoBomb == b.autoBomb && a.windowMode == b.windowMode;
}

TEST(KeySettings, ShippedFileGivesArrowsShiftZXCtrlAndIsGbkWithCrlf) {
    const std::string path = korvid::test::SourcePath("/data/") + kKeySettingsFileName;
    KeySettings settings;
    ASSERT_TRUE(LoadKeySettings(path, settings));
    const int expectedKeys[kKeyBindingCount] = {38, 40, 37, 39, 16, 90, 88, 17};
    EXPECT_TRUE(std::equal(std::begin(expectedKeys), std::end(expectedKeys), std::begin(settings.keys)));
    EXPECT_EQ(settings.bgmVolume, 80);
    EXPECT_EQ(settings.seVolume, 80);
    EXPECT_EQ(settings.autoBomb, 0);
    EXPECT_EQ(settings.windowMode, 1);

    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.find("按键"), std::string::npos) << "shipped names are GBK, not UTF-8";
    EXPECT_NE(bytes.find("[\xB0\xB4\xBC\xFC]\r\n"), std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'));
}

TEST(KeySettings, SavedSettingsLoadBackAndKeepTheRestOfTheFile) {
    TempDir folder;
    const std::string path = folder.file(kKeySettingsFileName);
    folder.write(kKeySettingsFileName, "[Mods]\r\ncheat=1\r\n");

    KeySettings saved;
    const int wasdKeys[kKeyBindingCount] = {87, 83, 65, 68, 160, 74, 75, 76};
    std::copy(std::begin(wasdKeys), std::end(wasdKeys), saved.keys);
    saved.bgmVolume = 35;
    saved.seVolume = 100;
    saved.autoBomb = 1;
    saved.windowMode = 0;
    ASSERT_TRUE(SaveKeySettings(path, saved));
    saved.bgmVolume = 40;
    ASSERT_TRUE(SaveKeySettings(path, saved));  // second save updates, never duplicates

    KeySettings loaded;
    ASSERT_TRUE(LoadKeySettings(path, loaded));
    EXPECT_TRUE(SameSettings(loaded, saved));

    const std::string bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.starts_with("[Mods]\r\ncheat=1\r\n"));
    EXPECT_EQ(bytes.find("BGM=35"), std::string::npos);
    EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{kKeySettingsFileName});

    // The settings walk the file in order: keys, then audio, then system.
    const auto keys = bytes.find("[\xB0\xB4\xBC\xFC]");     // 按键
    const auto audio = bytes.find("[\xD2\xF4\xC6\xB5]");    // 音频
    const auto system = bytes.find("[\xCF\xB5\xCD\xB3]");   // 系统
    EXPECT_TRUE(keys < audio && audio < system && system != std::string::npos);
}

// The language lives in a section of its own that older games leave alone:
// a file without it (every file written before) reads as Chinese, and the
// choice is written there and read back; anything but 1 reads as Chinese.
TEST(KeySettings, LanguageIsChineseWithoutItsSectionAndRoundTripsInIt) {
    const std::string shipped = korvid::test::SourcePath("/data/") + kKeySettingsFileName;
    KeySettings older;
    older.language = 1;
    ASSERT_TRUE(LoadKeySettings(shipped, older));
    EXPECT_EQ(older.language, 0);

    TempDir folder;
    const std::string path = folder.file(kKeySettingsFileName);
    KeySettings english = older;
    english.language = 1;
    ASSERT_TRUE(SaveKeySettings(path, english));
    EXPECT_NE(ReadBytes(path).find("[\xBD\xE7\xC3\xE6]\r\n\xD3\xEF\xD1\xD4=1\r\n"), std::string::npos)
        << "[界面] 语言=1, in GBK";
    KeySettings loaded;
    ASSERT_TRUE(LoadKeySettings(path, loaded));
    EXPECT_EQ(loaded.language, 1);
    EXPECT_TRUE(SameSettings(loaded, english));
    std::vector<std::string> replaced;
    EXPECT_EQ(LoadKeySettingsOrShipped(path, replaced).language, 1);

    folder.write(kKeySettingsFileName, "[\xBD\xE7\xC3\xE6]\r\n\xD3\xEF\xD1\xD4=7\r\n");
    EXPECT_EQ(LoadKeySettingsOrShipped(path, replaced).language, 0);
}

TEST(KeySettings, SavingOverUtf8NamesUpdatesThemInsteadOfAddingGbkTwins) {
    TempDir folder;
    const std::string path = folder.file("utf8.ini");
    folder.write("utf8.ini", "[按键]\n上移=1\n[音频]\nBGM=5\n");
    KeySettings settings;
    settings.keys[0] = 87;
    ASSERT_TRUE(SaveKeySettings(path, settings));

    const std::string bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.starts_with("[按键]\r\n上移=87\r\n")) << bytes;
    EXPECT_EQ(bytes.find("[\xB0\xB4\xBC\xFC]"), std::string::npos);
}

TEST(KeySettings, ValuesFromTheFileAreCheckedAsInput) {
    struct Case {
        const char* text;
        int key;     // as the Up binding
        int volume;  // as the BGM volume
    };
    constexpr Case kCases[] = {
        {"38", 38, 38},     {"1", 1, 1},      {"255", 255, 100}, {"256", 0, 100}, {"300", 0, 100},
        {"0", 0, 0},        {" -5", 0, 0},    {"12abc", 12, 12}, {"abc", 0, 0},   {"150", 150, 100},
        {"-2147483648", 0, 0},
    };
    TempDir folder;
    const std::string path = folder.file("values.ini");
    for (const Case& c : kCases) {
        folder.write("values.ini", std::string("[按键]\n上移=") + c.text + "\n[音频]\nBGM=" + c.text + "\nSE=" + c.text +
                             "\n[系统]\n自动Bomb=" + c.text + "\n");
        KeySettings settings;
        ASSERT_TRUE(LoadKeySettings(path, settings));
        EXPECT_EQ(settings.keys[0], c.key) << "key '" << c.text << "'";
        EXPECT_EQ(settings.bgmVolume, c.volume) << "BGM '" << c.text << "'";
        EXPECT_EQ(settings.seVolume, c.volume) << "SE '" << c.text << "'";
        EXPECT_EQ(settings.keys[1], 0) << "missing entries read 0";
        EXPECT_EQ(settings.windowMode, 0);
    }
}

// A number past int would wrap to a usable-looking value (4294967297 to 1,
// -4294967295 to 1, 4294967334 to the Up arrow): it is refused like any
// other unusable entry, and the shipped value takes its place.
TEST(KeySettings, NumbersPastIntAreRefusedNotWrapped) {
    TempDir folder;
    folder.write("wide.ini", "[按键]\n上移=4294967334\n下移=40\n[音频]\nBGM=2147483648\nSE=-4294967216\n"
                             "[系统]\n自动Bomb=4294967297\n游戏窗口=-4294967295\n");
    std::vector<std::string> replaced;
    const KeySettings loaded = LoadKeySettingsOrShipped(folder.file("wide.ini"), replaced);
    const KeySettings shipped = ShippedKeySettings();
    EXPECT_EQ(loaded.keys[0], shipped.keys[0]);
    EXPECT_EQ(loaded.keys[1], 40);
    EXPECT_EQ(loaded.bgmVolume, shipped.bgmVolume);
    EXPECT_EQ(loaded.seVolume, shipped.seVolume);
    EXPECT_EQ(loaded.autoBomb, shipped.autoBomb);
    EXPECT_EQ(loaded.windowMode, shipped.windowMode);
    for (const char* name : {"按键/上移", "音频/BGM", "音频/SE", "系统/自动Bomb", "系统/游戏窗口"})
        EXPECT_NE(std::find(replaced.begin(), replaced.end(), name), replaced.end()) << name;
    EXPECT_EQ(std::find(replaced.begin(), replaced.end(), "按键/下移"), replaced.end());
}

TEST(KeySettings, UnreadableFileLeavesTheSettingsAlone) {
    TempDir folder;
    KeySettings settings;
    settings.keys[5] = 90;
    settings.bgmVolume = 55;
    const KeySettings before = settings;
    EXPECT_FALSE(LoadKeySettings(folder.file("absent.ini"), settings));
    EXPECT_FALSE(LoadKeySettings(folder.file(""), settings));
    EXPECT_TRUE(SameSettings(settings, before));
}

}  // namespace
}  // namespace korvid
