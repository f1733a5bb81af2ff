// One opened zip archive, read-only: its members indexed by normalised name
// (see ResourceStore::normalise) and read whole, decrypting traditional
// PKWARE encryption with the pack's password. Every member read is checked
// against its stored size and CRC, so a wrong password or damaged data gives
// a failed read rather than garbage bytes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct zip;  // libzip's archive handle (zip_t)

namespace korvid {

class ZipPack {
public:
    // Null when the archive cannot be opened (missing, truncated, not a zip).
    static std::unique_ptr<ZipPack> open(const std::string& path, const std::string& password);
    ~ZipPack();
    ZipPack(const ZipPack&) = delete;
    ZipPack& operator=(const ZipPack&) = delete;

    // `key` must already be normalised.
    bool contains(const std::string& key) const;
    bool read(const std::string& key, std::vector<std::uint8_t>& out) const;
    std::size_t memberCount() const { return index_.size(); }

private:
    ZipPack() = default;
    struct ZipCloser {
        void operator()(zip* archive) const;
    };
    std::unique_ptr<zip, ZipCloser> archive_;
    std::string password_;
    std::map<std::string, std::uint64_t> index_;  // normalised name -> member index
};

}  // namespace korvid
