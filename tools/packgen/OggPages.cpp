#include "OggPages.h"

#include <array>

namespace korvid::packgen {

namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t r = i << 24;
            for (int k = 0; k < 8; ++k) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
            t[i] = r;
        }
        return t;
    }();
    return table;
}

void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

}  // namespace

std::uint32_t OggCrc(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) crc = (crc << 8) ^ CrcTable()[((crc >> 24) ^ data[i]) & 0xFF];
    return crc;
}

int SetOggSerial(std::vector<std::uint8_t>& bytes, std::uint32_t serial) {
    // Page header: "OggS", version, flags, granule (8), serial (4) at 14,
    // sequence (4), checksum (4) at 22, segment count at 26, then the lacing table.
    int pages = 0;
    std::size_t pos = 0;
    while (pos + 27 <= bytes.size()) {
        std::uint8_t* page = bytes.data() + pos;
        if (page[0] != 'O' || page[1] != 'g' || page[2] != 'g' || page[3] != 'S') return pages;
        std::size_t segments = page[26];
        if (pos + 27 + segments > bytes.size()) return pages;
        std::size_t body = 0;
        for (std::size_t i = 0; i < segments; ++i) body += page[27 + i];
        std::size_t size = 27 + segments + body;
        if (pos + size > bytes.size()) return pages;
        Put32(page + 14, serial);
        Put32(page + 22, 0);
        Put32(page + 22, OggCrc(page, size));
        pos += size;
        ++pages;
    }
    return pages;
}

}  // namespace korvid::packgen
