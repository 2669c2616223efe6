// The OpenGL 3.3 render device: a fixed-function stage 0 emulated by one shader, every draw
// streamed through buffers the device owns, fonts drawn from their glyph atlases.
#include "platform/OpenGLDevice.h"

#include "platform/FontFace.h"
#include "platform/GLProgram.h"
#include "platform/ImageDecode.h"
#include "platform/TextLayout.h"
#include "platform/Window.h"
#include "support/Error.h"

#include <algorithm>
#include <cstring>
#include <epoxy/gl.h>
#include <map>
#include <set>
#include <utility>

namespace {

// What a draw needs of the device's state; the text and line drawers use fixed states of their
// own and leave the caller's untouched, as the helper library's drawers do.
struct CPipelineState {
    bool blend = false;
    BlendFactor srcBlend = BlendFactor::One;
    BlendFactor destBlend = BlendFactor::Zero;
    bool depthTest = true;
    CullMode cull = CullMode::CounterClockwise;
    std::uint32_t colorOp = static_cast<std::uint32_t>(TextureOp::Modulate);
    std::uint32_t colorArg1 = static_cast<std::uint32_t>(TextureArg::Texture);
    std::uint32_t colorArg2 = static_cast<std::uint32_t>(TextureArg::Diffuse);
    std::uint32_t alphaOp = static_cast<std::uint32_t>(TextureOp::Modulate);
    std::uint32_t alphaArg1 = static_cast<std::uint32_t>(TextureArg::Texture);
    std::uint32_t alphaArg2 = static_cast<std::uint32_t>(TextureArg::Diffuse);
    TextureFilter filter = TextureFilter::Point;
    VertexFormat format = VertexFormat::XyzrhwDiffuse;

    bool operator==(const CPipelineState&) const = default;
};

GLenum GLBlend(BlendFactor factor) {
    switch (factor) {
    case BlendFactor::Zero:
        return GL_ZERO;
    case BlendFactor::One:
        return GL_ONE;
    case BlendFactor::SrcAlpha:
        return GL_SRC_ALPHA;
    case BlendFactor::InvSrcAlpha:
        return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::DestAlpha:
        return GL_DST_ALPHA;
    case BlendFactor::InvDestAlpha:
        return GL_ONE_MINUS_DST_ALPHA;
    }
    return GL_ONE;
}

CPipelineState OverlayState(VertexFormat format, TextureOp colorOp, TextureArg colorArg) {
    CPipelineState state;
    state.blend = true;
    state.srcBlend = BlendFactor::SrcAlpha;
    state.destBlend = BlendFactor::InvSrcAlpha;
    state.depthTest = false;
    state.cull = CullMode::None;
    state.colorOp = static_cast<std::uint32_t>(colorOp);
    state.colorArg1 = static_cast<std::uint32_t>(colorArg);
    state.colorArg2 = static_cast<std::uint32_t>(TextureArg::Diffuse);
    state.alphaOp = static_cast<std::uint32_t>(colorOp);
    state.alphaArg1 = static_cast<std::uint32_t>(colorArg);
    state.alphaArg2 = static_cast<std::uint32_t>(TextureArg::Diffuse);
    state.format = format;
    return state;
}

// Whether stage 0 comes to the vertex colour, in colour and in alpha, when the texture argument
// reads as opaque white: what the stage does when no texture is bound.
bool ComesToVertexColor(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2) {
    const bool diffuse1 = arg1 != std::uint32_t(TextureArg::Texture);
    const bool diffuse2 = arg2 != std::uint32_t(TextureArg::Texture);
    switch (static_cast<TextureOp>(op)) {
    case TextureOp::Disable:
        return true;
    case TextureOp::SelectArg1:
        return diffuse1;
    case TextureOp::SelectArg2:
        return diffuse2;
    case TextureOp::Modulate:
        return diffuse1 != diffuse2;
    case TextureOp::Modulate2X:
        break;
    }
    return false;
}

bool ComesToVertexColor(const CPipelineState& pipeline) {
    return pipeline.colorOp == std::uint32_t(TextureOp::Disable) ||
           (ComesToVertexColor(pipeline.colorOp, pipeline.colorArg1, pipeline.colorArg2) &&
            ComesToVertexColor(pipeline.alphaOp, pipeline.alphaArg1, pipeline.alphaArg2));
}

// Coverage in the red channel, read by the shader as white with that alpha, so the ordinary
// modulation with the text colour draws it. 0 when the driver refuses the texture.
GLuint CreateCoverageTexture(int width, int height, const std::uint8_t* coverage) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    const GLint swizzle[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, width, height, 0, GL_RED, GL_UNSIGNED_BYTE, coverage);
    if (glGetError() == GL_NO_ERROR) return texture;
    glDeleteTextures(1, &texture);
    return 0;
}

