// The render device: every drawing service the graphics code needs, behind opaque handles and
// result codes, so gfx, the game and the GUI never see SDL, OpenGL or FreeType.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A device result: negative means failure. The failure values keep Direct3D's numbers, so the
// names in Errors.log read the same whichever device produced them.
using RenderResult = std::int32_t;

inline constexpr RenderResult kRenderOk = 0;
inline constexpr RenderResult kRenderFail = static_cast<RenderResult>(0x80004005u);
inline constexpr RenderResult kRenderOutOfMemory = static_cast<RenderResult>(0x8007000Eu);
inline constexpr RenderResult kRenderInvalidCall = static_cast<RenderResult>(0x8876086Cu);
inline constexpr RenderResult kRenderNotAvailable = static_cast<RenderResult>(0x8876086Au);
inline constexpr RenderResult kRenderDeviceLost = static_cast<RenderResult>(0x88760868u);
inline constexpr RenderResult kRenderDeviceNotReset = static_cast<RenderResult>(0x88760869u);
inline constexpr RenderResult kRenderInvalidData = static_cast<RenderResult>(0x88760B59u);

constexpr bool RenderFailed(RenderResult result) {
    return result < 0;
}

// The symbolic name of a result code, or nullptr; installed into vexo::SetDirectXErrorNames.
const char* RenderResultName(std::uint32_t code);

// Opaque handles; zero is "none".
enum class TextureHandle : std::uint32_t { None = 0 };
enum class FontHandle : std::uint32_t { None = 0 };
enum class LineHandle : std::uint32_t { None = 0 };

enum class RenderState : std::uint32_t {
    AlphaBlendEnable, // value 0 or 1
    SrcBlend,         // a BlendFactor
    DestBlend,        // a BlendFactor
    ZEnable,          // value 0 or 1
    CullMode,         // a CullMode
    Lighting,         // value 0 or 1; pre-transformed vertices are never lit, kept for the caller's order
    SpecularEnable,   // value 0 or 1; likewise
};
enum class BlendFactor : std::uint32_t { Zero, One, SrcAlpha, InvSrcAlpha, DestAlpha, InvDestAlpha };
enum class CullMode : std::uint32_t { None, Clockwise, CounterClockwise };

// The fixed-function stage 0: what the colour and the alpha of a pixel are made of.
enum class TextureStageState : std::uint32_t {
    ColorOp,
    ColorArg1,
    ColorArg2,
    AlphaOp,
    AlphaArg1,
    AlphaArg2,
    TexCoordIndex
};
enum class TextureOp : std::uint32_t { Disable, SelectArg1, SelectArg2, Modulate, Modulate2X };
enum class TextureArg : std::uint32_t { Diffuse, Texture };
enum class TextureFilter : std::uint32_t { None, Point, Linear };

// Pre-transformed vertices: x and y in back-buffer pixels with pixel centres on integers (as
// Direct3D 9 has them), z, rhw, then a 32-bit ARGB colour and, for the textured format, u and v.
enum class VertexFormat : std::uint32_t { XyzrhwDiffuse, XyzrhwDiffuseTex1 };
struct CColorVertex {
    float x, y, z, rhw;
    std::uint32_t color;
};
struct CTexturedVertex {
    float x, y, z, rhw;
    std::uint32_t color;
    float u, v;
};
static_assert(sizeof(CColorVertex) == 20 && sizeof(CTexturedVertex) == 28);

// Text layout flags, with the values of the Windows DrawText flags they stand for.
inline constexpr std::uint32_t kTextTop = 0x0000;
inline constexpr std::uint32_t kTextLeft = 0x0000;
inline constexpr std::uint32_t kTextCenter = 0x0001;
inline constexpr std::uint32_t kTextRight = 0x0002;
inline constexpr std::uint32_t kTextVCenter = 0x0004;
inline constexpr std::uint32_t kTextBottom = 0x0008;
inline constexpr std::uint32_t kTextWordBreak = 0x0010;
inline constexpr std::uint32_t kTextSingleLine = 0x0020;
inline constexpr std::uint32_t kTextNoClip = 0x0100;

