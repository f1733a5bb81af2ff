// Runs the built game headless as a separate process, as a player's command
// line would, and keeps what it printed.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>
#include "support/TestPaths.h"

namespace korvid::test {

struct GameRun {
    int status = -1;
    std::string out;                 // standard output and error
    std::vector<std::string> lines;  // the state lines ("screen=..."), in order
    std::string last() const { return lines.empty() ? std::string() : lines.back(); }
};

// `korvid --headless ARGS`, its exit status and output.
inline GameRun RunHeadless(const std::string& args) {
    const std::string cmd = korvid::test::BinaryDir() + "/korvid --headless " + args + " 2>&1";
    GameRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("screen=", 0) == 0) r.lines.push_back(line);
    return r;
}

// The last state line of a run's output, or empty.
inline std::string LastStateLine(const std::string& out) {
    std::istringstream in(out);
    std::string line, found;
    while (std::getline(in, line))
        if (line.rfind("screen=", 0) == 0) found = line;
    return found;
}

}  // namespace korvid::test