// Software renderers compile a pipeline the first time a draw meets a new combination of shader,
// texture format, sampler and vertex layout: milliseconds each, even from the driver's disk cache,
// and the game's first frame would wait for them all. Through the first frames lines and boxes in
// the vertex colour are drawn as text is, with a white texel, which gives the same pixels and
// spares the start their own pipelines. From then on they have them: a battle's boxes cover too
// many pixels to sample a texel for each.
constexpr std::uint32_t kBorrowedPipelineFrames = 60;

// A buffer object written front to back and orphaned when full, so the driver never waits for
// a draw that still reads the previous contents.
class CStreamBuffer {
public:
    void Create(GLenum bufferTarget) {
        target = bufferTarget;
        glGenBuffers(1, &buffer);
    }
    void Destroy() {
        if (buffer) glDeleteBuffers(1, &buffer);
        buffer = 0;
    }
    GLuint Name() const { return buffer; }
    // Returns the byte offset the data went to.
    std::size_t Upload(const void* data, std::size_t bytes) {
        if (bytes > capacity || offset + bytes > capacity) {
            capacity = std::max({capacity, bytes, std::size_t(1) << 20});
            glBufferData(target, static_cast<GLsizeiptr>(capacity), nullptr, GL_STREAM_DRAW);
            offset = 0;
        }
        const std::size_t at = offset;
        glBufferSubData(target, static_cast<GLintptr>(at), static_cast<GLsizeiptr>(bytes), data);
        offset = (at + bytes + 31) & ~std::size_t(31);
        return at;
    }

private:
    GLenum target = GL_ARRAY_BUFFER;
    GLuint buffer = 0;
    std::size_t capacity = 0;
    std::size_t offset = 0;
};

struct CFontRecord {
    CFontFace face;
    GLuint texture = 0;
};

class COpenGLDevice final : public CRenderDevice {
public:
    explicit COpenGLDevice(CGLWindow& window) : window(window) {}
    ~COpenGLDevice() override;
    bool Start(std::string& error);

    void GetBackBufferSize(std::uint32_t& width, std::uint32_t& height) override;
    RenderResult Clear(std::uint32_t color) override;
    RenderResult BeginScene() override;
    RenderResult EndScene() override { return kRenderOk; }
    RenderResult Present() override;
    CRenderCounts TakeCounts() override { return std::exchange(counts, {}); }

    void SetRenderState(RenderState state, std::uint32_t value) override;
    void SetTexture(TextureHandle texture) override { boundTexture = texture; }
    void SetTextureStageState(TextureStageState state, std::uint32_t value) override;
    void SetSamplerFilter(TextureFilter filter) override { state.filter = filter; }
    void SetVertexFormat(VertexFormat format) override { state.format = format; }
    RenderResult DrawIndexedTriangleList(std::uint32_t minVertexIndex, std::uint32_t vertexCount,
                                         std::uint32_t triangleCount, const std::uint16_t* indices,
                                         const void* vertices, std::uint32_t stride) override;

    RenderResult CreateTextureFromMemory(const void* bytes, std::uint32_t size, std::uint32_t colorKey,
                                         TextureHandle& texture) override;
    void ReleaseTexture(TextureHandle texture) override;

