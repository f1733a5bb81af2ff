#include "menus/ReplayFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>

#include "app/FileBytes.h"
#include "engine/TempDir.h"
#include "menus/GbkText.h"

namespace korvid {
// Failure messages show a record as its fields, not as raw bytes.
void PrintTo(const ReplayRecord& r, std::ostream* os) {
    *os << "{key \"" << r.key << "\", name \"" << r.name << "\", player \"" << r.player << "\", "
        << r.description.size() << " description lines, date \"" << r.date << "\", " << r.difficulty << " "
        << r.character << " " << r.practiceMode << " " << r.autoBomb << ", stages " << r.startStage << ".."
        << r.endStage() << ":";
    for (const ReplayStageRecord& st : r.stages)
        *os << " [" << st.masks.size() << " frames, score " << st.snapshot.score << "]";
    *os << "}";
}

namespace {

using testing::FolderEntries;
using testing::ReadBytes;
using testing::TempDir;

// "无" in GBK: what an empty name or description is saved as.
const std::string kNone = "\xCE\xDE";

ReplayStageRecord Stage(StageSnapshot snap, std::vector<std::int32_t> masks) { return {snap, std::move(masks)}; }

// A small game: stages 2..3 of a normal-difficulty run.
ReplayRecord SmallRecord() {
    ReplayRecord r;
    r.date = "2024/05/01 21:07:33";
    r.player = "Alice";
    r.difficulty = 2;
    r.character = 3;
    r.autoBomb = 1;
    r.startStage = 2;
    r.stages.push_back(Stage({400, 2, 15, 123456789012LL, 30}, {0, 17, 255}));
    r.stages.push_back(Stage({-5, -1, 0, -9, 0}, {}));
    return r;
}

// The same with every text filled, so it reads back exactly.
ReplayRecord NamedSmallRecord() {
    ReplayRecord r = SmallRecord();
    r.key = "7";
    r.name = "short";
    r.description = {"one line"};
    return r;
}

// A longer game with Chinese texts and masks from a fixed sequence.
ReplayRecord BigRecord() {
    ReplayRecord r;
    r.key = "31415";
    r.name = "第六面 无伤";
    r.player = "博丽";
    r.description = {"第一行", "", "  third line, spaces kept  "};
    r.date = "2023/12/31 23:59:59";
    r.difficulty = 3;
    r.character = 1;
    r.practiceMode = 1;
    r.startStage = 1;
    std::uint32_t x = 12345;
    for (int s = 1; s <= 7; ++s) {
        std::vector<std::int32_t> masks(static_cast<std::size_t>(s * 997));
        for (std::int32_t& m : masks) m = static_cast<std::int32_t>((x = x * 1103515245u + 12345u) >> 24);
        r.stages.push_back(Stage({s * 100, 7 - s, s * 1000, std::int64_t{s} << 40, s}, std::move(masks)));
    }
    return r;
}

TEST(ReplayWrite, KnownRecordGivesTheExactBytes) {
    const std::string expected = "0\n" + kNone + " \nAlice \n1\n" + kNone +
                                 " \n2024/05/01 21:07:33\n"
                                 "2 3 0 1 2 3 "
                                 "3 400 2 15 123456789012 30 0 17 255 "
                                 "0 -5 -1 0 -9 0 ";
    EXPECT_EQ(WriteReplayText(SmallRecord()), expected);
}

TEST(ReplayWrite, TextsAreGbkAndOnlyTheLastDescriptionLineGetsTheSpace) {
    const std::string bytes = WriteReplayText(BigRecord());
    const std::string head = "31415\n" + GbkFromUtf8("第六面 无伤") + " \n" + GbkFromUtf8("博丽") + " \n3\n" +
                             GbkFromUtf8("第一行") + "\n\n  third line, spaces kept   \n2023/12/31 23:59:59\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_EQ(GbkFromUtf8("博丽"), "\xB2\xA9\xC0\xF6");
    EXPECT_EQ(bytes.back(), ' ');
}

TEST(ReplayWrite, LineEndsInsideTextsCannotShiftTheLines) {
    ReplayRecord r = SmallRecord();
    r.name = "two\nlines";
    r.player = "cr\rhere";
    r.description = {"a\r\nb"};
    ReplayRecord back;
    std::string why;
    ASSERT_TRUE(ParseReplayText(WriteReplayText(r), back, why)) << why;
    EXPECT_EQ(back.name, "two lines");
    EXPECT_EQ(back.player, "cr here");
    EXPECT_EQ(back.description, std::vector<std::string>{"a  b"});
    EXPECT_EQ(back.stages, r.stages);
}

TEST(ReplayWrite, DateLineMatchesTheCLocaleFormat) {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 3;
    t.tm_min = 4;
    t.tm_sec = 9;
    char viaStrftime[64];
    std::strftime(viaStrftime, sizeof viaStrftime, "%Y/%m/%d %X", &t);
    EXPECT_EQ(ReplayDateLine(t), "2024/01/05 03:04:09");
    EXPECT_EQ(ReplayDateLine(t), viaStrftime);
}

TEST(ReplayFormat, SlotPathsAndDescriptionLines) {
    EXPECT_EQ(ReplaySlotPath(1), "Replay/rvx01.rpy");
    EXPECT_EQ(ReplaySlotPath(20), "Replay/rvx20.rpy");
    EXPECT_EQ(ReplaySlotPath(0), "");
    EXPECT_EQ(ReplaySlotPath(21), "");

    EXPECT_TRUE(SplitDescriptionLines("").empty());
    EXPECT_EQ(SplitDescriptionLines("one"), std::vector<std::string>{"one"});
    EXPECT_EQ(SplitDescriptionLines("a\r\nb\rc\n"), (std::vector<std::string>{"a", "b", "c", ""}));
}

TEST(ReplayFormat, GbkConversionReplacesWhatCannotBeHeld) {
    EXPECT_EQ(Utf8FromGbk(kNone), "无");
    EXPECT_EQ(GbkFromUtf8("x\xF0\x9F\x98\x80y"), "x?y");  // an emoji has no GBK code
    EXPECT_EQ(GbkFromUtf8("a\xFF" "b"), "a?b");            // not UTF-8 at all
    EXPECT_EQ(Utf8FromGbk("a\xFF" "b"), "a?b");
    EXPECT_EQ(Utf8FromGbk("end\xB2"), "end?");  // a lead byte cut off
}

TEST(ReplayParse, RoundTripGivesTheSameRecord) {
    for (const ReplayRecord& r : {NamedSmallRecord(), BigRecord()}) {
        ReplayRecord back;
        std::string why;
        ASSERT_TRUE(ParseReplayText(WriteReplayText(r), back, why)) << why;
        EXPECT_EQ(back, r);
        EXPECT_TRUE(why.empty());
    }
}

TEST(ReplayParse, EmptyTextsReadAsTheFileShowsThemAndWriteBackTheSame) {
    ReplayRecord r = SmallRecord();
    r.player.clear();
    const std::string bytes = WriteReplayText(r);
    ReplayRecord back;
    std::string why;
    ASSERT_TRUE(ParseReplayText(bytes, back, why)) << why;
    EXPECT_EQ(back.key, "0");
    EXPECT_EQ(back.name, "无");
    EXPECT_EQ(back.player, "无");
    EXPECT_EQ(back.description, std::vector<std::string>{"无"});
    EXPECT_EQ(WriteReplayText(back), bytes);
}

TEST(ReplayParse, CrlfFileReadsLikeLf) {
    const std::string lf = WriteReplayText(BigRecord());
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ReplayRecord back;
    std::string why;
    ASSERT_TRUE(ParseReplayText(crlf, back, why)) << why;
    EXPECT_EQ(back, BigRecord());
}

TEST(ReplayParse, ExtremeButLegalValuesAreAccepted) {
    ReplayRecord r = NamedSmallRecord();
    r.stages[0].snapshot = {INT_MIN, INT_MAX, INT_MIN, INT64_MIN, INT_MAX};
    r.stages[1].snapshot.score = INT64_MAX;
    r.stages[1].masks.assign(kReplayMaxFrames, 255);
    ReplayRecord back;
    std::string why;
    ASSERT_TRUE(ParseReplayText(WriteReplayText(r), back, why)) << why;
    EXPECT_EQ(back, r);
}

// Texts of the longest length read back: the space written after a text
// must not push its line past what the reader takes (found by fuzzing a
// name line of exactly 4096 bytes).
TEST(ReplayParse, TextsOfTheLongestLengthReadBackAfterTheirSpace) {
    ReplayRecord r = NamedSmallRecord();
    r.name.assign(kReplayMaxTextBytes, 'n');
    r.player.assign(kReplayMaxTextBytes, 'p');
    r.key.assign(kReplayMaxTextBytes, '7');
    r.description.assign(2, std::string(kReplayMaxTextBytes, 'd'));
    std::string why;
    ASSERT_TRUE(ValidateReplayRecord(r, why)) << why;
    ReplayRecord back;
    ASSERT_TRUE(ParseReplayText(WriteReplayText(r), back, why)) << why;
    EXPECT_EQ(back, r);
}

// Every prefix that stops before the last number begins lacks a promised
// number and must be refused, leaving the output alone.
TEST(ReplayParse, TruncatedFilesAreRefused) {
    const std::string good = WriteReplayText(SmallRecord());
    const std::size_t lastNumber = good.find_last_of(' ', good.size() - 2) + 1;
    const ReplayRecord sentinel = BigRecord();
    for (std::size_t cut = 0; cut < lastNumber; ++cut) {
        ReplayRecord out = sentinel;
        std::string why;
        EXPECT_FALSE(ParseReplayText(std::string_view(good).substr(0, cut), out, why)) << "cut at " << cut;
        EXPECT_FALSE(why.empty()) << "cut at " << cut;
        EXPECT_EQ(out, sentinel) << "cut at " << cut;
    }
    ReplayRecord out;
    std::string why;
    EXPECT_TRUE(ParseReplayText(good.substr(0, good.size() - 1), out, why)) << "only the final space missing";
}

struct BrokenFile {
    const char* what;
    std::string bytes;
    const char* reason;  // part of the expected message
};

std::string Texts(const std::string& countLine = "1") {
    return "0\n" + kNone + " \n" + kNone + " \n" + countLine + "\n" + kNone + " \n2024/01/01 00:00:00\n";
}

TEST(ReplayParse, BrokenFilesAreRefusedWithAReason) {
    const std::string t = Texts();
    const std::vector<BrokenFile> cases = {
        {"empty file", "", "the file is empty"},
        {"only texts", t, "difficulty is missing"},
        {"huge frame count", t + "0 1 0 0 1 1 2000000000 400 2 0 0 0 ",
         "stage 1: frame count 2000000000 is out of range (0..99999)"},
        {"a frame more than a row holds", t + "0 1 0 0 1 1 100000 ", "frame count 100000 is out of range"},
        {"frame count beyond int64", t + "0 1 0 0 1 1 99999999999999999999 ", "frame count 99999999999999999999 is"},
        {"count without its masks", t + "0 1 0 0 1 1 99999 400 2 0 0 0 1 ", "stage 1: frame 2: mask is missing"},
        {"start stage 0", t + "0 1 0 0 0 1 ", "start stage 0 is out of range (1..7)"},
        {"end stage 9", t + "0 1 0 0 1 9 ", "end stage 9 is out of range (1..7)"},
        {"start stage 8", t + "0 1 0 0 8 8 ", "start stage 8 is out of range"},
        {"end before start", t + "0 1 0 0 5 2 ", "end stage 2 is before start stage 5"},
        {"difficulty 4", t + "4 1 0 0 1 1 ", "difficulty 4 is out of range (0..3)"},
        {"difficulty -1", t + "-1 1 0 0 1 1 ", "difficulty -1 is out of range"},
        {"character 4", t + "0 4 0 0 1 1 ", "character 4 is out of range (1..3)"},
        {"character 0", t + "0 0 0 0 1 1 ", "character 0 is out of range"},
        {"practice 2", t + "0 1 2 0 1 1 ", "practice mode 2 is out of range (0..1, or 1001..1099 for a spell practice)"},
        {"auto bomb 2", t + "0 1 0 2 1 1 ", "auto bomb 2 is out of range (0..1)"},
        {"letters for lives", t + "0 1 0 0 1 1 3 400 two 0 0 0 ", "stage 1: lives \"two\" is not a number"},
        {"digits then letters", t + "0 1 0 0 1 1 3 400 2 0 0 0 1 12ab 3 ", "stage 1: frame 2: mask \"12ab\" is not"},
        {"a lone sign", t + "0 1 - ", "practice mode \"-\" is not a number"},
        {"mask 256", t + "0 1 0 0 1 1 3 400 2 0 0 0 1 256 3 ", "stage 1: frame 2: mask 256 is out of range (0..255)"},
        {"negative mask", t + "0 1 0 0 1 1 3 400 2 0 0 0 -1 ", "stage 1: frame 1: mask -1 is out of range"},
        {"lives beyond int", t + "0 1 0 0 1 1 0 400 2147483648 ", "lives 2147483648 is out of range"},
        {"score beyond int64", t + "0 1 0 0 1 1 0 400 2 0 9223372036854775808 ", "score 9223372036854775808 is out"},
        {"second stage cut", t + "0 1 0 0 1 2 1 400 2 0 0 0 5 0 400 ", "stage 2: lives is missing"},
        {"trailing junk", t + "0 1 0 0 1 1 0 400 2 0 0 0 x", "unexpected \"x\" after the last stage"},
        {"description count 100000000", Texts("100000000") + "0 1 0 0 1 1 ",
         "description line count 100000000 is out of range (0..1000)"},
        {"description count not a number", Texts("many") + "0 1 0 0 1 1 ", "description line count \"many\" is not"},
        {"promised description lines", "0\na \nb \n5\none\n", "description line 2 of 5 is missing"},
        {"no date line", "0\na \nb \n1\none \n", "date line is missing"},
        {"name too long", "0\n" + std::string(5000, 'n') + " \n", "replay name is longer than 4096 bytes"},
    };
    const ReplayRecord sentinel = SmallRecord();
    for (const BrokenFile& c : cases) {
        ReplayRecord out = sentinel;
        std::string why;
        EXPECT_FALSE(ParseReplayText(c.bytes, out, why)) << c.what;
        EXPECT_NE(why.find(c.reason), std::string::npos) << c.what << ": got \"" << why << "\"";
        EXPECT_EQ(why.find('\n'), std::string::npos) << c.what;
        EXPECT_EQ(out, sentinel) << c.what;
    }
}

// A description edited by hand without its count: the date and the numbers
// would be read from the wrong lines (a long game's numbers then read as a
// date line "longer than 4096 bytes"). The reason names the real fault.
TEST(ReplayParse, ADescriptionCountThatDisagreesWithItsLinesIsNamed) {
    ReplayRecord r = BigRecord();
    r.description = {"first line", "2024/01/01 is only a line of text"};
    const std::string good = WriteReplayText(r);
    const std::size_t countAt = good.find("\n2\n") + 1;
    ASSERT_NE(countAt, std::string::npos + 1);
    ReplayRecord out;
    std::string why;
    ASSERT_TRUE(ParseReplayText(good, out, why)) << why;
    EXPECT_EQ(out, r) << "a date-like description line does not confuse the reader";
    for (const char* count : {"1", "3", "0"}) {
        std::string edited = good;
        edited[countAt] = count[0];
        why.clear();
        EXPECT_FALSE(ParseReplayText(edited, out, why)) << count;
        EXPECT_EQ(why, std::string("description line count ") + count +
                           " disagrees with the description: the date line is line 7, after 2 description lines")
            << count;
    }
}

TEST(ReplayValidate, RecordsTheReaderWouldRefuseAreCaught) {
    std::string why;
    EXPECT_TRUE(ValidateReplayRecord(BigRecord(), why)) << why;

    ReplayRecord r = SmallRecord();
    r.stages[0].masks.assign(kReplayMaxFrames + 1, 0);
    EXPECT_FALSE(ValidateReplayRecord(r, why));
    EXPECT_EQ(why, "stage 2: frame count 100000 is out of range (0..99999)");

    r = SmallRecord();
    r.stages[1].masks = {1, 2, 300};
    EXPECT_FALSE(ValidateReplayRecord(r, why));
    EXPECT_EQ(why, "stage 3: frame 3: mask 300 is out of range (0..255)");

    r = SmallRecord();
    r.stages.clear();
    EXPECT_FALSE(ValidateReplayRecord(r, why));

    r = SmallRecord();
    r.description.assign(kReplayMaxDescriptionLines + 1, "x");
    EXPECT_FALSE(ValidateReplayRecord(r, why));

    r = SmallRecord();
    r.player.assign(kReplayMaxTextBytes + 1, 'p');
    EXPECT_FALSE(ValidateReplayRecord(r, why));
}

TEST(ReplayState, ApplyFillsTheRowsAndZeroesEverythingPastTheCount) {
    auto state = std::make_unique<GameState>();
    for (auto& row : state->replayInputs) row.fill(0x7F);
    const ReplayRecord r = SmallRecord();
    ASSERT_TRUE(ApplyReplayToState(r, *state));

    EXPECT_EQ(state->difficulty, 2);
    EXPECT_EQ(state->character, 3);
    EXPECT_EQ(state->practiceMode, 0);
    EXPECT_EQ(state->autoBomb, 1);
    EXPECT_EQ(state->startStage, 2);
    EXPECT_EQ(state->replayEndStage, 3);
    EXPECT_EQ(state->replayStageFrames[2], 3);
    EXPECT_EQ(state->replayStageFrames[3], 0);
    EXPECT_EQ(state->snapshots[2].score, 123456789012LL);
    EXPECT_EQ(state->snapshots[3].lives, -1);

    const auto& row2 = state->replayInputs[2];
    EXPECT_EQ(row2[0], 0);
    EXPECT_EQ(row2[1], 0);
    EXPECT_EQ(row2[2], 17);
    EXPECT_EQ(row2[3], 255);
    EXPECT_TRUE(std::all_of(row2.begin() + 4, row2.end(), [](std::int32_t m) { return m == 0; }));
    EXPECT_TRUE(std::all_of(state->replayInputs[3].begin(), state->replayInputs[3].end(),
                            [](std::int32_t m) { return m == 0; }));
    EXPECT_EQ(state->replayInputs[1][5], 0x7F) << "stages outside the record are not its business";
}

TEST(ReplayState, ApplyRefusesAnInvalidRecordAndLeavesTheStateAlone) {
    auto state = std::make_unique<GameState>();
    state->difficulty = 1;
    ReplayRecord r = SmallRecord();
    r.character = 9;
    EXPECT_FALSE(ApplyReplayToState(r, *state));
    EXPECT_EQ(state->difficulty, 1);
    EXPECT_EQ(state->replayStageFrames[2], 0);
}

TEST(ReplayState, RecordFromStateTakesTheStagesPlayedAndPlaysBackTheSame) {
    auto state = std::make_unique<GameState>();
    state->difficulty = 1;
    state->character = 2;
    state->autoBomb = 1;
    state->startStage = 3;
    state->stage = 4;
    state->replayStageFrames[3] = 4;
    state->replayStageFrames[4] = 2;
    state->replayStageFrames[5] = 9;  // an earlier game's stage 5
    state->snapshots[3] = {500, 3, 77, 98765, 12};
    for (int f = 0; f < 10; ++f) {
        state->replayInputs[3][f] = f * 10;
        state->replayInputs[4][f] = f;
    }
    std::tm when{};
    when.tm_year = 125;
    when.tm_mday = 1;
    const ReplayRecord r = RecordFromState(*state, {"", "名字", "me", "line 1\nline 2"}, when);

    EXPECT_EQ(r.date, "2025/01/01 00:00:00");
    EXPECT_EQ(r.description, (std::vector<std::string>{"line 1", "line 2"}));
    EXPECT_EQ(r.endStage(), 4);
    ASSERT_EQ(r.stages.size(), 2u);
    EXPECT_EQ(r.stages[0].masks, (std::vector<std::int32_t>{10, 20, 30, 40}));
    EXPECT_EQ(r.stages[1].masks, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(r.stages[0].snapshot.grazeCount, 77);

    auto played = std::make_unique<GameState>();
    ASSERT_TRUE(ApplyReplayToState(r, *played));
    for (int s = 3; s <= 4; ++s) {
        EXPECT_EQ(played->replayStageFrames[s], state->replayStageFrames[s]);
        for (int f = 1; f <= state->replayStageFrames[s]; ++f)
            EXPECT_EQ(played->replayInputs[s][f], state->replayInputs[s][f]) << s << ":" << f;
    }
}

TEST(ReplayState, RecordFromStateKeepsWithinTheRowAndTheStages) {
    auto state = std::make_unique<GameState>();
    state->character = 1;
    state->startStage = 7;
    state->stage = 7;
    state->replayStageFrames[7] = kReplayFramesPerStage;  // the frame counter ran one past the row
    EXPECT_EQ(RecordFromState(*state, {}, std::tm{}).stages[0].masks.size(), std::size_t(kReplayMaxFrames));

    state->stage = 6;  // nothing sensible to save
    std::string why;
    EXPECT_FALSE(ValidateReplayRecord(RecordFromState(*state, {}, std::tm{}), why));
}

TEST(ReplayDisk, SaveCreatesTheFolderAndLeavesOnlyTheFile) {
    TempDir dir;
    const std::string path = dir.file(ReplaySlotPath(3));
    const ReplayRecord r = BigRecord();
    ASSERT_TRUE(SaveReplayFile(path, r));
    EXPECT_EQ(ReadBytes(path), WriteReplayText(r));
    EXPECT_EQ(FolderEntries(dir.path() / "Replay"), std::vector<std::string>{"rvx03.rpy"});

    std::string why;
    const std::optional<ReplayRecord> loaded = LoadReplayFile(path, why);
    ASSERT_TRUE(loaded) << why;
    EXPECT_EQ(*loaded, r);
}

TEST(ReplayDisk, FailedSavesLeaveTheOldFileWhole) {
    TempDir dir;
    const std::string path = dir.file("Replay/rvx01.rpy");
    ASSERT_TRUE(SaveReplayFile(path, SmallRecord()));
    const std::string before = ReadBytes(path);

    ReplayRecord bad = BigRecord();
    bad.difficulty = 7;
    EXPECT_FALSE(SaveReplayFile(path, bad));
    EXPECT_EQ(ReadBytes(path), before);

    dir.write("blocker", "a file where a folder should be");
    EXPECT_FALSE(SaveReplayFile(dir.file("blocker/rvx01.rpy"), SmallRecord()));

    std::filesystem::create_directories(dir.path() / "Replay/rvx02.rpy");  // a folder in the file's place
    EXPECT_FALSE(SaveReplayFile(dir.file("Replay/rvx02.rpy"), SmallRecord()));
    EXPECT_EQ(FolderEntries(dir.path() / "Replay"), (std::vector<std::string>{"rvx01.rpy", "rvx02.rpy"}));

    ASSERT_TRUE(SaveReplayFile(path, BigRecord()));
    EXPECT_EQ(ReadBytes(path), WriteReplayText(BigRecord()));
}

TEST(ReplayDisk, LoadReportsMissingAndBrokenFiles) {
    TempDir dir;
    std::string why;
    EXPECT_FALSE(LoadReplayFile(dir.file("Replay/rvx05.rpy"), why));
    EXPECT_NE(why.find("rvx05.rpy"), std::string::npos) << why;

    dir.write("Replay/rvx06.rpy", Texts() + "0 5 0 0 1 1 ");
    EXPECT_FALSE(LoadReplayFile(dir.file("Replay/rvx06.rpy"), why));
    EXPECT_EQ(why, "character 5 is out of range (1..3)");
}

}  // namespace
}  // namespace korvid
