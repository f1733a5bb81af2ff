// Where the sources and the build tree are. Only TestPaths.cpp knows them,
// so every other test file compiles to the same object in any checkout.
#pragma once

#include <string>

namespace korvid::test {

const std::string& SourceDir();
const std::string& BinaryDir();
inline std::string SourcePath(const char* relative) { return SourceDir() + relative; }
inline std::string BinaryPath(const char* relative) { return BinaryDir() + relative; }

}  // namespace korvid::test