    RenderResult CreateLine(LineHandle& line) override;
    RenderResult DrawPolyline(LineHandle line, const float* points, std::uint32_t pointCount,
                              std::uint32_t color) override;
    void LineOnLostDevice(LineHandle) override {}
    void LineOnResetDevice(LineHandle) override {}
    void ReleaseLine(LineHandle line) override { lines.erase(static_cast<std::uint32_t>(line)); }

    RenderResult CreateFont(const CFontDesc& desc, FontHandle& font) override;
    int DrawText(FontHandle font, const char* text, int length, const CTextRect& rect, std::uint32_t format,
                 std::uint32_t color) override;
    void FontOnLostDevice(FontHandle) override {}
    void FontOnResetDevice(FontHandle) override {}
    void ReleaseFont(FontHandle font) override;

    RenderResult ReadBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& width,
                                std::uint32_t& height) override;
    RenderResult SaveBackBufferPng(const std::string& path) override;

private:
    void UpdateViewport();
    GLuint TextureName(TextureHandle handle) const;
    // False when the stage's program cannot be built.
    bool Apply(const CPipelineState& pipeline, GLuint texture, std::size_t vertexOffset);
    RenderResult DrawStreamed(const CPipelineState& pipeline, GLuint texture, GLenum mode,
                              const void* vertices, std::uint32_t vertexCount, const std::uint16_t* indices,
                              std::uint32_t indexCount, std::uint32_t minVertexIndex);
    std::uint32_t NextHandle() { return ++lastHandle; }

    CGLWindow& window;
    CGLPrograms programs;
    GLuint vertexArray = 0;
    CStreamBuffer vertexStream, indexStream;
    GLuint samplers[2] = {0, 0}; // nearest, linear
    GLuint whiteTexture = 0;
    std::uint32_t presented = 0; // frames, counted up to kBorrowedPipelineFrames
    int screenWidth = 1, screenHeight = 1;

    CPipelineState state;
    TextureHandle boundTexture = TextureHandle::None;
    CRenderCounts counts;
    CPipelineState lastDrawn;
    GLuint lastDrawnTexture = 0;
    std::uint32_t lastHandle = 0;
    std::map<std::uint32_t, GLuint> textures;
    std::set<std::uint32_t> lines;
    std::map<std::uint32_t, std::unique_ptr<CFontRecord>> fonts;
    std::vector<CTexturedVertex> scratchVertices;
    std::vector<std::uint16_t> scratchIndices;
    std::vector<CTexturedVertex> widenedVertices;
    std::vector<CColorVertex> scratchLine;
};

COpenGLDevice::~COpenGLDevice() {
    // Another context may be current by now (a second window, a renderer of SDL's own).
    window.MakeCurrent();
    for (const auto& [handle, name] : textures)
        glDeleteTextures(1, &name);
    for (const auto& [handle, font] : fonts)
        glDeleteTextures(1, &font->texture);
    if (whiteTexture) glDeleteTextures(1, &whiteTexture);
    glDeleteSamplers(2, samplers);
    vertexStream.Destroy();
    indexStream.Destroy();
    if (vertexArray) glDeleteVertexArrays(1, &vertexArray);
    programs.Destroy();
}

