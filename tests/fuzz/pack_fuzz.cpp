// libFuzzer target for the resource pack reader: any archive bytes must
// open or be refused cleanly, and reading members must never crash or hand
// back data that failed its checks.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/ResourceStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/korvid-pack-fuzz-" + std::to_string(::getpid()) + ".zip";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    korvid::ResourceStore store;
    store.setGameDir("/nonexistent-korvid-dir");
    if (store.attachPack(path, "qorvantelmisbe")) {
        std::vector<std::uint8_t> out;
        for (const char* name : {"Graphics/logo.png", "graphics\\FONT0.fnt", "a", "SE/se_graze.wav"}) {
            store.exists(name);
            store.load(name, out);
        }
    }
    std::remove(path.c_str());
    return 0;
}
