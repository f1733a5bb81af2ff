// libFuzzer target for the pack's members: whatever bytes a player's pack
// holds under a picture's or a sound's name go through the same steps as in
// the game (Texture_Load's decoding into a texture, Stream_Load's decoding
// into the mixer, then a moment of playing), and must be taken or refused
// without crashing, hanging or asking for far more memory than a picture
// or track of the game needs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "engine/AudioMixer.h"
#include "engine/TextureDecode.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void asPicture(const std::uint8_t* data, std::size_t size) {
    const std::optional<korvid::TextureData> t = korvid::DecodeTexture(data, size, "Graphics/member.png");
    if (!t) return;
    check(t->imageWidth >= 1 && t->imageHeight >= 1);
    check(t->imageWidth <= korvid::kMaxTextureSide && t->imageHeight <= korvid::kMaxTextureSide);
    check(t->width >= t->imageWidth && t->height >= t->imageHeight);
    check(t->pixels.size() == static_cast<std::size_t>(t->width) * static_cast<std::size_t>(t->height));
}

void asSound(const std::uint8_t* data, std::size_t size) {
    static korvid::AudioMixer mixer;
    const std::uint32_t stream = mixer.loadStream(data, size);
    if (!stream) return;
    check(mixer.length(stream) >= 0);
    const std::uint32_t channel = mixer.play(stream, true, 100);
    std::vector<float> out(2 * 512);
    mixer.mix(out.data(), 512);
    mixer.setPosition(channel, mixer.length(stream) / 2);
    mixer.mix(out.data(), 512);
    mixer.free(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    asPicture(data, size);
    asSound(data, size);
    return 0;
}
