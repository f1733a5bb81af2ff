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
    app->add_flag("--version", o.version, "print the version and exit");
    app->add_flag("-h,--help", o.help, "this text");
    return app;
}

// The option whose value is missing: the first value option that is last or
// followed by another option.
std::string optionMissingItsValue(const std::vector<std::string>& args) {
    static const char* const kValued[] = {"--frames", "--screenshot", "--dir", "--pack",
                                          "--keys",   "--replay",     "--record", "--coverage-log"};
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
    if (opt.verify && opt.replayFile.empty()) {
        error = "--verify needs --replay PATH";
        return std::nullopt;
    }
    return opt;
}

}  // namespace korvid
