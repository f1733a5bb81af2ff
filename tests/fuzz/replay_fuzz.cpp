// libFuzzer target for the replay reader: any bytes must be read or refused
// without crashing, hanging or allocating far beyond the file's size, from
// memory and from a file (up to the largest file the loader reads). What
// is read must save and read back to the same file, and putting it into a
// game state must leave nothing of an earlier game past each stage's count.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "menus/ReplayFile.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void checkApplied(const korvid::ReplayRecord& record, korvid::GameState& state) {
    // Whatever an earlier input left in the rows must be overwritten.
    for (auto& row : state.replayInputs) row.fill(0x5A);
    check(korvid::ApplyReplayToState(record, state));
    check(state.replayEndStage == record.endStage());
    for (std::size_t i = 0; i < record.stages.size(); ++i) {
        const int stage = record.startStage + static_cast<int>(i);
        const auto& masks = record.stages[i].masks;
        const auto& row = state.replayInputs[stage];
        check(state.replayStageFrames[stage] == static_cast<int>(masks.size()));
        check(std::equal(masks.begin(), masks.end(), row.begin() + 1));
        check(std::all_of(row.begin() + 1 + masks.size(), row.end(), [](std::int32_t m) { return m == 0; }));
    }
}

// The same bytes as a file on disk must load exactly as they parse. An
// input ending in byte 1 is also stretched (a sparse tail of zeros) to one
// byte past the largest file the loader reads, which it must refuse.
void checkFromDisk(const std::uint8_t* data, std::size_t size, bool parsed, const korvid::ReplayRecord& record) {
    static const std::string path = "/tmp/korvid-replay-fuzz-" + std::to_string(::getpid()) + ".rpy";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return;
    const bool written = ::write(fd, data, size) == static_cast<ssize_t>(size);
    const std::uint8_t last = size > 0 ? data[size - 1] : 0;
    std::size_t fileSize = size;
    if (written && last == 1 && size <= korvid::kReplayMaxFileBytes) {
        fileSize = korvid::kReplayMaxFileBytes + 1;
        if (::ftruncate(fd, static_cast<off_t>(fileSize)) != 0) fileSize = size;
    }
    ::close(fd);
    if (!written) return;
    std::string why;
    const std::optional<korvid::ReplayRecord> loaded = korvid::LoadReplayFile(path, why);
    ::unlink(path.c_str());
    if (fileSize > korvid::kReplayMaxFileBytes) {
        check(!loaded && why.find("larger than any replay") != std::string::npos);
    } else if (fileSize == size) {
        check(loaded.has_value() == parsed);
        if (loaded) check(*loaded == record);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvid::ReplayRecord record;
    std::string why;
    const bool parsed =
        korvid::ParseReplayText(std::string_view(reinterpret_cast<const char*>(data), size), record, why);
    checkFromDisk(data, size, parsed, record);
    if (!parsed) {
        check(!why.empty() && why.find('\n') == std::string::npos);
        return 0;
    }

    // A record read once is in the written form: writing it, reading that
    // and writing again gives the same bytes.
    const std::string written = korvid::WriteReplayText(record);
    korvid::ReplayRecord reread;
    check(korvid::ParseReplayText(written, reread, why));
    check(korvid::WriteReplayText(reread) == written);

    // The game state is large (about 5 MB); one is kept for all inputs.
    static const auto state = std::make_unique<korvid::GameState>();
    checkApplied(record, *state);
    return 0;
}
