// libFuzzer target for the records reader: any bytes are read or refused
// with a one-line reason, never a crash; what is read writes back to text
// that reads to the same book and writes to the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "menus/RecordsFile.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvid::RecordBook book;
    std::string why;
    const bool read = korvid::ParseRecordsText(std::string_view(reinterpret_cast<const char*>(data), size), book, why);
    if (!read) {
        check(!why.empty() && why.find('\n') == std::string::npos);
        check(book == korvid::RecordBook{});
        return 0;
    }
    const std::string written = korvid::WriteRecordsText(book);
    korvid::RecordBook again;
    check(korvid::ParseRecordsText(written, again, why));
    check(again == book);
    check(korvid::WriteRecordsText(again) == written);
    return 0;
}
