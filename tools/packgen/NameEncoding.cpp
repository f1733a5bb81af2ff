#include "NameEncoding.h"

#include <iconv.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace korvid::packgen {

std::string ToGbk(const std::string& utf8) {
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return utf8;
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == iconv_t(-1)) throw std::runtime_error("no UTF-8 to GBK conversion here");
    std::vector<char> in(utf8.begin(), utf8.end()), out(utf8.size() * 2 + 4);
    char* src = in.data();
    char* dst = out.data();
    std::size_t srcLeft = in.size(), dstLeft = out.size();
    std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == std::size_t(-1) || srcLeft != 0) throw std::runtime_error("name has no GBK form: " + utf8);
    return std::string(out.data(), out.size() - dstLeft);
}

}  // namespace korvid::packgen
