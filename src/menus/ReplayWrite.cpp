// Writing a replay: the record's texts and numbers as the file's bytes, the
// check of what may be written, and the save screen's texts as record lines.
#include "menus/ReplayFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "menus/GbkText.h"
#include "menus/ReplayFormat.h"

namespace korvid {

using namespace replay_format;

namespace {

constexpr std::string_view kLineEnd = "\n";       // the platform's line end
constexpr std::string_view kEmptyTextGbk = "\xCE\xDE";  // "无", what an empty box is saved as
constexpr std::string_view kEmptyKey = "0";

// A text on one line of the file: its own line ends would shift every line
// after it, so they become spaces.
std::string oneLineGbk(std::string_view utf8) {
    std::string s = GbkFromUtf8(utf8);
    std::replace_if(s.begin(), s.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return s;
}

void appendNumber(std::string& out, std::int64_t v) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
    out += ' ';
}

// Names are followed by one space; an empty one is saved as "无".
void appendSpacedText(std::string& out, std::string_view utf8) {
    out += utf8.empty() ? std::string(kEmptyTextGbk) : oneLineGbk(utf8);
    out += ' ';
    out += kLineEnd;
}

}  // namespace

std::string ReplayDateLine(const std::tm& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d/%02d/%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

std::vector<std::string> SplitDescriptionLines(std::string_view text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

bool ValidateReplayRecord(const ReplayRecord& r, std::string& why) {
    const std::array<std::int64_t, kHeaderFieldCount> header{r.difficulty, r.character, r.practiceMode,
                                                             r.autoBomb,   r.startStage, r.endStage()};
    for (int i = 0; i < kHeaderFieldCount; ++i) {
        if (inRange(kHeaderRules[i], header[i])) continue;
        why = outOfRange(kHeaderRules[i], std::to_string(header[i]));
        return false;
    }
    if (!validPracticeMode(r.practiceMode)) {
        why = badPracticeMode(r.practiceMode);
        return false;
    }
    if (r.stages.empty()) {
        why = endBeforeStart(r.endStage(), r.startStage);
        return false;
    }
    for (std::size_t i = 0; i < r.stages.size(); ++i) {
        const int stage = r.startStage + static_cast<int>(i);
        const std::vector<std::int32_t>& masks = r.stages[i].masks;
        if (!inRange(kStageRules[kFrameCount], static_cast<std::int64_t>(masks.size()))) {
            why = stagePrefix(stage) + outOfRange(kStageRules[kFrameCount], std::to_string(masks.size()));
            return false;
        }
        const auto bad = std::find_if(masks.begin(), masks.end(), [](std::int32_t m) { return !inRange(kMaskRule, m); });
        if (bad != masks.end()) {
            why = stagePrefix(stage) + "frame " + std::to_string(bad - masks.begin() + 1) + ": " +
                  outOfRange(kMaskRule, std::to_string(*bad));
            return false;
        }
    }
    if (r.description.size() > static_cast<std::size_t>(kReplayMaxDescriptionLines)) {
        why = outOfRange(kDescriptionCountRule, std::to_string(r.description.size()));
        return false;
    }
    const std::string* texts[] = {&r.key, &r.name, &r.player, &r.date};
    const bool textTooLong =
        std::any_of(std::begin(texts), std::end(texts), [](const std::string* t) { return t->size() > kReplayMaxTextBytes; }) ||
        std::any_of(r.description.begin(), r.description.end(),
                    [](const std::string& t) { return t.size() > kReplayMaxTextBytes; });
    if (textTooLong) {
        why = "a text is longer than " + std::to_string(kReplayMaxTextBytes) + " bytes";
        return false;
    }
    return true;
}

std::string WriteReplayText(const ReplayRecord& r) {
    std::size_t frames = 0;
    for (const ReplayStageRecord& st : r.stages) frames += st.masks.size();
    std::string out;
    out.reserve(256 + frames * 4);

    out += r.key.empty() ? std::string(kEmptyKey) : oneLineGbk(r.key);
    out += kLineEnd;
    appendSpacedText(out, r.name);
    appendSpacedText(out, r.player);
    out += std::to_string(r.description.empty() ? 1 : r.description.size());
    out += kLineEnd;
    if (r.description.empty()) appendSpacedText(out, "");
    for (std::size_t i = 0; i < r.description.size(); ++i) {
        out += oneLineGbk(r.description[i]);
        if (i + 1 == r.description.size()) out += ' ';
        out += kLineEnd;
    }
    out += oneLineGbk(r.date);
    out += kLineEnd;

    for (std::int64_t v : {r.difficulty, r.character, r.practiceMode, r.autoBomb, r.startStage, r.endStage()})
        appendNumber(out, v);
    for (const ReplayStageRecord& st : r.stages) {
        const StageSnapshot& snap = st.snapshot;
        for (std::int64_t v : {static_cast<std::int64_t>(st.masks.size()), std::int64_t{snap.bombGauge},
                               std::int64_t{snap.lives}, std::int64_t{snap.grazeCount}, snap.score,
                               std::int64_t{snap.maxPowerFrames}})
            appendNumber(out, v);
        for (std::int32_t m : st.masks) appendNumber(out, m);
    }
    return out;
}

}  // namespace korvid
