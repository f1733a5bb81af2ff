#include "menus/GbkText.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

#include "engine/Utf8.h"

namespace korvid {

namespace {

// How many input bytes one unconvertible character covers. A UTF-8
// character is its lead byte and the continuation bytes after it; in GBK one
// bad byte is dropped at a time so the next character can still be read.
using SkipFn = std::size_t (*)(const char* p, std::size_t left);

std::size_t skipUtf8Char(const char* p, std::size_t left) {
    std::size_t n = 1;
    while (n < left && n < 4 && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80) ++n;
    return n;
}

std::size_t skipOneByte(const char*, std::size_t) { return 1; }

// Without a converter (a system missing its iconv modules) ASCII still
// passes, which keeps keys, digits and dates intact.
std::string asciiOnly(std::string_view in) {
    std::string out(in);
    for (char& c : out)
        if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    return out;
}

std::string convert(const char* to, const char* from, std::string_view in, SkipFn skip) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return asciiOnly(in);

    std::string source(in);  // iconv wants a mutable pointer
    char* inPtr = source.data();
    std::size_t inLeft = source.size();
    std::string out(source.size() * 2 + 8, '\0');
    std::size_t used = 0;

    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        used = static_cast<std::size_t>(outPtr - out.data());
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL: one character that cannot be converted.
        const std::size_t n = skip(inPtr, inLeft);
        inPtr += n;
        inLeft -= n;
        if (used == out.size()) out.resize(out.size() * 2);
        out[used++] = '?';
    }
    iconv_close(cd);
    out.resize(used);
    return out;
}

}  // namespace

std::string GbkFromUtf8(std::string_view utf8) { return convert("GBK", "UTF-8", utf8, skipUtf8Char); }

std::string Utf8FromGbk(std::string_view gbk) { return convert("UTF-8", "GBK", gbk, skipOneByte); }

bool GbkCanHold(char32_t c) {
    if (c == U'?') return true;
    if (c < 0x80) return c >= 0x20 || c == U'\n';
    const std::string gbk = GbkFromUtf8(EncodeUtf8(std::u32string(1, c)));
    return gbk.find('?') == std::string::npos;
}

}  // namespace korvid
