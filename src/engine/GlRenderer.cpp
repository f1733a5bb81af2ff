#include "engine/GlRenderer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace korvid {
namespace {

// Positions are game pixels, top-left origin; the vertex colour arrives as
// BGRA bytes (an ARGB word in memory) and is swizzled by the attribute format.
constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 aPos;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aUv;
uniform vec2 uGameSize;
out vec4 vColor;
out vec2 vUv;
void main() {
    gl_Position = vec4(aPos.x * 2.0 / uGameSize.x - 1.0, 1.0 - aPos.y * 2.0 / uGameSize.y, 0.0, 1.0);
    vColor = aColor;
    vUv = aUv;
}
)";

// Colour-add mode: rgb = texel + vertex colour, alpha = texel * vertex alpha.
// Otherwise texel and vertex colour are multiplied.
constexpr const char* kFragmentShader = R"(#version 330 core
in vec4 vColor;
in vec2 vUv;
uniform sampler2D uTexture;
uniform bool uColorAdd;
out vec4 fragColor;
void main() {
    vec4 t = texture(uTexture, vUv);
    fragColor = uColorAdd ? vec4(t.rgb + vColor.rgb, t.a * vColor.a) : t * vColor;
}
)";

unsigned CompileShader(GLenum type, const char* source, std::string* error) {
    GLuint s = glCreateShader(type);
    glShaderSource(s, 1, &source, nullptr);
    glCompileShader(s);
    GLint ok = 0;
    glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[512] = {};
        glGetShaderInfoLog(s, sizeof log, nullptr, log);
        *error = std::string("shader does not compile: ") + log;
        glDeleteShader(s);
        return 0;
    }
    return s;
}

void ClearColorFromArgb(std::uint32_t argb) {
    glClearColor(float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f,
                 float(argb & 0xFF) / 255.0f, float(argb >> 24) / 255.0f);
}

void SetTextureParameters() {
    // Like the original renderer: bilinear filtering, coordinates wrap.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

}  // namespace

std::unique_ptr<GlRenderer> GlRenderer::Create(int gameW, int gameH, std::string* error) {
    if (epoxy_gl_version() < 33) {
        *error = "OpenGL 3.3 is not available (found " + std::to_string(epoxy_gl_version() / 10) + "." +
                 std::to_string(epoxy_gl_version() % 10) + ")";
        return nullptr;
    }
    std::unique_ptr<GlRenderer> r(new GlRenderer(gameW, gameH));
    if (!r->init(error)) return nullptr;
    return r;
}

bool GlRenderer::init(std::string* error) {
    GLuint vs = CompileShader(GL_VERTEX_SHADER, kVertexShader, error);
    if (!vs) return false;
    GLuint fs = CompileShader(GL_FRAGMENT_SHADER, kFragmentShader, error);
    if (!fs) {
        glDeleteShader(vs);
        return false;
    }
    program_ = glCreateProgram();
    glAttachShader(program_, vs);
    glAttachShader(program_, fs);
    glLinkProgram(program_);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = 0;
    glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    if (!linked) {
        *error = "shader program does not link";
        return false;
    }
    glUseProgram(program_);
    glUniform2f(glGetUniformLocation(program_, "uGameSize"), float(gameW_), float(gameH_));
    glUniform1i(glGetUniformLocation(program_, "uTexture"), 0);
    uColorAdd_ = glGetUniformLocation(program_, "uColorAdd");

    // One vertex buffer in the layout of Vertex; quads use a fixed index
    // buffer (two triangles per four vertices).
    glGenVertexArrays(1, &vao_);
    glBindVertexArray(vao_);
    glGenBuffers(1, &vbo_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(kMaxVertices * sizeof(Vertex)), nullptr, GL_STREAM_DRAW);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(offsetof(Vertex, x)));
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, col)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(offsetof(Vertex, tx)));
    for (GLuint i = 0; i < 3; ++i) glEnableVertexAttribArray(i);

    std::vector<std::uint16_t> indices(std::size_t(kMaxVertices / 4) * 6);
    for (int q = 0; q < kMaxVertices / 4; ++q) {
        const std::uint16_t b = std::uint16_t(q * 4);
        const std::uint16_t quad[6] = {b, std::uint16_t(b + 1), std::uint16_t(b + 2),
                                       b, std::uint16_t(b + 2), std::uint16_t(b + 3)};
        std::copy(quad, quad + 6, indices.begin() + q * 6);
    }
    glGenBuffers(1, &ibo_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * 2), indices.data(), GL_STATIC_DRAW);

    const std::uint32_t whitePixel = 0xFFFFFFFF;
    white_ = createTexture(1, 1, &whitePixel);

    glGenRenderbuffers(1, &colorBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, gameW_, gameH_);
    glGenFramebuffers(1, &fbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        *error = "the game framebuffer cannot be made";
        return false;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    bindGameTarget();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    if (glGetError() != GL_NO_ERROR) {
        *error = "OpenGL reported an error while setting up";
        return false;
    }
    return true;
}

