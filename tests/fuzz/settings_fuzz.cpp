// libFuzzer target for the settings reader: any bytes must load without
// crashing or hanging, and a save of what was read must read back the values
// just written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvid::ProfileFile file;
    file.loadFromMemory(std::string_view(reinterpret_cast<const char*>(data), size));
    file.getInt("按键", "上移");
    file.getInt("系统", "游戏窗口");

    file.setString("按键", "射击", "90");
    file.setString("Fuzz", "Key", "-7");
    korvid::ProfileFile reread;
    reread.loadFromMemory(file.serialize());
    if (reread.getInt("按键", "射击") != 90 || reread.getInt("fuzz", "KEY") != -7) std::abort();
    return 0;
}
