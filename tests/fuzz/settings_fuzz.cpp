// libFuzzer target for the settings reader: any bytes must load without
// crashing or hanging, a save of what was read must read back the values
// just written, and the same bytes as the player's settings file (up to and
// past the largest file the reader takes) must give settings the game can
// use: every key bound, volumes 0..100, switches 0 or 1.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "game/KeySettings.h"
#include "game/ProfileFile.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

constexpr off_t kStretchedBytes = 256 * 1024 + 1;  // one past the reader's limit

void checkAsSettingsFile(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/korvid-settings-fuzz-" + std::to_string(::getpid()) + ".ini";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return;
    const bool written = ::write(fd, data, size) == static_cast<ssize_t>(size);
    // An input ending in byte 1 is stretched (a sparse tail of zeros) past
    // the largest settings file the reader takes: it is refused whole.
    const bool stretched = written && size > 0 && data[size - 1] == 1 && size <= kStretchedBytes &&
                           ::ftruncate(fd, kStretchedBytes) == 0;
    ::close(fd);
    if (!written) return;
    std::vector<std::string> replaced;
    const korvid::KeySettings k = korvid::LoadKeySettingsOrShipped(path, replaced);
    ::unlink(path.c_str());
    if (stretched) check(replaced.size() == 1 && replaced[0] == "the whole file");
    for (int key : k.keys) check(key >= 1 && key <= 255);
    check(k.bgmVolume >= 0 && k.bgmVolume <= 100 && k.seVolume >= 0 && k.seVolume <= 100);
    check((k.autoBomb == 0 || k.autoBomb == 1) && (k.windowMode == 0 || k.windowMode == 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvid::ProfileFile file;
    file.loadFromMemory(std::string_view(reinterpret_cast<const char*>(data), size));
    file.getInt("按键", "上移");
    file.getInt("系统", "游戏窗口");

    file.setString("按键", "射击", "90");
    file.setString("Fuzz", "Key", "-7");
    korvid::ProfileFile reread;
    reread.loadFromMemory(file.serialize());
    check(reread.getInt("按键", "射击") == 90 && reread.getInt("fuzz", "KEY") == -7);

    checkAsSettingsFile(data, size);
    return 0;
}
