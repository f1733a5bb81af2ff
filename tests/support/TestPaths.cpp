#include "support/TestPaths.h"

namespace korvid::test {

const std::string& SourceDir() {
    static const std::string dir = KORVID_SOURCE_DIR;
    return dir;
}

const std::string& BinaryDir() {
    static const std::string dir = KORVID_BINARY_DIR;
    return dir;
}

}  // namespace korvid::test
