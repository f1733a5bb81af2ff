// Writes the resource pack: a ZIP archive whose members are raw-deflated and
// then encrypted with the traditional PKWARE cipher. Every byte is a function
// of the members alone: members go out sorted by name, all carry one fixed
// DOS timestamp, and each member's encryption header is seeded by its name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvid::packgen {

class ZipWriter {
public:
    explicit ZipWriter(std::string password);

    // `name` is stored byte for byte (forward slashes, e.g. "Graphics/logo.png";
    // Chinese names already in GBK, see NameEncoding.h).
    void add(std::string name, std::vector<std::uint8_t> data);

    // The whole archive.
    std::vector<std::uint8_t> finish() const;

    // 1 January 2010, 00:00:00, in DOS date and time words.
    static constexpr std::uint16_t kDosDate = ((2010 - 1980) << 9) | (1 << 5) | 1;
    static constexpr std::uint16_t kDosTime = 0;

private:
    struct Member {
        std::string name;
        std::vector<std::uint8_t> data;
    };
    std::string password_;
    std::vector<Member> members_;
};

// Raw deflate (no zlib header) at the best compression.
std::vector<std::uint8_t> RawDeflate(const std::vector<std::uint8_t>& data);

}  // namespace korvid::packgen