bool COpenGLDevice::Start(std::string& error) {
    if (epoxy_gl_version() < 33) {
        error = "the OpenGL context is older than 3.3";
        return false;
    }
    if (!programs.Create(error)) return false;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    vertexStream.Create(GL_ARRAY_BUFFER);
    indexStream.Create(GL_ELEMENT_ARRAY_BUFFER);
    glBindBuffer(GL_ARRAY_BUFFER, vertexStream.Name());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexStream.Name());
    const std::uint8_t opaque = 0xFF;
    whiteTexture = CreateCoverageTexture(1, 1, &opaque);
    glGenSamplers(2, samplers);
    for (int i = 0; i < 2; ++i) {
        const GLint filter = i == 0 ? GL_NEAREST : GL_LINEAR;
        glSamplerParameteri(samplers[i], GL_TEXTURE_MIN_FILTER, filter);
        glSamplerParameteri(samplers[i], GL_TEXTURE_MAG_FILTER, filter);
        glSamplerParameteri(samplers[i], GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glSamplerParameteri(samplers[i], GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glBindSampler(0, samplers[0]);
    glActiveTexture(GL_TEXTURE0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    UpdateViewport();
    vexo::SetDirectXErrorNames(RenderResultName);
    if (glGetError() != GL_NO_ERROR) {
        error = "the OpenGL device could not set up its objects";
        return false;
    }
    return true;
}

void COpenGLDevice::UpdateViewport() {
    int width = 0, height = 0;
    window.GetDrawableSize(width, height);
    screenWidth = std::max(width, 1);
    screenHeight = std::max(height, 1);
    glViewport(0, 0, screenWidth, screenHeight);
    programs.SetScreenSize(float(screenWidth), float(screenHeight));
}

void COpenGLDevice::GetBackBufferSize(std::uint32_t& width, std::uint32_t& height) {
    int w = 0, h = 0;
    window.GetDrawableSize(w, h);
    width = static_cast<std::uint32_t>(std::max(w, 0));
    height = static_cast<std::uint32_t>(std::max(h, 0));
}

RenderResult COpenGLDevice::Clear(std::uint32_t color) {
    UpdateViewport();
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(float((color >> 16) & 0xFF) / 255.0f, float((color >> 8) & 0xFF) / 255.0f,
                 float(color & 0xFF) / 255.0f, float(color >> 24) / 255.0f);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return kRenderOk;
}

RenderResult COpenGLDevice::BeginScene() {
    UpdateViewport();
    return kRenderOk;
}

RenderResult COpenGLDevice::Present() {
    window.Swap();
    presented = std::min(presented + 1, kBorrowedPipelineFrames);
    return kRenderOk;
}

void COpenGLDevice::SetRenderState(RenderState which, std::uint32_t value) {
    switch (which) {
    case RenderState::AlphaBlendEnable:
        state.blend = value != 0;
        break;
    case RenderState::SrcBlend:
        state.srcBlend = static_cast<BlendFactor>(value);
        break;
    case RenderState::DestBlend:
        state.destBlend = static_cast<BlendFactor>(value);
        break;
    case RenderState::ZEnable:
        state.depthTest = value != 0;
        break;
    case RenderState::CullMode:
        state.cull = static_cast<CullMode>(value);
        break;
    case RenderState::Lighting:
    case RenderState::SpecularEnable:
        break;
    }
}

void COpenGLDevice::SetTextureStageState(TextureStageState which, std::uint32_t value) {
    switch (which) {
    case TextureStageState::ColorOp:
        state.colorOp = value;
        break;
    case TextureStageState::ColorArg1:
        state.colorArg1 = value;
        break;
    case TextureStageState::ColorArg2:
        state.colorArg2 = value;
        break;
    case TextureStageState::AlphaOp:
        state.alphaOp = value;
        break;
    case TextureStageState::AlphaArg1:
        state.alphaArg1 = value;
        break;
    case TextureStageState::AlphaArg2:
        state.alphaArg2 = value;
        break;
    case TextureStageState::TexCoordIndex:
        break; // one set of coordinates is all a vertex has
    }
}

GLuint COpenGLDevice::TextureName(TextureHandle handle) const {
    const auto it = textures.find(static_cast<std::uint32_t>(handle));
    return it == textures.end() ? 0 : it->second;
}

bool COpenGLDevice::Apply(const CPipelineState& pipeline, GLuint texture, std::size_t vertexOffset) {
    if (pipeline.blend) {
        glEnable(GL_BLEND);
        glBlendFunc(GLBlend(pipeline.srcBlend), GLBlend(pipeline.destBlend));
    } else {
        glDisable(GL_BLEND);
    }
    if (pipeline.depthTest) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    // Screen y points down, so what Direct3D calls counter-clockwise is clockwise to OpenGL.
    if (pipeline.cull == CullMode::None) {
        glDisable(GL_CULL_FACE);
    } else {
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(pipeline.cull == CullMode::CounterClockwise ? GL_BACK : GL_FRONT);
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindSampler(0, samplers[pipeline.filter == TextureFilter::Linear ? 1 : 0]);
    if (!programs.Use({pipeline.colorOp, pipeline.colorArg1, pipeline.colorArg2, pipeline.alphaOp,
                       pipeline.alphaArg1, pipeline.alphaArg2, texture != 0}))
        return false;

    const bool textured = pipeline.format == VertexFormat::XyzrhwDiffuseTex1;
    const GLsizei stride = textured ? sizeof(CTexturedVertex) : sizeof(CColorVertex);
    const auto at = [&](std::size_t field) { return reinterpret_cast<const void*>(vertexOffset + field); };
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, at(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(CColorVertex, color)));
    if (textured) {
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(CTexturedVertex, u)));
    } else {
        glDisableVertexAttribArray(2);
        glVertexAttrib2f(2, 0.0f, 0.0f);
    }
    return true;
}

RenderResult COpenGLDevice::DrawStreamed(const CPipelineState& requested, GLuint texture, GLenum mode,
                                         const void* vertices, std::uint32_t vertexCount,
                                         const std::uint16_t* indices, std::uint32_t indexCount,
                                         std::uint32_t minVertexIndex) {
    std::size_t stride =
        requested.format == VertexFormat::XyzrhwDiffuseTex1 ? sizeof(CTexturedVertex) : sizeof(CColorVertex);
    const auto* first = static_cast<const std::uint8_t*>(vertices) + std::size_t(minVertexIndex) * stride;
    CPipelineState pipeline = requested;
    if (texture == 0 && whiteTexture && presented < kBorrowedPipelineFrames &&
        ComesToVertexColor(requested)) {
        pipeline.colorOp = pipeline.alphaOp = std::uint32_t(TextureOp::Modulate);
        pipeline.colorArg1 = pipeline.alphaArg1 = std::uint32_t(TextureArg::Texture);
        pipeline.colorArg2 = pipeline.alphaArg2 = std::uint32_t(TextureArg::Diffuse);
        pipeline.filter = TextureFilter::Point;
        texture = whiteTexture;
        if (requested.format == VertexFormat::XyzrhwDiffuse) {
            pipeline.format = VertexFormat::XyzrhwDiffuseTex1;
            widenedVertices.resize(vertexCount);
            for (std::uint32_t i = 0; i < vertexCount; ++i) {
                CColorVertex v;
                std::memcpy(&v, first + std::size_t(i) * stride, sizeof v);
                widenedVertices[i] = {v.x, v.y, v.z, v.rhw, v.color, 0.0f, 0.0f};
            }
            first = reinterpret_cast<const std::uint8_t*>(widenedVertices.data());
            stride = sizeof(CTexturedVertex);
        }
    }
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexStream.Name());
    const std::size_t vertexOffset = vertexStream.Upload(first, vertexCount * stride);
    if (!Apply(pipeline, texture, vertexOffset)) return kRenderFail;
    if (counts.draws == 0 || !(pipeline == lastDrawn) || texture != lastDrawnTexture) ++counts.stateChanges;
    ++counts.draws;
    lastDrawn = pipeline;
    lastDrawnTexture = texture;
    if (!indices) {
        glDrawArrays(mode, 0, static_cast<GLsizei>(vertexCount));
        return kRenderOk;
    }
    const std::size_t indexOffset = indexStream.Upload(indices, indexCount * sizeof(std::uint16_t));
    glDrawElementsBaseVertex(mode, static_cast<GLsizei>(indexCount), GL_UNSIGNED_SHORT,
                             reinterpret_cast<const void*>(indexOffset), -static_cast<GLint>(minVertexIndex));
    return kRenderOk;
}

