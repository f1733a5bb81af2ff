#include "app/CommandLine.h"

#include <charconv>

namespace korvid {

namespace {

bool parseInt(const std::string& s, int& out) {
    if (s.empty()) return false;
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && p == end;
}

}  // namespace

const char* UsageText() {
    return "usage: korvid [options]\n"
           "  --headless            run without a window or sound device\n"
           "  --frames N            stop after N frames\n"
           "  --screenshot N:PATH   write frame N's picture as a PNG (may repeat)\n"
           "  --dir DIR             the game folder (default $XDG_DATA_HOME/korvid)\n"
           "  --pack PATH           use this resource pack instead of the usual one\n"
           "  --keys FILE           feed held keys per frame from FILE\n"
           "  --replay PATH         play this replay file from its first stage\n"
           "  --verify              with --replay: check each stage's stored counters\n"
           "  --record PATH         save the run's replay record to PATH at exit\n"
           "  --print-state         print the game state (with its hash) at exit\n"
           "  --trace               print the game state after every frame\n"
           "  --trace-hash          like --trace, with the state hash\n"
           "  --coverage-log PATH   list every texture rectangle drawn (for the pack check)\n"
           "  --help                this text\n";
}

std::optional<Options> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
    Options opt;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "option " + a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--headless") {
            opt.headless = true;
        } else if (a == "--help" || a == "-h") {
            opt.help = true;
        } else if (a == "--frames") {
            if (!value(v)) return std::nullopt;
            if (!parseInt(v, opt.frames) || opt.frames < 0) {
                error = "--frames needs a non-negative number, not '" + v + "'";
                return std::nullopt;
            }
        } else if (a == "--screenshot") {
            if (!value(v)) return std::nullopt;
            const std::size_t colon = v.find(':');
            Screenshot s;
            if (colon == std::string::npos || !parseInt(v.substr(0, colon), s.frame) || s.frame < 1 ||
                colon + 1 >= v.size()) {
                error = "--screenshot needs N:PATH, not '" + v + "'";
                return std::nullopt;
            }
            s.path = v.substr(colon + 1);
            opt.screenshots.push_back(s);
        } else if (a == "--dir") {
            if (!value(opt.dir)) return std::nullopt;
        } else if (a == "--pack") {
            if (!value(opt.pack)) return std::nullopt;
        } else if (a == "--keys") {
            if (!value(opt.keysFile)) return std::nullopt;
        } else if (a == "--replay") {
            if (!value(opt.replayFile)) return std::nullopt;
        } else if (a == "--record") {
            if (!value(opt.recordFile)) return std::nullopt;
        } else if (a == "--coverage-log") {
            if (!value(opt.coverageLog)) return std::nullopt;
        } else if (a == "--verify") {
            opt.verify = true;
        } else if (a == "--print-state") {
            opt.printState = true;
        } else if (a == "--trace") {
            opt.trace = true;
        } else if (a == "--trace-hash") {
            opt.trace = true;
            opt.traceHash = true;
        } else {
            error = "unknown option '" + a + "' (try --help)";
            return std::nullopt;
        }
    }
    if (opt.verify && opt.replayFile.empty()) {
        error = "--verify needs --replay PATH";
        return std::nullopt;
    }
    return opt;
}

}  // namespace korvid
