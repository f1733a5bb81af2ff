// The OpenGL 3.3 core side of drawing: the game's picture lives in an
// offscreen framebuffer of the game's size; batches of quads or lines are
// drawn into it with one shader whose colour mode and GL blend state follow
// the blend-mode bits; the finished picture is read back for screenshots or
// scaled into the window with black bars. Needs a current GL context.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/Letterbox.h"

namespace korvid {

enum class Primitive { Quads, Lines };

// A blend bit of draw(): the quads are known to cover what is under them,
// so they are drawn without blending (no read of the picture).
inline constexpr int kDrawOpaque = 8;

class GlRenderer {
public:
    // Null (and a reason in *error) when the context is older than 3.3 or
    // the shader or framebuffer cannot be made.
    static std::unique_ptr<GlRenderer> Create(int gameW, int gameH, std::string* error);
    ~GlRenderer();
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;

    // Largest vertex count one draw() takes.
    static constexpr int kMaxVertices = 4 * 4096;

    unsigned createTexture(int w, int h, const std::uint32_t* argb);
    void uploadTexture(unsigned name, int w, int h, const std::uint32_t* argb);
    void deleteTexture(unsigned name);
    unsigned whiteTexture() const { return white_; }

    // Makes the game framebuffer the target with this renderer's state.
    void bindGameTarget();
    void clear(std::uint32_t argb);
    // Scissor in game pixels (top-left origin); an empty rectangle hides everything.
    void setClip(int x, int y, int w, int h);
    void clearClip();
    void draw(Primitive prim, const Vertex* v, int count, unsigned texture, int blend);

    // The game picture as ARGB rows top-down, alpha forced to 255.
    void readPicture(std::uint32_t* out);
    // Scales the picture into the window's default framebuffer.
    void present(int drawableW, int drawableH);

private:
    GlRenderer(int gameW, int gameH) : gameW_(gameW), gameH_(gameH) {}
    bool init(std::string* error);
    void applyBlend(int blend);

    int gameW_, gameH_;
    unsigned program_ = 0, vao_ = 0, vbo_ = 0, ibo_ = 0;
    unsigned fbo_ = 0, colorBuffer_ = 0, white_ = 0;
    int uColorAdd_ = -1;
    int vboOffset_ = 0;  // vertices already used in the current buffer storage
    unsigned boundTexture_ = 0;
    int blend_ = -1;
    bool clipOn_ = false;
    ViewRect clip_{};
};

}  // namespace korvid