struct CTextRect {
    int left, top, right, bottom;
};

// What a font is made from: a typeface by name (a sans-serif face stands in when it is missing),
// the cell height in pixels and the weight (400 regular, 700 bold).
struct CFontDesc {
    int height = 0;
    int weight = 400;
    std::string typeface;

    bool operator==(const CFontDesc&) const = default;
};

// What drawing asked of the device, for the frame benchmark.
struct CRenderCounts {
    std::uint32_t draws = 0;
    // Draws whose states, texture or vertex format differ from the draw before: each one a break
    // in what could otherwise have been drawn as one batch.
    std::uint32_t stateChanges = 0;
};

class CRenderDevice {
public:
    virtual ~CRenderDevice() = default;

    // The counts since the last call, which starts them again; zeros from a device that does not
    // count.
    virtual CRenderCounts TakeCounts() { return {}; }

    // The size of the back buffer in pixels.
    virtual void GetBackBufferSize(std::uint32_t& width, std::uint32_t& height) = 0;

    // Clears the target to an ARGB colour, depth to 1.0 and stencil to 0.
    virtual RenderResult Clear(std::uint32_t color) = 0;
    virtual RenderResult BeginScene() = 0;
    virtual RenderResult EndScene() = 0;
    // Shows the back buffer; kRenderDeviceLost is reported, not raised.
    virtual RenderResult Present() = 0;

    virtual void SetRenderState(RenderState state, std::uint32_t value) = 0;
    virtual void SetTexture(TextureHandle texture) = 0;
    virtual void SetTextureStageState(TextureStageState state, std::uint32_t value) = 0;
    // Minification and magnification filter of sampler 0.
    virtual void SetSamplerFilter(TextureFilter filter) = 0;
    virtual void SetVertexFormat(VertexFormat format) = 0;

    // An indexed triangle list straight from memory: 16-bit indices into vertices of the current
    // format; the device streams both through a buffer of its own.
    virtual RenderResult DrawIndexedTriangleList(std::uint32_t minVertexIndex, std::uint32_t vertexCount,
                                                 std::uint32_t triangleCount, const std::uint16_t* indices,
                                                 const void* vertices, std::uint32_t stride) = 0;

    // A texture from an image file held in memory (BMP, PNG, JPEG, TGA ...). Pixels whose ARGB
    // value equals colorKey become transparent black; a key of 0 keys nothing.
    virtual RenderResult CreateTextureFromMemory(const void* bytes, std::uint32_t size,
                                                 std::uint32_t colorKey, TextureHandle& texture) = 0;
    virtual void ReleaseTexture(TextureHandle texture) = 0;

    // The line drawer: polylines of one-pixel width through points given as x, y pairs.
    virtual RenderResult CreateLine(LineHandle& line) = 0;
    virtual RenderResult DrawPolyline(LineHandle line, const float* points, std::uint32_t pointCount,
                                      std::uint32_t color) = 0;
    virtual void LineOnLostDevice(LineHandle line) = 0;
    virtual void LineOnResetDevice(LineHandle line) = 0;
    virtual void ReleaseLine(LineHandle line) = 0;

    virtual RenderResult CreateFont(const CFontDesc& desc, FontHandle& font) = 0;
    // Draws Windows-1250 text (length -1: up to the terminating zero) with the kText* flags.
    // Returns the drawn height in pixels, or with vertical centring or bottom alignment the offset
    // from the rectangle's top to the bottom of the text; 0 means nothing could be drawn.
    virtual int DrawText(FontHandle font, const char* text, int length, const CTextRect& rect,
                         std::uint32_t format, std::uint32_t color) = 0;
    virtual void FontOnLostDevice(FontHandle font) = 0;
    virtual void FontOnResetDevice(FontHandle font) = 0;
    virtual void ReleaseFont(FontHandle font) = 0;

    // The back buffer as ARGB pixels, top row first.
    virtual RenderResult ReadBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& width,
                                        std::uint32_t& height) = 0;
    // The back buffer written as a PNG file (host path).
    virtual RenderResult SaveBackBufferPng(const std::string& path) = 0;
};
