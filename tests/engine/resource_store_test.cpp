#include "engine/ResourceStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/resource.h>

#include <filesystem>
#include <iterator>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"

namespace korvid {
namespace {

using testing::TempDir;

std::string asText(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Builds `zipName` in `dir` from the files under `srcDir` (relative to dir)
// with Info-ZIP, encrypted with `password` unless it is empty.
bool makeZip(const TempDir& dir, const std::string& zipName, const std::string& srcDir,
             const std::string& password, const std::string& extraFlags = "") {
    std::string cmd = "cd '" + dir.path().string() + "/" + srcDir + "' && zip -q -r " + extraFlags + " ";
    if (!password.empty()) cmd += "-P '" + password + "' ";
    cmd += "'" + dir.file(zipName) + "' . >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

class ResourceStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        dir.write("src/Graphics/Fire2.png", "fire two");
        dir.write("src/SE/shot.wav", std::string(3000, 'x') + "end");
        dir.write("src/Shared.txt", "from pack");
        dir.write("src/English/Graphics/Fire2.png", "fire in English");
        ASSERT_TRUE(makeZip(dir, "gamedat.zip", "src", "qorvantelmisbe"));
        std::filesystem::remove_all(dir.path() / "src");
        dir.write("Data/Readme.TXT", "from disk");
        dir.write("shared.txt", "shared on disk");
        store.setGameDir(dir.path().string());
    }

    TempDir dir;
    ResourceStore store;
    std::vector<std::uint8_t> out;
};

TEST(ResourceStoreNames, NormaliseFoldsCaseSlashesAndLeadingDot) {
    EXPECT_EQ(ResourceStore::normalise("Graphics\\Fire2.PNG"), "graphics/fire2.png");
    EXPECT_EQ(ResourceStore::normalise("./SE/a.wav"), "se/a.wav");
    EXPECT_EQ(ResourceStore::normalise(".\\./x"), "x");
    EXPECT_EQ(ResourceStore::normalise("..\\x"), "../x");
    // Bytes outside ASCII (GBK, UTF-8 names) pass through unchanged.
    EXPECT_EQ(ResourceStore::normalise("\xB0\xB4\xBC\xFC.INI"), "\xB0\xB4\xBC\xFC.ini");
}

TEST_F(ResourceStoreTest, ReadsEncryptedMemberByMixedCaseBackslashName) {
    ASSERT_TRUE(store.attachPack("gamedat.zip", "qorvantelmisbe"));  // relative to the game folder
    EXPECT_TRUE(store.hasPack());
    ASSERT_TRUE(store.load("gRAPHICS\\fire2.PNG", out));
    EXPECT_EQ(asText(out), "fire two");
    ASSERT_TRUE(store.load("./se/SHOT.wav", out));
    EXPECT_EQ(out.size(), 3003u);
    EXPECT_TRUE(store.exists("Graphics/FIRE2.png"));
}

// A variant folder (a language's pictures) stands in for the members it
// holds; every other name reads as it is, and "" goes back to the start.
TEST_F(ResourceStoreTest, AVariantFolderStandsInForTheMembersItHolds) {
    ASSERT_TRUE(store.attachPack("gamedat.zip", "qorvantelmisbe"));
    store.setVariantFolder("English/");
    ASSERT_TRUE(store.load("graphics\\FIRE2.png", out));
    EXPECT_EQ(asText(out), "fire in English");
    ASSERT_TRUE(store.load("SE/shot.wav", out));
    EXPECT_EQ(out.size(), 3003u);
    ASSERT_TRUE(store.load("Data/Readme.TXT", out));
    EXPECT_EQ(asText(out), "from disk");
    store.setVariantFolder("");
    ASSERT_TRUE(store.load("Graphics/Fire2.png", out));
    EXPECT_EQ(asText(out), "fire two");
}

TEST_F(ResourceStoreTest, WrongOrMissingPasswordYieldsNoBytes) {
    for (const char* pw : {"qorvantelmisbf", "wrong", ""}) {
        ResourceStore other;
        other.setGameDir(dir.path().string());
        ASSERT_TRUE(other.attachPack("gamedat.zip", pw));
        out.assign({1, 2, 3});
        EXPECT_FALSE(other.load("Graphics/Fire2.png", out)) << pw;
        EXPECT_FALSE(other.load("SE/shot.wav", out)) << pw;
        EXPECT_EQ(out.size(), 3u) << "output touched on failure";
        // A member that is in the pack but unreadable does not fall back to disk.
        EXPECT_FALSE(other.load("Shared.txt", out)) << pw;
    }
}

TEST_F(ResourceStoreTest, MissingNamesAreFalse) {
    ASSERT_TRUE(store.attachPack("gamedat.zip", "qorvantelmisbe"));
    EXPECT_FALSE(store.load("Graphics/none.png", out));
    EXPECT_FALSE(store.exists("Graphics/none.png"));
    EXPECT_FALSE(store.load("", out));
    EXPECT_FALSE(store.load("Graphics", out));  // a folder, not a file
    EXPECT_FALSE(store.load("Data", out));
}

TEST_F(ResourceStoreTest, DiskFallbackIsRelativeToGameFolderAndIgnoresCase) {
    ASSERT_TRUE(store.attachPack("gamedat.zip", "qorvantelmisbe"));
    ASSERT_TRUE(store.load("data\\readme.txt", out));
    EXPECT_EQ(asText(out), "from disk");
    EXPECT_TRUE(store.exists("DATA/README.TXT"));

    ResourceStore noPack;  // disk alone works too
    noPack.setGameDir(dir.path().string());
    ASSERT_TRUE(noPack.load("Data/Readme.TXT", out));
    EXPECT_EQ(asText(out), "from disk");
    EXPECT_FALSE(noPack.load("Graphics/Fire2.png", out));
}

TEST_F(ResourceStoreTest, PackWinsOverDisk) {
    ASSERT_TRUE(store.attachPack("GAMEDAT.ZIP", "qorvantelmisbe"));
    ASSERT_TRUE(store.load("shared.txt", out));
    EXPECT_EQ(asText(out), "from pack");
}

TEST_F(ResourceStoreTest, TruncatedArchiveFailsToAttachAndKeepsEarlierPack) {
    auto size = std::filesystem::file_size(dir.file("gamedat.zip"));
    std::filesystem::copy_file(dir.file("gamedat.zip"), dir.file("half.zip"));
    std::filesystem::resize_file(dir.file("half.zip"), size / 2);

    ResourceStore fresh;
    fresh.setGameDir(dir.path().string());
    EXPECT_FALSE(fresh.attachPack("half.zip", "qorvantelmisbe"));
    EXPECT_FALSE(fresh.hasPack());
    EXPECT_FALSE(fresh.load("Graphics/Fire2.png", out));
    EXPECT_FALSE(fresh.attachPack("nothere.zip", "qorvantelmisbe"));
    EXPECT_FALSE(fresh.attachPack("Data/Readme.TXT", ""));  // not a zip at all

    ASSERT_TRUE(store.attachPack("gamedat.zip", "qorvantelmisbe"));
    EXPECT_FALSE(store.attachPack("half.zip", "qorvantelmisbe"));
    EXPECT_TRUE(store.load("Graphics/Fire2.png", out));
}

TEST_F(ResourceStoreTest, DamagedMemberDataFailsTheLoad) {
    // One stored (uncompressed) member; bytes from its middle are flipped
    // while the directory at the end stays intact.
    dir.write("one/big.bin", std::string(20000, 'a'));
    ASSERT_TRUE(makeZip(dir, "damaged.zip", "one", "pw", "-0"));
    {
        std::fstream f(dir.file("damaged.zip"), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(10000);
        f.write("\x01\x02\x03", 3);
    }
    ASSERT_TRUE(store.attachPack("damaged.zip", "pw"));
    EXPECT_FALSE(store.load("big.bin", out));
}

TEST_F(ResourceStoreTest, UnencryptedPackReadsWithOrWithoutPassword) {
    dir.write("plain/Music/Title.mp3", "not really music");
    ASSERT_TRUE(makeZip(dir, "plain.zip", "plain", ""));
    for (const char* pw : {"", "qorvantelmisbe"}) {
        ASSERT_TRUE(store.attachPack("plain.zip", pw));
        ASSERT_TRUE(store.load("music/title.MP3", out)) << pw;
        EXPECT_EQ(asText(out), "not really music");
        // The earlier pack was replaced, not added to.
        EXPECT_FALSE(store.exists("Graphics/Fire2.png"));
    }
}

// Sets the recorded uncompressed size of every member, in the local headers
// and the central directory, as a damaged or hostile archive might.
void claimSize(const std::string& path, std::uint32_t size) {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    auto patch = [&](const char* signature, std::size_t offset) {
        for (std::size_t at = bytes.find(signature, 0, 4); at != std::string::npos; at = bytes.find(signature, at + 4, 4))
            for (int i = 0; i < 4; ++i) bytes[at + offset + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    };
    patch("PK\x03\x04", 22);
    patch("PK\x01\x02", 24);
    f.seekp(0);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST_F(ResourceStoreTest, AHugeRecordedSizeIsRefusedWithoutAllocatingIt) {
    dir.write("big/member.bin", std::string(5000, 'q'));
    ASSERT_TRUE(makeZip(dir, "huge.zip", "big", "pw"));
    claimSize(dir.file("huge.zip"), 0xF0000000u);  // 3.75 GiB
    // Attaching may refuse the archive outright; if it attaches, reading the
    // member must fail without trying to allocate what the header claims:
    // the child process has only 1 GiB of address space to do it in.
    auto tryLoad = [&] {
        rlimit limit;
        limit.rlim_cur = limit.rlim_max = rlim_t{1} << 30;
        setrlimit(RLIMIT_AS, &limit);
        const bool loaded = store.attachPack("huge.zip", "pw") && store.load("member.bin", out);
        std::_Exit(loaded ? 1 : 0);
    };
    EXPECT_EXIT(tryLoad(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace korvid