RenderResult COpenGLDevice::DrawIndexedTriangleList(std::uint32_t minVertexIndex, std::uint32_t vertexCount,
                                                    std::uint32_t triangleCount, const std::uint16_t* indices,
                                                    const void* vertices, std::uint32_t stride) {
    const std::uint32_t expectedStride =
        state.format == VertexFormat::XyzrhwDiffuseTex1 ? sizeof(CTexturedVertex) : sizeof(CColorVertex);
    if (!indices || !vertices || stride != expectedStride || vertexCount == 0 || triangleCount == 0 ||
        minVertexIndex + vertexCount > 65536u)
        return kRenderInvalidCall;
    // An index outside the announced range would make the driver read past the streamed data.
    const std::uint32_t indexCount = triangleCount * 3;
    const auto [low, high] = std::minmax_element(indices, indices + indexCount);
    if (*low < minVertexIndex || *high >= minVertexIndex + vertexCount) return kRenderInvalidCall;
    return DrawStreamed(state, TextureName(boundTexture), GL_TRIANGLES, vertices, vertexCount, indices,
                        indexCount, minVertexIndex);
}

RenderResult COpenGLDevice::CreateTextureFromMemory(const void* bytes, std::uint32_t size,
                                                    std::uint32_t colorKey, TextureHandle& texture) {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const RenderResult decoded = DecodeImage(bytes, size, colorKey, maxSize, pixels, width, height);
    if (RenderFailed(decoded)) return decoded;

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &name);
        return kRenderOutOfMemory;
    }
    const std::uint32_t handle = NextHandle();
    textures[handle] = name;
    texture = static_cast<TextureHandle>(handle);
    return kRenderOk;
}

