#include "engine/GbkChars.h"

#include <iconv.h>

namespace korvid {

bool IsGbkPair(unsigned char lead, unsigned char trail) {
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

std::size_t Utf16FromGbkPairs(const char* bytes, std::size_t count, char16_t* out) {
    iconv_t cd = iconv_open("UTF-16LE", "GBK");
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = 0;
        const unsigned char lead = static_cast<unsigned char>(bytes[2 * i]);
        const unsigned char trail = static_cast<unsigned char>(bytes[2 * i + 1]);
        if (!IsGbkPair(lead, trail) || cd == reinterpret_cast<iconv_t>(-1)) continue;
        char in[2] = {bytes[2 * i], bytes[2 * i + 1]};
        unsigned char unit[4] = {};
        char* inPtr = in;
        char* outPtr = reinterpret_cast<char*>(unit);
        std::size_t inLeft = 2, outLeft = sizeof unit;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || outLeft != 2) continue;
        out[i] = static_cast<char16_t>(unit[0] | (unit[1] << 8));
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return count;
}

}  // namespace korvid
