// The korvid executable: parse the command line and run the game.
#include <cstdio>
#include <string>
#include <vector>

#include "app/Boot.h"
#include "app/CommandLine.h"
#include "engine/QuitSignals.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = korvid::ParseCommandLine(args, error);
    if (!options) {
        std::fprintf(stderr, "korvid: %s\n", error.c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(korvid::UsageText(), stdout);
        return 0;
    }
    if (options->version) {
        std::fputs(korvid::VersionText(), stdout);
        return 0;
    }
    const int status = korvid::RunGame(*options);
    // Stopped by SIGINT or SIGTERM: everything promised is written; now end
    // as that signal would have, so shells and `timeout` see why.
    korvid::RaisePendingQuitSignal();
    return status;
}
