#include "app/KeyScript.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace korvid {

namespace {

// Far beyond any real run (about 19 days at 60 fps), and small enough that
// "last frame + 1" never overflows.
constexpr int kMaxFrame = 100'000'000;

struct NamedKey {
    std::string_view name;
    int vk;
    int alsoVk;  // a second code that reads held with it, 0 = none
};

// A physical Shift, Ctrl or Alt key is also seen under the generic code the
// game asks for; the plain names stand for the left-hand key.
constexpr NamedKey kNamedKeys[] = {
    {"LBUTTON", 1, 0},    {"RBUTTON", 2, 0},   {"DELETE", 46, 0},    {"HOME", 36, 0},
    {"END", 35, 0},       {"BACKSPACE", 8, 0},  {"BACK", 8, 0},      {"TAB", 9, 0},        {"RETURN", 13, 0},
    {"ENTER", 13, 0},     {"SHIFT", 16, 160},  {"CONTROL", 17, 162}, {"CTRL", 17, 162},
    {"MENU", 18, 164},    {"ALT", 18, 164},    {"PAUSE", 19, 0},     {"CAPSLOCK", 20, 0},
    {"CAPITAL", 20, 0},   {"ESCAPE", 27, 0},   {"ESC", 27, 0},       {"SPACE", 32, 0},
    {"LEFT", 37, 0},      {"UP", 38, 0},       {"RIGHT", 39, 0},     {"DOWN", 40, 0},
    {"LSHIFT", 160, 16},  {"RSHIFT", 161, 16}, {"LCONTROL", 162, 17}, {"RCONTROL", 163, 17},
    {"PAGEUP", 33, 0},    {"PAGEDOWN", 34, 0},
};

constexpr int kF1 = 112;
constexpr int kFunctionKeys = 12;

constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// A decimal number without sign; nullopt for anything else or too large.
std::optional<int> parseNumber(std::string_view s) {
    if (s.empty() || s.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The codes a key name holds: {vk, alsoVk}, vk 0 when the name is unknown.
std::pair<int, int> resolveKey(std::string_view name) {
    const std::string key = upper(name);
    if (key.size() == 1 && ((key[0] >= 'A' && key[0] <= 'Z') || (key[0] >= '0' && key[0] <= '9')))
        return {key[0], 0};  // VK codes of letters and digits are their ASCII codes
    if (key.size() >= 2 && key[0] == 'F') {
        const auto n = parseNumber(std::string_view(key).substr(1));
        if (n && *n >= 1 && *n <= kFunctionKeys && key[1] != '0') return {kF1 + *n - 1, 0};
    }
    for (const NamedKey& named : kNamedKeys)
        if (named.name == key) return {named.vk, named.alsoVk};
    return {0, 0};
}

struct Rule {
    int from, to, vk;
};

// `"text"` with the escapes \" \\ \n (Enter) and \b (Backspace).
std::string parseQuoted(std::string_view s, std::string& out) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') return "text must be in double quotes";
    s = s.substr(1, s.size() - 2);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size()) return "text ends in a lone '\\'";
        switch (s[i]) {
            case 'n': out += '\n'; break;
            case 'b': out += '\b'; break;
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            default: return std::string("unknown escape '\\") + s[i] + "'";
        }
    }
    return {};
}

// `MOUSE x y` or `CLICK x y` after the frame; one frame only.
std::string parsePointer(std::string_view args, int frame, bool click, std::vector<Rule>& rules,
                         std::vector<KeyScript::MouseRule>& mice) {
    const auto blank = args.find_first_of(kBlanks);
    const auto x = parseNumber(trim(args.substr(0, blank)));
    const auto y = blank == std::string_view::npos ? std::nullopt : parseNumber(trim(args.substr(blank)));
    if (!x || !y) return "expected 'x y' in game pixels";
    mice.push_back({frame, static_cast<float>(*x), static_cast<float>(*y)});
    if (click) rules.push_back({frame, frame, 1});
    return {};
}

// Reads one non-empty rule line into `rules`; returns the problem, or empty.
std::string parseRule(std::string_view body, std::vector<Rule>& rules, std::vector<KeyScript::MouseRule>& mice,
                      std::vector<KeyScript::TextRule>& texts) {
    const auto blank = body.find_first_of(kBlanks);
    const std::string_view frames = body.substr(0, blank);
    const std::string_view keys = blank == std::string_view::npos ? std::string_view{} : trim(body.substr(blank));

    const auto dash = frames.find('-');
    const auto from = parseNumber(frames.substr(0, dash));
    const auto to = dash == std::string_view::npos ? from : parseNumber(frames.substr(dash + 1));
    if (!from || !to || *to > kMaxFrame) return "bad frame range '" + std::string(frames) + "'";
    if (*from < 1) return "frames count from 1";
    if (*to < *from) return "range '" + std::string(frames) + "' ends before it starts";
    if (keys.empty()) return "no keys";

    const auto wordEnd = keys.find_first_of(kBlanks);
    const std::string word = upper(keys.substr(0, wordEnd));
    const std::string_view args = wordEnd == std::string_view::npos ? std::string_view{} : trim(keys.substr(wordEnd));
    if (word == "MOUSE" || word == "CLICK" || word == "TEXT") {
        if (*to != *from) return word + " takes one frame, not a range";
        if (word != "TEXT") return parsePointer(args, *from, word == "CLICK", rules, mice);
        KeyScript::TextRule text{*from, {}};
        if (std::string problem = parseQuoted(args, text.utf8); !problem.empty()) return problem;
        texts.push_back(std::move(text));
        return {};
    }

    std::string_view rest = keys;
    while (true) {
        const auto plus = rest.find('+');
        std::string_view piece = trim(rest.substr(0, plus));
        if (piece.empty()) return "missing key around '+'";
        // Keys may also be separated by blanks within a piece.
        while (!piece.empty()) {
            const auto end = piece.find_first_of(kBlanks);
            const std::string_view name = piece.substr(0, end);
            const auto [vk, alsoVk] = resolveKey(name);
            if (vk == 0) return "unknown key '" + std::string(name) + "'";
            rules.push_back({*from, *to, vk});
            if (alsoVk != 0) rules.push_back({*from, *to, alsoVk});
            piece = end == std::string_view::npos ? std::string_view{} : trim(piece.substr(end));
        }
        if (plus == std::string_view::npos) break;
        rest = rest.substr(plus + 1);
    }
    return {};
}

