// The manifest reader: JSON parsing, the checks made when the manifest is
// loaded, and the rules for kinds and region seeds.
#include <gtest/gtest.h>

#include <set>

#include "Json.h"
#include "Manifest.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

using packgen::Json;
using packgen::JsonError;
using packgen::Manifest;

TEST(JsonTest, ReadsNestedValuesAndKeepsKeyOrder) {
    Json j = Json::parse(R"({"b": [1, 2.5, -3e2], "a": {"t": true, "f": false, "n": null}, "s": "x"})");
    ASSERT_TRUE(j.isObject());
    EXPECT_EQ(j.members()[0].first, "b");
    EXPECT_EQ(j.members()[1].first, "a");
    EXPECT_DOUBLE_EQ(j["b"][1].number(), 2.5);
    EXPECT_DOUBLE_EQ(j["b"][2].number(), -300);
    EXPECT_TRUE(j["a"]["t"].boolean());
    EXPECT_FALSE(j["a"]["f"].boolean());
    EXPECT_TRUE(j["a"]["n"].isNull());
    EXPECT_TRUE(j["missing"].isNull());
    EXPECT_EQ(j.str("s", "?"), "x");
    EXPECT_EQ(j.integer("nope", 7), 7);
}

TEST(JsonTest, DecodesEscapesAndUnicodeToUtf8) {
    Json j = Json::parse(R"(["a\"b\\c\n", "\u9ed1\u4f53", "\ud83d\ude00", "宋体"])");
    EXPECT_EQ(j[0].string(), "a\"b\\c\n");
    EXPECT_EQ(j[1].string(), "黑体");
    EXPECT_EQ(j[2].string(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(j[3].string(), "宋体");
}

TEST(JsonTest, ErrorsNameTheLine) {
    try {
        Json::parse("{\n  \"a\": 1,\n  \"b\" 2\n}");
        FAIL() << "a missing colon must not parse";
    } catch (const JsonError& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
    EXPECT_THROW(Json::parse("[1, 2"), JsonError);
    EXPECT_THROW(Json::parse("{} extra"), JsonError);
    EXPECT_THROW(Json::parse("\"open"), JsonError);
    EXPECT_THROW(Json::parse("[1]")["x"].number(), JsonError);
}

TEST(ManifestTest, KindsComeFromTheFileNameUnlessGiven) {
    Manifest m = Manifest::parse(R"({"files": [
        {"name": "Graphics/a.png", "size": [8, 8], "regions": []},
        {"name": "Graphics/b.jpg", "size": [8, 8], "regions": []},
        {"name": "Graphics/f.fnt"},
        {"name": "SE/s.wav", "layers": []},
        {"name": "Music/m.ogg", "kind": "music"}]})");
    ASSERT_EQ(m.files().size(), 5u);
    EXPECT_EQ(m.find("Graphics/a.png")->kind, "image");
    EXPECT_EQ(m.find("Graphics/b.jpg")->kind, "image");
    EXPECT_EQ(m.find("Graphics/f.fnt")->kind, "font");
    EXPECT_EQ(m.find("SE/s.wav")->kind, "sound");
    EXPECT_EQ(m.find("Music/m.ogg")->kind, "music");
    EXPECT_EQ(m.find("nothing"), nullptr);
}

TEST(ManifestTest, RejectsRegionsOutsideThePictureDuplicatesAndUnknownKinds) {
    EXPECT_THROW(Manifest::parse(R"({"files": [{"name": "a.png", "size": [16, 16],
        "regions": [{"style": "glow", "x": 8, "y": 0, "w": 9, "h": 4}]}]})"), std::runtime_error);
    EXPECT_THROW(Manifest::parse(R"({"files": [{"name": "a.png", "size": [16, 16], "regions": []},
        {"name": "a.png", "size": [16, 16], "regions": []}]})"), std::runtime_error);
    EXPECT_THROW(Manifest::parse(R"({"files": [{"name": "readme.txt"}]})"), std::runtime_error);
    EXPECT_NO_THROW(Manifest::parse(R"({"files": [{"name": "a.png", "size": [16, 16],
        "regions": [{"style": "glow", "x": 8, "y": 0, "w": 8, "h": 16}]}]})"));
}

TEST(ManifestTest, RegionsNamingTheSameSeedShareItOthersDiffer) {
    Manifest m = Manifest::parse(R"({"files": [{"name": "a.png", "size": [64, 64], "regions": [
        {"style": "noise", "x": 0, "y": 0, "w": 64, "h": 32, "seed": "strip"},
        {"style": "noise", "x": 0, "y": 32, "w": 64, "h": 32, "seed": "strip"},
        {"style": "noise", "x": 0, "y": 0, "w": 64, "h": 32},
        {"style": "noise", "x": 0, "y": 0, "w": 64, "h": 32}]}]})");
    const auto& r = m.files()[0].regions;
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].seed, r[1].seed);
    EXPECT_NE(r[2].seed, r[3].seed);
    EXPECT_NE(r[0].seed, r[2].seed);
}

// An English picture is its picture painted again with the listed texts
// replaced, under "English/", with the same noise; a listed text the
// picture does not have is a mistake in the list.
TEST(ManifestTest, EnglishPicturesReplaceTheirTextsAndKeepTheirNoise) {
    Manifest m = Manifest::parse(R"({"files": [{"name": "a.png", "size": [64, 64], "regions": [
        {"style": "noise", "x": 0, "y": 0, "w": 64, "h": 32},
        {"style": "text", "x": 0, "y": 32, "w": 64, "h": 32, "text": "得点", "lines": ["得点", "残机"]}]}],
        "english": [{"name": "a.png", "texts": {"得点": "Score"}}]})");
    ASSERT_EQ(m.files().size(), 2u);
    const auto& chinese = m.files()[0];
    const auto& english = m.files()[1];
    EXPECT_EQ(english.name, "English/a.png");
    EXPECT_EQ(english.regions[0].seed, chinese.regions[0].seed);
    EXPECT_EQ(english.regions[1].str("text"), "Score");
    EXPECT_EQ(english.regions[1].get("lines")[0].string(), "Score");
    EXPECT_EQ(english.regions[1].get("lines")[1].string(), "残机");
    EXPECT_EQ(chinese.regions[1].str("text"), "得点");
    EXPECT_THROW(Manifest::parse(R"({"files": [{"name": "a.png", "size": [8, 8], "regions": []}],
        "english": [{"name": "a.png", "texts": {"得点": "Score"}}]})"), std::runtime_error);
}

// The real manifest: every picture region lies inside its picture (checked by
// loading), and no two entries collide.
TEST(ManifestTest, ThePackManifestLoads) {
    Manifest m = Manifest::load(korvid::test::SourcePath("/tools/packgen/manifest.json").c_str());
    std::set<std::string> names;
    for (const auto& f : m.files()) {
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
        if (f.kind == "image") {
            EXPECT_FALSE(f.regions.empty()) << f.name << " paints nothing";
        }
    }
    EXPECT_GT(m.files().size(), 200u);
}

}  // namespace
}  // namespace korvid
