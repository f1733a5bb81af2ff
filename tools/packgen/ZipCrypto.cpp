#include "ZipCrypto.h"

#include <zlib.h>

#include "Rng.h"

namespace korvid::packgen {

namespace {

std::uint32_t Crc32Byte(std::uint32_t crc, std::uint8_t b) {
    static const z_crc_t* table = get_crc_table();
    return table[(crc ^ b) & 0xFF] ^ (crc >> 8);
}

}  // namespace

ZipCrypto::ZipCrypto(const std::string& password) {
    for (unsigned char c : password) update(c);
}

std::uint8_t ZipCrypto::keystream() const {
    std::uint16_t t = std::uint16_t(key2_ | 2);
    return std::uint8_t((unsigned(t) * unsigned(t ^ 1)) >> 8);
}

void ZipCrypto::update(std::uint8_t plain) {
    key0_ = Crc32Byte(key0_, plain);
    key1_ = (key1_ + (key0_ & 0xFF)) * 134775813u + 1;
    key2_ = Crc32Byte(key2_, std::uint8_t(key1_ >> 24));
}

std::uint8_t ZipCrypto::encrypt(std::uint8_t plain) {
    std::uint8_t c = plain ^ keystream();
    update(plain);
    return c;
}

std::uint8_t ZipCrypto::decrypt(std::uint8_t cipher) {
    std::uint8_t p = cipher ^ keystream();
    update(p);
    return p;
}

void ZipCrypto::encrypt(std::vector<std::uint8_t>& bytes) {
    for (auto& b : bytes) b = encrypt(b);
}

void ZipCrypto::decrypt(std::vector<std::uint8_t>& bytes) {
    for (auto& b : bytes) b = decrypt(b);
}

std::vector<std::uint8_t> ZipCryptoHeader(std::uint64_t seed, std::uint32_t crc) {
    Rng rng(seed);
    std::vector<std::uint8_t> header(12);
    for (int i = 0; i < 11; ++i) header[std::size_t(i)] = std::uint8_t(rng.next() >> 24);
    header[11] = std::uint8_t(crc >> 24);
    return header;
}

}  // namespace korvid::packgen
