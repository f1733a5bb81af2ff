// Test helper: a fresh directory under the system temp folder, removed with
// everything in it when the object goes out of scope.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace korvid::testing {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvid-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& rel) const { return (path_ / rel).string(); }

    // Writes `text` to `rel`, creating folders on the way.
    void write(const std::string& rel, const std::string& text) const {
        std::filesystem::path p = path_ / rel;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }

private:
    std::filesystem::path path_;
};

}  // namespace korvid::testing
