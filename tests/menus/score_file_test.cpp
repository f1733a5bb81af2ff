#include "menus/ScoreFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvid {
namespace {

class ScoreFileTest : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("korvid-score-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
};

TEST_F(ScoreFileTest, FirstStartCreatesTheExactBytesAndReadsZero) {
    const fs::path p = dir / "score.dat";
    EXPECT_EQ(BootstrapScoreFile(p.string()), 0);
    const std::string bytes = read(p);
    EXPECT_EQ(bytes, ScoreFileDefaultContent());
    EXPECT_EQ(bytes.substr(0, 12), "10 11 11 11 ");
    EXPECT_EQ(bytes.size(), 9u + 1260u * 3u);
    EXPECT_EQ(bytes.back(), ' ');
    EXPECT_EQ(bytes.find('\n'), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "score.dat.tmp"));
}

TEST_F(ScoreFileTest, ExistingFileIsReadNotRewritten) {
    const fs::path p = dir / "score.dat";
    std::ofstream(p) << "1 2 3 14 99";
    EXPECT_EQ(BootstrapScoreFile(p.string()), 14 ^ 11);
    EXPECT_EQ(read(p), "1 2 3 14 99");
}

TEST_F(ScoreFileTest, ShortOrUnreadableFilesGiveZero) {
    const fs::path p = dir / "score.dat";
    std::ofstream(p) << "1 2 3";
    EXPECT_EQ(BootstrapScoreFile(p.string()), 0);
    std::ofstream(p) << "1 2 x 7";
    EXPECT_EQ(BootstrapScoreFile(p.string()), 0);
    std::ofstream(p) << "10 11 11 99999999999 11";  // too large for the counter
    EXPECT_EQ(BootstrapScoreFile(p.string()), 0);
    std::ofstream(p) << "10\r\n11 11\t14 ";
    EXPECT_EQ(BootstrapScoreFile(p.string()), 14 ^ 11);
    // A folder where the file should be, and a folder that does not exist.
    fs::create_directories(dir / "adir");
    EXPECT_EQ(BootstrapScoreFile((dir / "adir").string()), 0);
    EXPECT_EQ(BootstrapScoreFile((dir / "no" / "such" / "score.dat").string()), 0);
}

}  // namespace
}  // namespace korvid
