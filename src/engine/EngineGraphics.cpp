// Scenes, quad and line batching, clipping, statistics and pictures of the
// game target (snapshots and scheduled screenshots).
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <filesystem>

#include "engine/EngineBase.h"
#include "engine/ImageCodec.h"

namespace korvid {
namespace {

// The depth-write bit changes nothing in the picture, so it never splits a batch.
int DrawnBlend(int blend) { return blend & (BLEND_COLORADD | BLEND_ALPHABLEND); }

bool OpaqueColour(const Quad& q) {
    return (q.v[0].col & q.v[1].col & q.v[2].col & q.v[3].col) >> 24 == 0xFF;
}

struct Point {
    float x, y;
};

// The quad's corners clipped to the rectangle [x0, x1] x [y0, y1] (one edge
// at a time), and the area of what is left.
double clippedArea(const Quad& q, float x0, float y0, float x1, float y1) {
    Point a[12], b[12];
    int n = 4;
    for (int i = 0; i < 4; ++i) a[i] = {q.v[i].x, q.v[i].y};
    auto clip = [&](auto inside, auto cross) {
        int m = 0;
        for (int i = 0; i < n; ++i) {
            const Point p = a[i], r = a[(i + 1) % n];
            const bool pin = inside(p), rin = inside(r);
            if (pin) b[m++] = p;
            if (pin != rin) b[m++] = cross(p, r);
        }
        n = m;
        std::copy(b, b + m, a);
    };
    auto atX = [](float x) {
        return [x](Point p, Point r) { return Point{x, p.y + (r.y - p.y) * (x - p.x) / (r.x - p.x)}; };
    };
    auto atY = [](float y) {
        return [y](Point p, Point r) { return Point{p.x + (r.x - p.x) * (y - p.y) / (r.y - p.y), y}; };
    };
    clip([x0](Point p) { return p.x >= x0; }, atX(x0));
    clip([x1](Point p) { return p.x <= x1; }, atX(x1));
    clip([y0](Point p) { return p.y >= y0; }, atY(y0));
    clip([y1](Point p) { return p.y <= y1; }, atY(y1));
    double twice = 0;
    for (int i = 0; i < n; ++i) {
        const Point p = a[i], r = a[(i + 1) % n];
        twice += static_cast<double>(p.x) * r.y - static_cast<double>(r.x) * p.y;
    }
    return std::fabs(twice) / 2;
}

}  // namespace

bool EngineBase::Gfx_BeginScene(HTEXTURE target) {
    // Only the game picture is a render target; an open scene stays in use.
    if (sceneOpen_ || target != 0) return false;
    sceneOpen_ = true;
    current_ = {};
    if (renderer_) {
        useGlContext();
        renderer_->bindGameTarget();
    }
    return true;
}

void EngineBase::Gfx_EndScene() {
    if (!sceneOpen_) return;
    flushBatch();
    sceneOpen_ = false;
    last_ = current_;
}

void EngineBase::Gfx_Clear(std::uint32_t color) {
    if (!sceneOpen_) return;
    flushBatch();
    if (renderer_ && !undrawn_) renderer_->clear(color);
}

void EngineBase::Gfx_SetUndrawn(bool on) {
    flushBatch();
    seekUndrawn_ = on;
    undrawn_ = seekUndrawn_ || trial_;
    refreshOnlyCounts();
}

void EngineBase::Shell_SetTrial(bool on) {
    flushBatch();
    trial_ = on;
    undrawn_ = seekUndrawn_ || trial_;
    refreshOnlyCounts();
    if (on) return;
    // Whatever the thrown-away frames loaded belongs to no state kept.
    for (HTEXTURE t : trialTextures_) Texture_Free(t);
    for (HSTREAM s : trialStreams_) Stream_Free(s);
    trialTextures_.clear();
    trialStreams_.clear();
}

void EngineBase::Gfx_SetClipping(int x, int y, int w, int h) {
    flushBatch();
    if (!renderer_) return;
    useGlContext();
    if (x == 0 && y == 0 && w == 0 && h == 0) {
        renderer_->clearClip();
        setView(0, 0, float(gameW_), float(gameH_));
        return;
    }
    // Keep the rectangle on the picture; one wholly off it clips everything away.
    using Wide = long long;  // x + w must not overflow
    const Wide x0 = std::clamp<Wide>(x, 0, gameW_), y0 = std::clamp<Wide>(y, 0, gameH_);
    const Wide x1 = std::clamp<Wide>(Wide(x) + std::max(w, 0), x0, gameW_);
    const Wide y1 = std::clamp<Wide>(Wide(y) + std::max(h, 0), y0, gameH_);
    renderer_->setClip(int(x0), int(y0), int(x1 - x0), int(y1 - y0));
    setView(float(x0), float(y0), float(x1), float(y1));
}

FrameStats EngineBase::Gfx_GetStats() const { return last_; }

void EngineBase::startBatch(Primitive prim, HTEXTURE tex, int blend) {
    flushBatch();
    batchPrim_ = prim;
    batchTex_ = tex;
    batchBlend_ = blend;
}

void EngineBase::Gfx_RenderQuad(const Quad* quad) {
    if (!sceneOpen_ || !quad) return;
    // A quad naming a freed (or never made) texture draws nothing rather
    // than whatever now sits in that texture's place.
    if (quad->tex && quad->tex != liveTexture_) {
        if (!textures_.find(quad->tex)) return;
        liveTexture_ = quad->tex;
    }
    ++current_.quads;
    if (quadLogger_ && quad->tex && !undrawn_) logQuad(*quad);
    if (!renderer_ || undrawn_) {
        queueQuad(*quad);
        return;
    }
    Quad pieces[4];
    const int n = cutAroundWindow(*quad, pieces);
    bool drawn = false;
    if (n == 0) {
        drawn = queueQuad(*quad);
    } else {
        for (int i = 0; i < n; ++i) drawn = queueQuad(pieces[i]) || drawn;
    }
    if (!drawn) ++current_.culled;
}

int EngineBase::cutAroundWindow(const Quad& q, Quad out[4]) {
    // Cheap tests first: only a large upright quad can be cut.
    if (!q.tex || q.v[1].x - q.v[0].x < 64 || q.v[3].y - q.v[0].y < 64) return 0;
    TextureData* t = textures_.find(q.tex);
    if (!t) return 0;
    if (!t->windowKnown) {
        t->clearWindow = FindClearWindow(t->pixels.data(), t->width, t->imageWidth, t->imageHeight);
        t->windowKnown = true;
    }
    return CutAroundWindow(q, t->width, t->height, t->clearWindow, out);
}

bool EngineBase::queueQuad(const Quad& q) {
    int blend = DrawnBlend(q.blend);
    if (renderer_ && !undrawn_) {
        if (!covers(q, &blend)) return false;
    }
    if (vertexCount_ == 0 || batchPrim_ != Primitive::Quads || batchTex_ != q.tex || batchBlend_ != blend ||
        vertexCount_ + 4 > GlRenderer::kMaxVertices) {
        startBatch(Primitive::Quads, q.tex, blend);
    }
    if (renderer_) std::memcpy(vertices_.get() + vertexCount_, q.v, sizeof q.v);
    vertexCount_ += 4;
    return true;
}

// False when drawing the quad would change no pixel: it lies wholly beyond
// an edge of the picture or the clip (no pixel centre inside), or all four
// corners are clear, or every texel it samples is (every blend mode then
// leaves the picture as it was). Otherwise its covered area is counted, and
// an alpha-blended quad of opaque texels and colour is drawn without
// blending (it covers what is under it either way).
bool EngineBase::covers(const Quad& q, int* blend) {
    float x0 = q.v[0].x, x1 = x0, y0 = q.v[0].y, y1 = y0;
    bool clear = (q.v[0].col >> 24) == 0;
    for (int i = 1; i < 4; ++i) {
        x0 = std::min(x0, q.v[i].x), x1 = std::max(x1, q.v[i].x);
        y0 = std::min(y0, q.v[i].y), y1 = std::max(y1, q.v[i].y);
        clear = clear && (q.v[i].col >> 24) == 0;
    }
    if (clear || x1 <= viewX0_ || x0 >= viewX1_ || y1 <= viewY0_ || y0 >= viewY1_) return false;
    if (TextureData* t = q.tex ? textures_.find(q.tex) : nullptr) {
        if (!t->alpha.built()) t->alpha.build(t->pixels.data(), t->width, t->height);
        float u0 = q.v[0].tx, u1 = u0, v0 = q.v[0].ty, v1 = v0;
        for (int i = 1; i < 4; ++i) {
            u0 = std::min(u0, q.v[i].tx), u1 = std::max(u1, q.v[i].tx);
            v0 = std::min(v0, q.v[i].ty), v1 = std::max(v1, q.v[i].ty);
        }
        const TexelAlpha texels = t->alpha.sample(u0, v0, u1, v1);
        if (texels == TexelAlpha::Clear) return false;
        if (texels == TexelAlpha::Opaque && (*blend & BLEND_ALPHABLEND) && OpaqueColour(q)) *blend |= kDrawOpaque;
    }
    current_.pixels += clippedArea(q, viewX0_, viewY0_, viewX1_, viewY1_);
    return true;
}

void EngineBase::Gfx_RenderQuads(const Quad* quad, int n) {
    if (n <= 0) return;
    const int before = current_.quads;
    Gfx_RenderQuad(quad);
    if (!onlyCounts_ || current_.quads == before) {
        for (int i = 1; i < n; ++i) Gfx_RenderQuad(quad);
        return;
    }
    // The rest join the first one's batch, a new batch each time it is full.
    for (int left = n - 1; left > 0;) {
        if (vertexCount_ + 4 > GlRenderer::kMaxVertices) startBatch(Primitive::Quads, batchTex_, batchBlend_);
        const int room = (GlRenderer::kMaxVertices - vertexCount_) / 4;
        const int take = room < left ? room : left;
        vertexCount_ += 4 * take;
        current_.quads += take;
        left -= take;
    }
}

void EngineBase::Gfx_RenderLine(float x1, float y1, float x2, float y2, std::uint32_t color, float z) {
    if (!sceneOpen_) return;
    // Lines are untextured and alpha blended. Half a pixel puts a line drawn
    // along whole coordinates on pixel centres, so it covers exactly one row or column.
    if (vertexCount_ == 0 || batchPrim_ != Primitive::Lines || vertexCount_ + 2 > GlRenderer::kMaxVertices)
        startBatch(Primitive::Lines, 0, BLEND_DEFAULT);
    vertices_[vertexCount_++] = Vertex{x1 + 0.5f, y1 + 0.5f, z, color, 0.0f, 0.0f};
    vertices_[vertexCount_++] = Vertex{x2 + 0.5f, y2 + 0.5f, z, color, 0.0f, 0.0f};
    ++current_.lines;
}

void EngineBase::flushBatch() {
    if (vertexCount_ == 0) return;
    if (batchPrim_ == Primitive::Quads) ++current_.batches;
    if (renderer_ && !undrawn_) {
        useGlContext();
        const unsigned tex = batchPrim_ == Primitive::Quads ? glTextureFor(batchTex_) : renderer_->whiteTexture();
        renderer_->draw(batchPrim_, vertices_.get(), vertexCount_, tex, batchBlend_);
    }
    vertexCount_ = 0;
}

void EngineBase::logQuad(const Quad& q) {
    const TextureData* t = textures_.find(q.tex);
    if (!t || t->file.empty()) return;
    float u0 = q.v[0].tx, u1 = q.v[0].tx, v0 = q.v[0].ty, v1 = q.v[0].ty;
    for (const Vertex& v : q.v) {
        u0 = std::min(u0, v.tx), u1 = std::max(u1, v.tx);
        v0 = std::min(v0, v.ty), v1 = std::max(v1, v.ty);
    }
    quadLogger_(t->file, u0 * float(t->width), v0 * float(t->height), u1 * float(t->width),
                v1 * float(t->height));
}

// --- pictures ---

void EngineBase::readPicture() {
    flushBatch();
    if (renderer_) {
        useGlContext();
        renderer_->readPicture(picture_.data());
        return;
    }
    // Without GL there is no picture: black, and one line saying so.
    std::fill(picture_.begin(), picture_.end(), 0xFF000000u);
    if (!warnedNoPictures_) {
        System_Log("no OpenGL context: pictures are black");
        warnedNoPictures_ = true;
    }
}

std::string EngineBase::inGameDir(const char* filename) const {
    const std::filesystem::path p(filename);
    if (p.is_absolute() || resources_.gameDir().empty()) return p.string();
    return (std::filesystem::path(resources_.gameDir()) / p).string();
}

bool EngineBase::System_Snapshot(const char* filename) {
    if (!initiated_ || !filename || !*filename) return false;
    readPicture();
    return WritePng(inGameDir(filename), picture_.data(), gameW_, gameH_);
}

HTEXTURE EngineBase::Gfx_SnapshotTexture() {
    if (!initiated_) return 0;
    readPicture();
    return textures_.insert(MakeTextureFromPixels(gameW_, gameH_, picture_.data(), std::string()));
}

void EngineBase::finishPicture() {
    flushBatch();
    for (const auto& [frame, path] : screenshots_) {
        if (frame != frameCount_) continue;
        readPicture();
        if (!WritePng(path, picture_.data(), gameW_, gameH_))
            System_Log("cannot write the screenshot %s", path.c_str());
    }
    // The screenshot key: the finished picture goes into the game folder's
    // screenshots/ as the next free number. Nothing of the game sees it.
    const bool down = keys_[kScreenshotKey];
    if (down && !screenshotKeyDown_) writeNumberedScreenshot();
    screenshotKeyDown_ = down;
}

void EngineBase::writeNumberedScreenshot() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::path(inGameDir("screenshots"));
    fs::create_directories(folder, ec);
    for (int n = 1; n <= 9999; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "korvid-%04d.png", n);
        const fs::path path = folder / name;
        if (fs::exists(path, ec)) continue;
        readPicture();
        if (!WritePng(path.string(), picture_.data(), gameW_, gameH_))
            System_Log("cannot write the screenshot %s", path.string().c_str());
        return;
    }
    System_Log("screenshots/ is full (9999 pictures)");
}

}  // namespace korvid
