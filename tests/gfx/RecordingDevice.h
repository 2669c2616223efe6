// CRecordingDevice: a render device double that draws nothing and remembers everything — state
// changes in order, every draw with copies of its vertices and indices, textures, lines, fonts
// and text — and fails on request. Shared by the gfx, game and GUI tests.
#pragma once

#include "platform/RenderDevice.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

class CRecordingDevice : public CRenderDevice {
public:
    struct Draw {
        VertexFormat format;
        TextureHandle texture;
        std::map<TextureStageState, std::uint32_t> stage; // stage 0 at the time of the draw
        TextureFilter filter;
        std::uint32_t minVertexIndex, vertexCount, triangleCount, stride;
        std::vector<ColorVertex> colorVertices;       // with XyzrhwDiffuse
        std::vector<TexturedVertex> texturedVertices; // with XyzrhwDiffuseTex1
        std::vector<std::uint16_t> indices;
    };
    struct Text {
        FontHandle font;
        std::string text; // Windows-1250 bytes as drawn
        TextRect rect;
        std::uint32_t format, color;
    };
    struct Polyline {
        LineHandle line;
        std::vector<float> points; // x, y pairs
        std::uint32_t color;
    };
    struct Texture {
        std::string bytes;
        std::uint32_t colorKey;
    };

    // Every call in order, by name ("SetTexture", "DrawIndexedTriangleList", "Clear" ...).
    std::vector<std::string> calls;
    std::vector<Draw> draws;
    std::vector<Text> texts;
    std::vector<Polyline> polylines;
    std::map<TextureHandle, Texture> textures; // live textures
    std::map<FontHandle, FontDesc> fonts; // live fonts
    std::set<LineHandle> lines; // live line drawers
    std::map<RenderState, std::uint32_t> renderStates;
    std::uint32_t clearColor = 0;
    std::uint32_t width = 640, height = 480;

    // Results to hand back; a failure code makes the matching operation fail.
    RenderResult drawResult = kRenderOk, textureResult = kRenderOk, lineResult = kRenderOk,
                 fontResult = kRenderOk;
    int textHeight = 16; // what DrawText reports

    // Whole-state readers for the tests.
    std::size_t Count(const std::string& call) const {
        std::size_t n = 0;
        for (const std::string& c : calls) n += c == call;
        return n;
    }

    void GetBackBufferSize(std::uint32_t& w, std::uint32_t& h) override {
        w = width;
        h = height;
    }
    RenderResult Clear(std::uint32_t color) override {
        calls.push_back("Clear");
        clearColor = color;
        return kRenderOk;
    }
    RenderResult BeginScene() override { return Note("BeginScene"); }
    RenderResult EndScene() override { return Note("EndScene"); }
    RenderResult Present() override { return Note("Present"); }

    void SetRenderState(RenderState state, std::uint32_t value) override {
        calls.push_back("SetRenderState");
        renderStates[state] = value;
    }
    void SetTexture(TextureHandle texture) override {
        calls.push_back("SetTexture");
        currentTexture = texture;
    }
    void SetTextureStageState(TextureStageState state, std::uint32_t value) override {
        calls.push_back("SetTextureStageState");
        stage[state] = value;
    }
    void SetSamplerFilter(TextureFilter f) override {
        calls.push_back("SetSamplerFilter");
        filter = f;
    }
    void SetVertexFormat(VertexFormat f) override {
        calls.push_back("SetVertexFormat");
        format = f;
    }
    RenderResult DrawIndexedTriangleList(std::uint32_t minVertexIndex, std::uint32_t vertexCount,
                                         std::uint32_t triangleCount, const std::uint16_t* indices,
                                         const void* vertices, std::uint32_t stride) override {
        calls.push_back("DrawIndexedTriangleList");
        if (RenderFailed(drawResult)) return drawResult;
        Draw d{format,      currentTexture, stage,  filter, minVertexIndex,
               vertexCount, triangleCount,  stride, {},     {},
               {}};
        d.indices.assign(indices, indices + triangleCount * 3);
        const std::uint32_t total = minVertexIndex + vertexCount;
        if (format == VertexFormat::XyzrhwDiffuse) {
            d.colorVertices.resize(total);
            std::memcpy(d.colorVertices.data(), vertices, total * sizeof(ColorVertex));
        } else {
            d.texturedVertices.resize(total);
            std::memcpy(d.texturedVertices.data(), vertices, total * sizeof(TexturedVertex));
        }
        draws.push_back(std::move(d));
        return kRenderOk;
    }

    RenderResult CreateTextureFromMemory(const void* bytes, std::uint32_t size, std::uint32_t colorKey,
                                         TextureHandle& texture) override {
        calls.push_back("CreateTextureFromMemory");
        if (RenderFailed(textureResult)) return textureResult;
        texture = static_cast<TextureHandle>(++lastHandle);
        textures[texture] = {std::string(static_cast<const char*>(bytes), size), colorKey};
        return kRenderOk;
    }
    void ReleaseTexture(TextureHandle texture) override {
        calls.push_back("ReleaseTexture");
        textures.erase(texture);
    }

    RenderResult CreateLine(LineHandle& line) override {
        calls.push_back("CreateLine");
        if (RenderFailed(lineResult)) return lineResult;
        line = static_cast<LineHandle>(++lastHandle);
        lines.insert(line);
        return kRenderOk;
    }
    RenderResult DrawPolyline(LineHandle line, const float* points, std::uint32_t pointCount,
                              std::uint32_t color) override {
        calls.push_back("DrawPolyline");
        if (RenderFailed(lineResult)) return lineResult;
        polylines.push_back({line, std::vector<float>(points, points + 2 * pointCount), color});
        return kRenderOk;
    }
    void LineOnLostDevice(LineHandle) override { calls.push_back("LineOnLostDevice"); }
    void LineOnResetDevice(LineHandle) override { calls.push_back("LineOnResetDevice"); }
    void ReleaseLine(LineHandle line) override {
        calls.push_back("ReleaseLine");
        lines.erase(line);
    }

    RenderResult CreateFont(const FontDesc& desc, FontHandle& font) override {
        calls.push_back("CreateFont");
        if (RenderFailed(fontResult)) return fontResult;
        font = static_cast<FontHandle>(++lastHandle);
        fonts[font] = desc;
        return kRenderOk;
    }
    int DrawText(FontHandle font, const char* text, int length, const TextRect& rect, std::uint32_t fmt,
                 std::uint32_t color) override {
        calls.push_back("DrawText");
        texts.push_back({font, length < 0 ? std::string(text) : std::string(text, std::size_t(length)), rect,
                         fmt, color});
        return textHeight;
    }
    void FontOnLostDevice(FontHandle) override { calls.push_back("FontOnLostDevice"); }
    void FontOnResetDevice(FontHandle) override { calls.push_back("FontOnResetDevice"); }
    void ReleaseFont(FontHandle font) override {
        calls.push_back("ReleaseFont");
        fonts.erase(font);
    }

    RenderResult ReadBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& w,
                                std::uint32_t& h) override {
        pixels.assign(std::size_t(width) * height, clearColor);
        w = width;
        h = height;
        return kRenderOk;
    }
    RenderResult SaveBackBufferPng(const std::string&) override { return kRenderNotAvailable; }

private:
    RenderResult Note(const char* call) {
        calls.push_back(call);
        return kRenderOk;
    }

    std::uint32_t lastHandle = 0;
    TextureHandle currentTexture = TextureHandle::None;
    std::map<TextureStageState, std::uint32_t> stage;
    TextureFilter filter = TextureFilter::Point;
    VertexFormat format = VertexFormat::XyzrhwDiffuse;
};
