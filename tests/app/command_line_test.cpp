#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace korvid {
namespace {

TEST(CommandLine, ParsesTheShellOptions) {
    std::string err;
    auto o = ParseCommandLine({"--headless", "--frames", "120", "--screenshot", "100:frame.png", "--screenshot",
                               "5:/tmp/a:b.png", "--dir", "/tmp/g", "--keys", "k.txt", "--pack", "p.zip"},
                              err);
    ASSERT_TRUE(o) << err;
    EXPECT_TRUE(o->headless);
    EXPECT_EQ(o->frames, 120);
    ASSERT_EQ(o->screenshots.size(), 2u);
    EXPECT_EQ(o->screenshots[0].frame, 100);
    EXPECT_EQ(o->screenshots[1].path, "/tmp/a:b.png");
    EXPECT_EQ(o->dir, "/tmp/g");
    EXPECT_EQ(o->keysFile, "k.txt");
    EXPECT_EQ(o->pack, "p.zip");
}

TEST(CommandLine, RejectsBadOptionsWithOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"}, {"--frames"}, {"--frames", "x"}, {"--frames", "-3"}, {"--screenshot", "12"},
        {"--screenshot", "0:a.png"}, {"--screenshot", "5:"}, {"--dir"},
        {"--practice", "8"}, {"--practice", "1", "--difficulty", "3"}, {"--difficulty", "1"},
        {"--practice", "2", "--character", "0"}, {"--boss", "5"}, {"--practice", "1", "--boss", "x"},
        {"--from", "8200"}, {"--practice", "6", "--from", "0"}};
    for (const auto& args : bad) {
        std::string err;
        EXPECT_FALSE(ParseCommandLine(args, err)) << args[0];
        EXPECT_FALSE(err.empty());
        EXPECT_EQ(err.find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace korvid

namespace korvid {
namespace {

TEST(CommandLine, FlagsVersionAndRepeatedScreenshotsKeepTheirOrder) {
    std::string err;
    auto o = ParseCommandLine({"--trace-hash", "--version", "--screenshot", "3:a.png", "--screenshot", "1:b.png"}, err);
    ASSERT_TRUE(o) << err;
    EXPECT_TRUE(o->trace);
    EXPECT_TRUE(o->traceHash);
    EXPECT_TRUE(o->version);
    ASSERT_EQ(o->screenshots.size(), 2u);
    EXPECT_EQ(o->screenshots[0].path, "a.png");
    EXPECT_EQ(o->screenshots[1].frame, 1);
    EXPECT_NE(std::string(UsageText()).find("--coverage-log"), std::string::npos);
    EXPECT_EQ(std::string(VersionText()).rfind("korvid ", 0), 0u);
}

}  // namespace
}  // namespace korvid