void COpenGLDevice::ReleaseTexture(TextureHandle texture) {
    const auto it = textures.find(static_cast<std::uint32_t>(texture));
    if (it == textures.end()) return;
    glDeleteTextures(1, &it->second);
    textures.erase(it);
    if (boundTexture == texture) boundTexture = TextureHandle::None;
}

RenderResult COpenGLDevice::CreateLine(LineHandle& line) {
    const std::uint32_t handle = NextHandle();
    lines.insert(handle);
    line = static_cast<LineHandle>(handle);
    return kRenderOk;
}

RenderResult COpenGLDevice::DrawPolyline(LineHandle line, const float* points, std::uint32_t pointCount,
                                         std::uint32_t color) {
    if (!lines.count(static_cast<std::uint32_t>(line)) || (!points && pointCount > 0))
        return kRenderInvalidCall;
    if (pointCount < 2) return kRenderOk;
    scratchLine.resize(pointCount);
    for (std::uint32_t i = 0; i < pointCount; ++i)
        scratchLine[i] = {points[2 * i], points[2 * i + 1], 0.0f, 1.0f, color};
    const CPipelineState lineState =
        OverlayState(VertexFormat::XyzrhwDiffuse, TextureOp::SelectArg1, TextureArg::Diffuse);
    return DrawStreamed(lineState, 0, GL_LINE_STRIP, scratchLine.data(), pointCount, nullptr, 0, 0);
}

RenderResult COpenGLDevice::CreateFont(const CFontDesc& desc, FontHandle& font) {
    auto record = std::make_unique<CFontRecord>();
    std::string error;
    if (!record->face.Create(desc, error)) return kRenderFail;
    record->texture = CreateCoverageTexture(record->face.AtlasWidth(), record->face.AtlasHeight(),
                                            record->face.Atlas().data());
    if (!record->texture) return kRenderOutOfMemory;
    const std::uint32_t handle = NextHandle();
    fonts[handle] = std::move(record);
    font = static_cast<FontHandle>(handle);
    return kRenderOk;
}

void COpenGLDevice::ReleaseFont(FontHandle font) {
    const auto it = fonts.find(static_cast<std::uint32_t>(font));
    if (it == fonts.end()) return;
    glDeleteTextures(1, &it->second->texture);
    fonts.erase(it);
}

