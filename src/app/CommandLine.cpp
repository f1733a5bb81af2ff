#include "app/CommandLine.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <memory>

namespace korvid {

namespace {

bool parseInt(const std::string& s, int& out) {
    if (s.empty()) return false;
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && p == end;
}

// What the parser fills before the values are checked: numbers and
// screenshot requests arrive as text so that a bad one gets our own
// one-line message.
struct RawOptions {
    Options opt;
    std::string frames;
    std::string practice, difficulty, character, boss, from, seek, demoAfter;
    std::vector<std::string> screenshots;
};

std::unique_ptr<CLI::App> makeApp(RawOptions& raw) {
    auto app = std::make_unique<CLI::App>("Korvid, a vertical-scrolling bullet-hell shooter.", "korvid");
    app->set_help_flag();  // --help is an ordinary flag: the caller prints the text
    app->allow_extras();   // unknown words are reported by us, one line
    Options& o = raw.opt;
    app->add_flag("--headless", o.headless, "run without a window or sound device");
    app->add_option("--frames", raw.frames, "stop after N frames")->option_text("N");
    app->add_option("--screenshot", raw.screenshots, "write frame N's picture as a PNG (may repeat)")
        ->option_text("N:PATH")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->expected(1);
    app->add_option("--dir", o.dir, "the game folder (default $XDG_DATA_HOME/korvid)")->option_text("DIR");
    app->add_option("--pack", o.pack, "use this resource pack instead of the usual one")->option_text("PATH");
    app->add_option("--keys", o.keysFile, "feed held keys per frame from FILE")->option_text("FILE");
    app->add_option("--replay", o.replayFile, "play this replay file from its first stage")->option_text("PATH");
    app->add_flag("--verify", o.verify, "with --replay: check each stage's stored counters");
    app->add_option("--record", o.recordFile, "save the run's replay record to PATH at exit")->option_text("PATH");
    app->add_flag("--print-state", o.printState, "print the game state (with its hash) at exit");
    app->add_flag("--trace", o.trace, "print the game state after every frame");
    app->add_flag("--trace-hash", o.traceHash, "like --trace, with the state hash");
    app->add_option("--coverage-log", o.coverageLog, "list every texture rectangle drawn (for the pack check)")
        ->option_text("PATH");
    app->add_option("--practice", raw.practice, "start the practice of stage N (1..7) without the menus")
        ->option_text("N");
    app->add_option("--difficulty", raw.difficulty, "with --practice: 0 easy, 1 normal (default), 2 hard")
        ->option_text("D");
    app->add_option("--character", raw.character, "with --practice: character 1 (default), 2 or 3")->option_text("C");
    app->add_option("--from", raw.from,
                    "with --practice or --replay: start the stage's clock at frame F (stage 6 from 8600: the route flag set)")
        ->option_text("F");
    app->add_option("--boss", raw.boss, "with --practice or --replay: bring the fight in at pattern ID at once")
        ->option_text("ID");
    app->add_option("--seek", raw.seek, "with --replay: start at frame N of its play (Page Up/Down jump)")
        ->option_text("N");
    app->add_flag("--autopilot", o.autopilot, "the game plays itself by looking ahead (recorded as usual)");
    app->add_option("--demo-after", raw.demoAfter,
                    "the title's demo play starts after N idle frames (window: 1800; headless: never; 0 never)")
        ->option_text("N");
    app->add_flag("--probe", o.probe, "state lines also show the boss, the clear and the live object counts");
    app->add_flag("--version", o.version, "print the version and exit");
    app->add_flag("-h,--help", o.help, "this text");
    return app;
}

// The option whose value is missing: the first value option that is last or
// followed by another option.
std::string optionMissingItsValue(const std::vector<std::string>& args) {
    static const char* const kValued[] = {"--frames",   "--screenshot", "--dir",        "--pack",
                                          "--keys",     "--replay",     "--record",     "--coverage-log",
                                          "--practice", "--difficulty", "--character", "--boss",
                                          "--from",     "--seek",       "--demo-after"};
    for (std::size_t i = 0; i < args.size(); ++i)
        for (const char* v : kValued)
            if (args[i] == v && (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0)) return v;
    return {};
}

}  // namespace

const char* UsageText() {
    static const std::string text = [] {
        RawOptions raw;
        return makeApp(raw)->help("", CLI::AppFormatMode::Normal);
    }();
    return text.c_str();
}

const char* VersionText() { return "korvid " KORVID_VERSION "\n"; }

std::optional<Options> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
    RawOptions raw;
    auto app = makeApp(raw);
    if (const std::string missing = optionMissingItsValue(args); !missing.empty()) {
        error = "option " + missing + " needs a value";
        return std::nullopt;
    }
    // CLI11 takes the arguments in reverse order.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app->parse(reversed);
    } catch (const CLI::ParseError& e) {
        error = e.what();
        return std::nullopt;
    }
    if (!app->remaining().empty()) {
        error = "unknown option '" + app->remaining().front() + "' (try --help)";
        return std::nullopt;
    }
    Options opt = raw.opt;
    if (opt.traceHash) opt.trace = true;
    if (!raw.frames.empty() && (!parseInt(raw.frames, opt.frames) || opt.frames < 0)) {
        error = "--frames needs a non-negative number, not '" + raw.frames + "'";
        return std::nullopt;
    }
    for (const std::string& v : raw.screenshots) {
        const std::size_t colon = v.find(':');
        Screenshot s;
        if (colon == std::string::npos || !parseInt(v.substr(0, colon), s.frame) || s.frame < 1 ||
            colon + 1 >= v.size()) {
            error = "--screenshot needs N:PATH, not '" + v + "'";
            return std::nullopt;
        }
        s.path = v.substr(colon + 1);
        opt.screenshots.push_back(s);
    }
    // A number in lo..hi, or the option's own message.
    auto number = [&](const std::string& text, const char* name, int lo, int hi, int& out) {
        if (text.empty()) return true;
        if (parseInt(text, out) && out >= lo && out <= hi) return true;
        error = std::string(name) + " needs a number from " + std::to_string(lo) + " to " + std::to_string(hi) +
                ", not '" + text + "'";
        return false;
    };
    if (raw.difficulty == "easy") raw.difficulty = "0";
    if (raw.difficulty == "normal") raw.difficulty = "1";
    if (raw.difficulty == "hard") raw.difficulty = "2";
    if (!number(raw.practice, "--practice", 1, 7, opt.practiceStage) ||
        !number(raw.difficulty, "--difficulty", 0, 2, opt.difficulty) ||
        !number(raw.character, "--character", 1, 3, opt.character) ||
        !number(raw.boss, "--boss", 1, 99, opt.bossPattern) || !number(raw.from, "--from", 1, 99999, opt.fromFrame) ||
        !number(raw.seek, "--seek", 0, 10000000, opt.seekFrame) ||
        !number(raw.demoAfter, "--demo-after", 0, 10000000, opt.demoAfter))
        return std::nullopt;
    if ((!raw.difficulty.empty() || !raw.character.empty()) && opt.practiceStage == 0) {
        error = "--difficulty and --character need --practice N";
        return std::nullopt;
    }
    if (opt.fromFrame != 0 && opt.practiceStage == 0 && opt.replayFile.empty()) {
        error = "--from needs --practice N or --replay PATH";
        return std::nullopt;
    }
    if (opt.bossPattern != 0 && opt.practiceStage == 0 && opt.replayFile.empty()) {
        error = "--boss needs --practice N or --replay PATH";
        return std::nullopt;
    }
    if (opt.practiceStage != 0 && !opt.replayFile.empty()) {
        error = "--practice and --replay cannot be used together";
        return std::nullopt;
    }
    if (!raw.seek.empty() && opt.replayFile.empty()) {
        error = "--seek needs --replay PATH";
        return std::nullopt;
    }
    // The stage checks run on every frame of play: none may be skipped.
    if (!raw.seek.empty() && opt.verify) {
        error = "--seek and --verify cannot be used together";
        return std::nullopt;
    }
    if (!raw.demoAfter.empty() && (opt.practiceStage != 0 || !opt.replayFile.empty() || opt.autopilot)) {
        error = "--demo-after needs the title (not --practice, --replay or --autopilot)";
        return std::nullopt;
    }
    if (opt.verify && opt.replayFile.empty()) {
        error = "--verify needs --replay PATH";
        return std::nullopt;
    }
    return opt;
}

}  // namespace korvid
