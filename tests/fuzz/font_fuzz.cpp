// libFuzzer target for the bitmap font reader: any font file must load
// without crashing, reading past its text or making a glyph from a code
// above 255.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/BitmapFont.h"
#include "support/RecordingEngine.h"

namespace {

// Every texture name loads, so the reader goes on to the glyph lines.
class FontEngine : public korvid::test::RecordingEngine {
public:
    korvid::HTEXTURE Texture_Load(const char*) override { return 1; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FontEngine engine;
    engine.textureSizes[1] = {256, 256};
    engine.files["Graphics/font0.fnt"] = std::string(reinterpret_cast<const char*>(data), size);
    korvid::BitmapFont font(engine, "Graphics/font0.fnt");
    if (font.glyphCount() > 256) std::abort();
    for (int c = 0; c < 256; ++c) {
        const korvid::Sprite* g = font.glyph(static_cast<unsigned char>(c));
        if (g && g->GetHeight() > font.lineHeight()) std::abort();  // the line height is the tallest glyph
    }
    font.Render(0, 0, "The quick brown fox");
    return 0;
}