int COpenGLDevice::DrawText(FontHandle font, const char* text, int length, const CTextRect& rect,
                            std::uint32_t format, std::uint32_t color) {
    const auto it = fonts.find(static_cast<std::uint32_t>(font));
    if (it == fonts.end() || !text) return 0;
    const std::string_view view(text, length < 0 ? std::strlen(text) : std::size_t(length));
    if (view.empty()) return 0;
    const CFontFace& face = it->second->face;
    const CTextLayoutResult layout = LayOutText(view, rect, format, face.LineHeight(),
                                               [&](unsigned char c) { return face.Glyph(c).advance; });

    const float atlasW = float(face.AtlasWidth()), atlasH = float(face.AtlasHeight());
    scratchVertices.clear();
    scratchIndices.clear();
    const CPipelineState textState =
        OverlayState(VertexFormat::XyzrhwDiffuseTex1, TextureOp::Modulate, TextureArg::Texture);
    bool drawn = true;
    const auto flush = [&] {
        if (scratchVertices.empty()) return;
        drawn &= !RenderFailed(DrawStreamed(textState, it->second->texture, GL_TRIANGLES,
                                            scratchVertices.data(), std::uint32_t(scratchVertices.size()),
                                            scratchIndices.data(), std::uint32_t(scratchIndices.size()), 0));
        scratchVertices.clear();
        scratchIndices.clear();
    };

    if (!(format & kTextNoClip)) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(rect.left, screenHeight - rect.bottom, std::max(rect.right - rect.left, 0),
                  std::max(rect.bottom - rect.top, 0));
    }
    for (const CLaidOutLine& line : layout.lines) {
        int pen = line.x;
        const int baseline = line.y + face.Ascent();
        for (std::size_t i = line.begin; i < line.end; ++i) {
            const CGlyphBox& g = face.Glyph(static_cast<unsigned char>(view[i]));
            if (g.width > 0) {
                if (scratchVertices.size() + 4 > 65536) flush();
                const float x0 = float(pen + g.bearingX), y0 = float(baseline - g.bearingY);
                const float x1 = x0 + float(g.width), y1 = y0 + float(g.height);
                const float u0 = float(g.atlasX) / atlasW, v0 = float(g.atlasY) / atlasH;
                const float u1 = float(g.atlasX + g.width) / atlasW, v1 = float(g.atlasY + g.height) / atlasH;
                const auto b = static_cast<std::uint16_t>(scratchVertices.size());
                scratchVertices.push_back({x0, y0, 0.0f, 1.0f, color, u0, v0});
                scratchVertices.push_back({x1, y0, 0.0f, 1.0f, color, u1, v0});
                scratchVertices.push_back({x0, y1, 0.0f, 1.0f, color, u0, v1});
                scratchVertices.push_back({x1, y1, 0.0f, 1.0f, color, u1, v1});
                for (int k : {0, 1, 2, 1, 2, 3})
                    scratchIndices.push_back(static_cast<std::uint16_t>(b + k));
            }
            pen += g.advance;
        }
    }
    flush();
    glDisable(GL_SCISSOR_TEST);
    return drawn ? layout.height : 0;
}

RenderResult COpenGLDevice::ReadBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& width,
                                           std::uint32_t& height) {
    int w = 0, h = 0;
    window.GetDrawableSize(w, h);
    if (w <= 0 || h <= 0) return kRenderInvalidCall;
    std::vector<std::uint32_t> bottomUp(std::size_t(w) * h);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, bottomUp.data());
    if (glGetError() != GL_NO_ERROR) return kRenderFail;
    pixels.resize(bottomUp.size());
    // What reaches the screen is opaque whatever alpha blending left in the buffer.
    for (int row = 0; row < h; ++row)
        std::transform(bottomUp.begin() + std::ptrdiff_t(h - 1 - row) * w,
                       bottomUp.begin() + std::ptrdiff_t(h - row) * w,
                       pixels.begin() + std::ptrdiff_t(row) * w,
                       [](std::uint32_t p) { return p | 0xFF000000u; });
    width = static_cast<std::uint32_t>(w);
    height = static_cast<std::uint32_t>(h);
    return kRenderOk;
}

RenderResult COpenGLDevice::SaveBackBufferPng(const std::string& path) {
    std::vector<std::uint32_t> pixels;
    std::uint32_t width = 0, height = 0;
    const RenderResult result = ReadBackBuffer(pixels, width, height);
    if (RenderFailed(result)) return result;
    return WritePng(path, pixels, int(width), int(height));
}

} // namespace

std::unique_ptr<CRenderDevice> CreateOpenGLDevice(CGLWindow& window, std::string& error) {
    if (!window.IsOpen()) {
        error = "the window is not open";
        return nullptr;
    }
    auto device = std::make_unique<COpenGLDevice>(window);
    if (!device->Start(error)) return nullptr;
    return device;
}