// Where a '#' comment begins; a '#' inside a quoted text is text.
std::size_t commentStart(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && quoted) ++i;
        else if (line[i] == '"') quoted = !quoted;
        else if (line[i] == '#' && !quoted) return i;
    }
    return std::string_view::npos;
}

}  // namespace

std::optional<KeyScript> KeyScript::parse(std::string_view text, std::string& error, std::string_view source) {
    std::vector<Rule> rules;
    std::vector<MouseRule> mice;
    std::vector<TextRule> texts;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        const std::string_view body = trim(line.substr(0, commentStart(line)));
        if (body.empty()) continue;
        if (std::string problem = parseRule(body, rules, mice, texts); !problem.empty()) {
            std::ostringstream message;
            message << source << ':' << lineNumber << ": " << problem << " in '" << line << "'";
            error = message.str();
            return std::nullopt;
        }
    }

    // Sweep the rule boundaries once so that each segment carries the exact
    // set of keys held until the next boundary.
    struct Change {
        int frame, vk, delta;
    };
    std::vector<Change> changes;
    changes.reserve(rules.size() * 2);
    KeyScript script;
    std::stable_sort(mice.begin(), mice.end(), [](const MouseRule& a, const MouseRule& b) { return a.frame < b.frame; });
    std::stable_sort(texts.begin(), texts.end(), [](const TextRule& a, const TextRule& b) { return a.frame < b.frame; });
    for (const MouseRule& m : mice) script.lastFrame_ = std::max(script.lastFrame_, m.frame);
    for (const TextRule& t : texts) script.lastFrame_ = std::max(script.lastFrame_, t.frame);
    script.mice_ = std::move(mice);
    script.texts_ = std::move(texts);
    for (const Rule& rule : rules) {
        changes.push_back({rule.from, rule.vk, +1});
        changes.push_back({rule.to + 1, rule.vk, -1});
        script.lastFrame_ = std::max(script.lastFrame_, rule.to);
    }
    std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.frame < b.frame; });

    std::array<int, 256> holders{};
    KeyMask mask{};
    for (std::size_t i = 0; i < changes.size();) {
        const int frame = changes[i].frame;
        for (; i < changes.size() && changes[i].frame == frame; ++i) {
            const int vk = changes[i].vk;
            holders[static_cast<std::size_t>(vk)] += changes[i].delta;
            const std::uint64_t bit = std::uint64_t{1} << (vk % 64);
            auto& word = mask[static_cast<std::size_t>(vk / 64)];
            word = holders[static_cast<std::size_t>(vk)] > 0 ? (word | bit) : (word & ~bit);
        }
        if (script.segments_.empty() || script.segments_.back().keys != mask)
            script.segments_.push_back({frame, mask});
    }
    return script;
}

std::optional<KeyScript> KeyScript::load(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read the key script";
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parse(text, error, path);
}

bool KeyScript::held(int frame, int vk) const {
    if (vk < 0 || vk > 255) return false;
    const auto after = std::upper_bound(segments_.begin(), segments_.end(), frame,
                                        [](int f, const Segment& s) { return f < s.start; });
    if (after == segments_.begin()) return false;
    const KeyMask& keys = std::prev(after)->keys;
    return (keys[static_cast<std::size_t>(vk / 64)] >> (vk % 64)) & 1u;
}

bool KeyScript::usesKey(int vk) const {
    if (vk < 0 || vk > 255) return false;
    for (const Segment& seg : segments_)
        if ((seg.keys[static_cast<std::size_t>(vk) / 64] >> (vk % 64)) & 1u) return true;
    return false;
}

bool KeyScript::mouseAt(int frame, float* x, float* y) const {
    const auto after = std::upper_bound(mice_.begin(), mice_.end(), frame,
                                        [](int f, const MouseRule& m) { return f < m.frame; });
    if (after == mice_.begin()) return false;
    *x = std::prev(after)->x;
    *y = std::prev(after)->y;
    return true;
}

std::string KeyScript::textAt(int frame) const {
    std::string typed;
    for (const TextRule& t : texts_)
        if (t.frame == frame) typed += t.utf8;
    return typed;
}

}  // namespace korvid
