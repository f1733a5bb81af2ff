// Textures: loading through the resource store, blank surfaces, sizes,
// locks on the CPU copy, and the GL textures made from it on demand.
#include <vector>

#include "engine/EngineBase.h"
#include "engine/TextureDecode.h"

namespace korvid {

HTEXTURE EngineBase::Texture_Create(int width, int height) {
    if (!TextureSizeAllowed(width, height)) return 0;
    const HTEXTURE tex = textures_.insert(MakeBlankTexture(width, height));
    if (trial_) trialTextures_.push_back(tex);
    return tex;
}

HTEXTURE EngineBase::Texture_Load(const char* filename) {
    if (!filename) return 0;
    std::vector<std::uint8_t> bytes;
    if (!resources_.load(filename, bytes)) return 0;
    std::optional<TextureData> texture = DecodeTexture(bytes.data(), bytes.size(), filename);
    const HTEXTURE tex = texture ? textures_.insert(std::move(*texture)) : 0;
    if (trial_ && tex) trialTextures_.push_back(tex);
    return tex;
}

void EngineBase::Texture_Free(HTEXTURE tex) {
    if (trial_) return;  // the state kept still holds it
    TextureData* t = textures_.find(tex);
    if (!t) return;
    if (batchTex_ == tex) flushBatch();  // quads already drawn with it still show it
    if (t->glName && renderer_) {
        useGlContext();
        renderer_->deleteTexture(t->glName);
    }
    textures_.erase(tex);
    liveTexture_ = 0;
}

int EngineBase::Texture_GetWidth(HTEXTURE tex, bool original) {
    const TextureData* t = textures_.find(tex);
    return t ? (original ? t->imageWidth : t->width) : 0;
}

int EngineBase::Texture_GetHeight(HTEXTURE tex, bool original) {
    const TextureData* t = textures_.find(tex);
    return t ? (original ? t->imageHeight : t->height) : 0;
}

std::uint32_t* EngineBase::Texture_Lock(HTEXTURE tex, bool readOnly, int left, int top, int width, int height) {
    TextureData* t = textures_.find(tex);
    if (!t || t->locked || left < 0 || top < 0 || left >= t->width || top >= t->height) return nullptr;
    t->locked = true;
    t->lockWritable = !readOnly;
    // The rows stay surface-wide whatever part is asked for.
    return t->pixels.data() + std::size_t(top) * std::size_t(t->width) + std::size_t(left);
}

void EngineBase::Texture_Unlock(HTEXTURE tex) {
    TextureData* t = textures_.find(tex);
    if (!t || !t->locked) return;
    t->locked = false;
    if (!t->lockWritable) return;
    if (batchTex_ == tex) flushBatch();  // quads queued before the change keep the old texels
    t->gpuStale = true;
    t->windowKnown = false;
    t->alpha.reset();
}

unsigned EngineBase::glTextureFor(HTEXTURE tex) {
    TextureData* t = textures_.find(tex);
    if (!t) return renderer_->whiteTexture();
    if (t->glName == 0) {
        t->glName = renderer_->createTexture(t->width, t->height, t->pixels.data());
    } else if (t->gpuStale) {
        renderer_->uploadTexture(t->glName, t->width, t->height, t->pixels.data());
    }
    t->gpuStale = false;
    return t->glName;
}

void EngineBase::releaseGlTextures() {
    if (!renderer_) return;
    useGlContext();
    textures_.forEach([this](TextureData& t) {
        renderer_->deleteTexture(t.glName);
        t.glName = 0;
        t.gpuStale = true;
    });
    renderer_.reset();
    refreshOnlyCounts();
}

}  // namespace korvid