GlRenderer::~GlRenderer() {
    glDeleteFramebuffers(1, &fbo_);
    glDeleteRenderbuffers(1, &colorBuffer_);
    glDeleteTextures(1, &white_);
    glDeleteBuffers(1, &ibo_);
    glDeleteBuffers(1, &vbo_);
    glDeleteVertexArrays(1, &vao_);
    glDeleteProgram(program_);
}

unsigned GlRenderer::createTexture(int w, int h, const std::uint32_t* argb) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    SetTextureParameters();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, argb);
    glBindTexture(GL_TEXTURE_2D, boundTexture_);
    return name;
}

void GlRenderer::uploadTexture(unsigned name, int w, int h, const std::uint32_t* argb) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, argb);
    glBindTexture(GL_TEXTURE_2D, boundTexture_);
}

void GlRenderer::deleteTexture(unsigned name) {
    if (name == 0) return;
    if (boundTexture_ == name) boundTexture_ = 0;
    glDeleteTextures(1, &name);
}

void GlRenderer::bindGameTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glViewport(0, 0, gameW_, gameH_);
    glUseProgram(program_);
    glBindVertexArray(vao_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, boundTexture_);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    blend_ = -1;
    if (clipOn_) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(clip_.x, gameH_ - clip_.y - clip_.h, clip_.w, clip_.h);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }
}

void GlRenderer::clear(std::uint32_t argb) {
    ClearColorFromArgb(argb);
    glClear(GL_COLOR_BUFFER_BIT);
}

void GlRenderer::setClip(int x, int y, int w, int h) {
    clipOn_ = true;
    clip_ = {x, y, w, h};
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, gameH_ - y - h, w, h);  // GL counts rows from the bottom
}

void GlRenderer::clearClip() {
    clipOn_ = false;
    glDisable(GL_SCISSOR_TEST);
}

void GlRenderer::applyBlend(int blend) {
    const int relevant = blend & (BLEND_COLORADD | BLEND_ALPHABLEND | kDrawOpaque);
    if (relevant == blend_) return;
    glUniform1i(uColorAdd_, (relevant & BLEND_COLORADD) ? 1 : 0);
    glBlendFunc(GL_SRC_ALPHA, (relevant & BLEND_ALPHABLEND) ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
    if (relevant & kDrawOpaque) {
        glDisable(GL_BLEND);
    } else {
        glEnable(GL_BLEND);
    }
    blend_ = relevant;
}

void GlRenderer::draw(Primitive prim, const Vertex* v, int count, unsigned texture, int blend) {
    if (count <= 0) return;
    count = std::min(count, int(kMaxVertices));
    if (texture != boundTexture_) {
        glBindTexture(GL_TEXTURE_2D, texture);
        boundTexture_ = texture;
    }
    applyBlend(blend);
    // Append to the buffer; when it is full, orphan it and start over so the
    // driver never waits for draws still reading the old storage.
    if (vboOffset_ + count > kMaxVertices) {
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(kMaxVertices * sizeof(Vertex)), nullptr, GL_STREAM_DRAW);
        vboOffset_ = 0;
    }
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(vboOffset_ * sizeof(Vertex)), GLsizeiptr(count * sizeof(Vertex)), v);
    if (prim == Primitive::Quads) {
        glDrawElementsBaseVertex(GL_TRIANGLES, count / 4 * 6, GL_UNSIGNED_SHORT, nullptr, vboOffset_);
    } else {
        glDrawArrays(GL_LINES, vboOffset_, count);
    }
    vboOffset_ += count;
}

void GlRenderer::readPicture(std::uint32_t* out) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo_);
    glReadPixels(0, 0, gameW_, gameH_, GL_BGRA, GL_UNSIGNED_BYTE, out);
    // GL rows run bottom-up; the picture is wanted top-down.
    for (int y = 0; y < gameH_ / 2; ++y) {
        std::uint32_t* a = out + std::size_t(y) * gameW_;
        std::uint32_t* b = out + std::size_t(gameH_ - 1 - y) * gameW_;
        std::swap_ranges(a, a + gameW_, b);
    }
    for (std::size_t i = 0, n = std::size_t(gameW_) * gameH_; i < n; ++i) out[i] |= 0xFF000000u;
}

void GlRenderer::present(int drawableW, int drawableH) {
    const ViewRect view = FitLetterbox(drawableW, drawableH, gameW_, gameH_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo_);
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, drawableW, drawableH);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const GLenum filter = (view.w == gameW_ && view.h == gameH_) ? GL_NEAREST : GL_LINEAR;
    glBlitFramebuffer(0, 0, gameW_, gameH_, view.x, drawableH - view.y - view.h, view.x + view.w,
                      drawableH - view.y, GL_COLOR_BUFFER_BIT, filter);
    bindGameTarget();
}

}  // namespace korvid
