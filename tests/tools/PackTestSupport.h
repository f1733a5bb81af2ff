// Test helpers for the pack generator: running commands, reading members
// out of the built pack with unzip.
#pragma once

#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "support/TestPaths.h"

namespace korvid::packtest {

inline const std::string kPackPath = korvid::test::BinaryPath("/gamedat.zip");
inline const std::string kPackgenPath = korvid::test::BinaryPath("/packgen");
inline constexpr const char* kPackPassword = "qorvantelmisbe";

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output only
};

inline CommandResult RunCommand(const std::string& command) {
    CommandResult r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.output.append(buffer, n);
    int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes of one member of the built pack (empty when missing).
inline std::vector<std::uint8_t> PackMember(const std::string& name) {
    CommandResult r = RunCommand(std::string("unzip -p -P ") + kPackPassword + " '" + kPackPath + "' '" + name +
                                 "' 2>/dev/null");
    return std::vector<std::uint8_t>(r.output.begin(), r.output.end());
}

// Member names of the built pack, one per line of `unzip -Z1`.
inline std::vector<std::string> PackNames() {
    CommandResult r = RunCommand(std::string("unzip -Z1 '") + kPackPath + "' 2>/dev/null");
    std::vector<std::string> names;
    std::string line;
    for (char c : r.output) {
        if (c == '\n') {
            if (!line.empty()) names.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return names;
}

}  // namespace korvid::packtest
