// The traditional PKWARE stream cipher ("ZipCrypto"): three 32-bit keys
// stirred by CRC-32 and a linear congruence, seeded from the password.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvid::packgen {

class ZipCrypto {
public:
    explicit ZipCrypto(const std::string& password);

    std::uint8_t encrypt(std::uint8_t plain);
    std::uint8_t decrypt(std::uint8_t cipher);

    void encrypt(std::vector<std::uint8_t>& bytes);
    void decrypt(std::vector<std::uint8_t>& bytes);

private:
    std::uint8_t keystream() const;
    void update(std::uint8_t plain);

    std::uint32_t key0_ = 0x12345678u, key1_ = 0x23456789u, key2_ = 0x34567890u;
};

// The 12-byte header that precedes an encrypted member: eleven seeded bytes
// and, last, the high byte of the member's CRC-32, which readers check.
std::vector<std::uint8_t> ZipCryptoHeader(std::uint64_t seed, std::uint32_t crc);

}  // namespace korvid::packgen
