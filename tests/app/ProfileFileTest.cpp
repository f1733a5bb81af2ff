#include "game/ProfileFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <random>

#include "../engine/TempDir.h"
#include "FileBytes.h"

namespace korvid {
namespace {

using testing::FolderEntries;
using testing::ReadBytes;
using testing::TempDir;

// GBK spellings as the Windows writer leaves them on disk.
constexpr const char* kGbkKeys = "\xB0\xB4\xBC\xFC";             // 按键
constexpr const char* kGbkUp = "\xC9\xCF\xD2\xC6";               // 上移
constexpr const char* kGbkShoot = "\xC9\xE4\xBB\xF7";            // 射击
constexpr const char* kGbkSystem = "\xCF\xB5\xCD\xB3";           // 系统
constexpr const char* kGbkWindow = "\xD3\xCE\xCF\xB7\xB4\xB0\xBF\xDA";  // 游戏窗口

ProfileFile FromBytes(const std::string& bytes) {
    ProfileFile file;
    file.loadFromMemory(bytes);
    return file;
}

TEST(ProfileFile, WrittenValuesReadBackFromDiskInGbkWithCrlf) {
    TempDir folder;
    ProfileFile out;
    out.setString("按键", "上移", "38");
    out.setString("按键", "射击", "90");
    out.setString("音频", "BGM", "80");
    out.setString("系统", "游戏窗口", "1");
    out.setString("按键", "上移", "104");  // rewrite in place
    ASSERT_TRUE(out.save(folder.file("a.ini")));

    ProfileFile in;
    ASSERT_TRUE(in.load(folder.file("a.ini")));
    EXPECT_EQ(in.getInt("按键", "上移"), 104);
    EXPECT_EQ(in.getInt("按键", "射击"), 90);
    EXPECT_EQ(in.getInt("音频", "BGM"), 80);
    EXPECT_EQ(in.getInt("系统", "游戏窗口"), 1);

    const std::string bytes = ReadBytes(folder.file("a.ini"));
    EXPECT_NE(bytes.find(std::string("[") + kGbkKeys + "]\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(std::string(kGbkUp) + "=104\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("按键"), std::string::npos) << "names must not be stored as UTF-8";
    EXPECT_EQ(bytes.find("上移=38"), std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'));
    EXPECT_TRUE(bytes.ends_with("\r\n"));
}

TEST(ProfileFile, ReadsGbkAndUtf8SpellingsAndEitherLineEnd) {
    const ProfileFile gbk = FromBytes(std::string("[") + kGbkKeys + "]\r\n" + kGbkUp + "=38\r\n" + kGbkShoot + "=90");
    EXPECT_EQ(gbk.getInt("按键", "上移"), 38);
    EXPECT_EQ(gbk.getInt("按键", "射击"), 90);

    const ProfileFile utf8 = FromBytes("[按键]\n上移=38\n射击=90\n");
    EXPECT_EQ(utf8.getInt("按键", "上移"), 38);
    EXPECT_EQ(utf8.getInt("按键", "射击"), 90);

    // A GBK section holding a UTF-8 key, as a file edited on two systems may.
    const ProfileFile mixed = FromBytes(std::string("[") + kGbkKeys + "]\n上移=5\n");
    EXPECT_EQ(mixed.getInt("按键", "上移"), 5);
}

TEST(ProfileFile, Utf8BomIsSkippedAndKeptWithUtf8NamesOnSave) {
    ProfileFile file = FromBytes("\xEF\xBB\xBF[按键]\r\n上移=38\r\n");
    EXPECT_EQ(file.getInt("按键", "上移"), 38);

    // A file that declares itself UTF-8 gets its new names in UTF-8.
    file.setString("按键", "射击", "90");
    EXPECT_EQ(file.serialize(), "\xEF\xBB\xBF[按键]\r\n上移=38\r\n射击=90\r\n");
}

TEST(ProfileFile, BlanksCommentsQuotesAndCaseFollowTheWindowsReader) {
    const ProfileFile file = FromBytes(
        "stray=9\n"                // before any section: belongs to none
        "  [ Audio ]  \n"
        "; BGM=10\n"
        "  BGM  =  70  \n"
        "no equals sign here\n"
        "\n"
        "SE=\"40\"\n"
        "Voice='25'\n"
        "BGM=11\n"                 // duplicate: the first one counts
        "[audio]\n"
        "Extra=3\n"                // duplicate section: only the first is searched
        "[System]\n"
        "Window\t=\t1\r\n");
    EXPECT_EQ(file.getInt("audio", "bgm"), 70);
    EXPECT_EQ(file.getInt("AUDIO", "SE"), 40);
    EXPECT_EQ(file.getInt("Audio", "Voice"), 25);
    EXPECT_EQ(file.getInt("Audio", "Extra"), 0);
    EXPECT_EQ(file.getInt("Audio", "stray"), 0);
    EXPECT_EQ(file.getInt("Audio", "no equals sign here"), 0);
    EXPECT_EQ(file.getInt("System", "Window"), 1);
    EXPECT_EQ(file.getInt("System", "BGM"), 0) << "keys belong to their own section";
    EXPECT_EQ(file.getInt("Missing", "BGM"), 0);
}

TEST(ProfileFile, CaseFoldingNeverMergesDifferentGbkCharacters) {
    // 癆 is B0 41 and 癮 is B0 61 in GBK: their second bytes are 'A' and 'a'.
    const ProfileFile file = FromBytes("[\xB0\x41]\r\nx=1\r\n[\xB0\x61]\r\nx=2\r\n");
    EXPECT_EQ(file.getInt("癆", "x"), 1);
    EXPECT_EQ(file.getInt("癮", "x"), 2);
}

TEST(ProfileFile, ValuesParseLikeGetPrivateProfileInt) {
    struct Case {
        const char* value;
        int expected;
    };
    constexpr Case kCases[] = {
        {"12abc", 12}, {"abc", 0}, {" -5", -5}, {"+7", 7},  {"- 5", 0},   {"", 0},
        {"0x10", 0},   {"3.9", 3}, {"--1", 0},  {"007", 7}, {"\"-8\"", -8}, {"2147483647", 2147483647},
    };
    for (const Case& c : kCases) {
        const ProfileFile file = FromBytes(std::string("[s]\nk=") + c.value + "\n");
        EXPECT_EQ(file.getInt("s", "k"), c.expected) << "value '" << c.value << "'";
    }
    // Absurdly long numbers wrap like the 32-bit original instead of misbehaving.
    EXPECT_EQ(FromBytes("[s]\nk=4294967301\n").getInt("s", "k"), 5);
}

TEST(ProfileFile, SaveKeepsWhatItDoesNotKnowInPlace) {
    ProfileFile file = FromBytes(
        "; written by hand\r\n"
        "[Other]\r\n"
        "foo=bar\r\n"
        "\r\n"
        "[Keys]\r\n"
        "Up=38\r\n"
        "Extra=1\r\n"
        "; the next section\r\n"
        "\r\n"
        "[Audio]\n"
        "BGM=10\n");
    file.setString("keys", "UP", "40");    // updated where it stands, spelling kept
    file.setString("Keys", "Shoot", "90");  // appended after the section's last key
    file.setString("Audio", "SE", "80");    // last section, no trailing blank line
    file.setString("系统", "游戏窗口", "1");  // new section at the end
    EXPECT_EQ(file.serialize(),
              "; written by hand\r\n"
              "[Other]\r\n"
              "foo=bar\r\n"
              "\r\n"
              "[Keys]\r\n"
              "Up=40\r\n"
              "Extra=1\r\n"
              "Shoot=90\r\n"
              "; the next section\r\n"
              "\r\n"
              "[Audio]\r\n"
              "BGM=10\r\n"
              "SE=80\r\n"
              "\r\n"
              "[" + std::string(kGbkSystem) + "]\r\n" +
              kGbkWindow + "=1\r\n");
}

TEST(ProfileFile, LineBreaksInNamesAndValuesCannotSplitAnEntry) {
    ProfileFile file;
    file.setString("s", "k", "1\r\n[evil]\r\nk=2");
    const ProfileFile reread = FromBytes(file.serialize());
    EXPECT_EQ(reread.getInt("s", "k"), 1);
    EXPECT_EQ(reread.getInt("evil", "k"), 0);
}

TEST(ProfileFile, SaveReplacesTheFileThroughATemporaryAndLeavesNothingBehind) {
    TempDir folder;
    const std::string path = folder.file("settings.ini");
    folder.write("settings.ini", "[s]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    ProfileFile file;
    ASSERT_TRUE(file.load(path));
    file.setString("s", "k", "2");
    ASSERT_TRUE(file.save(path));

    EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"settings.ini"});
    EXPECT_EQ(ReadBytes(path), "[s]\r\nk=2\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u) << "the replacement keeps the file's permissions";

    // A folder that does not exist: the save fails and creates nothing.
    EXPECT_FALSE(file.save(folder.file("missing/settings.ini")));
    EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"settings.ini"});
}

TEST(ProfileFile, MissingUnreadableAndEmptyFiles) {
    TempDir folder;
    ProfileFile file = FromBytes("[s]\nk=1\n");
    EXPECT_FALSE(file.load(folder.file("absent.ini")));
    EXPECT_EQ(file.getInt("s", "k"), 0) << "a failed load leaves nothing of the old contents";

    EXPECT_FALSE(file.load(folder.file(""))) << "a folder is not a settings file";

    folder.write("huge.ini", "[s]\nk=1\n" + std::string(1 << 20, ';'));
    EXPECT_FALSE(file.load(folder.file("huge.ini")));

    folder.write("empty.ini", "");
    EXPECT_TRUE(file.load(folder.file("empty.ini")));
    EXPECT_EQ(file.getInt("s", "k"), 0);
    EXPECT_EQ(file.serialize(), "");
}

TEST(ProfileFile, EveryTruncationOfAFileReadsItsCompleteLines) {
    const std::string whole = std::string("[") + kGbkKeys + "]\r\n" + kGbkUp + "=38\r\n" + kGbkShoot + "=90\r\n";
    const std::size_t upComplete = whole.find("=38") + 3;
    const std::size_t shootComplete = whole.find("=90") + 3;
    for (std::size_t n = 0; n <= whole.size(); ++n) {
        const ProfileFile file = FromBytes(whole.substr(0, n));
        EXPECT_EQ(file.getInt("按键", "上移"), n >= upComplete ? 38 : (n == upComplete - 1 ? 3 : 0)) << n;
        EXPECT_EQ(file.getInt("按键", "射击"), n >= shootComplete ? 90 : (n == shootComplete - 1 ? 9 : 0)) << n;
    }
}

TEST(ProfileFile, RandomBytesNeitherCrashNorStopASaveFromReadingBack) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 400);
    // Bias towards the characters that mean something to the parser.
    constexpr char kInteresting[] = "[]=;\r\n \"'\xEF\xBB\xBF\xB0\xB4\xBC\xFC";
    for (int round = 0; round < 300; ++round) {
        std::string bytes(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : bytes) {
            const int b = byte(random);
            c = b < 64 ? kInteresting[b % (sizeof kInteresting - 1)] : static_cast<char>(b);
        }
        ProfileFile file = FromBytes(bytes);
        file.getInt("按键", "上移");
        file.setString("按键", "上移", "38");
        file.setString("音频", "BGM", "80");
        const ProfileFile reread = FromBytes(file.serialize());
        EXPECT_EQ(reread.getInt("按键", "上移"), 38) << "round " << round;
        EXPECT_EQ(reread.getInt("音频", "BGM"), 80) << "round " << round;
    }
}

}  // namespace
}  // namespace korvid
