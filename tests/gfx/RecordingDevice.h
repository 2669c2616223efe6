// CRecordingDevice: a render device double that draws nothing and remembers everything — state
// changes in order, every draw with copies of its vertices and indices, textures, lines, fonts
// and text — and fails on request. Shared by the gfx, game and GUI tests.
#pragma once

#include "platform/RenderDevice.h"

#include <algorithm>
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
        std::vector<CColorVertex> colorVertices;       // with XyzrhwDiffuse
        std::vector<CTexturedVertex> texturedVertices; // with XyzrhwDiffuseTex1
        std::vector<std::uint16_t> indices;
    };
    struct Text {
        FontHandle font;
        std::string text; // Windows-1250 bytes as drawn
        CTextRect rect;
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
    std::map<FontHandle, CFontDesc> fonts;      // live fonts
    std::set<LineHandle> lines;                // live line drawers
    std::map<RenderState, std::uint32_t> renderStates;
    std::uint32_t clearColor = 0;
    std::uint32_t width = 640, height = 480;

    // Results to hand back; a failure code makes the matching operation fail.
    RenderResult drawResult = kRenderOk, textureResult = kRenderOk, lineResult = kRenderOk,
                 fontResult = kRenderOk;
    int textHeight = 16; // what DrawText reports

    std::size_t Count(const std::string& call) const {
        return std::size_t(std::count(calls.begin(), calls.end(), call));
    }

    void GetBackBufferSize(std::uint32_t& w, std::uint32_t& h) override { w = width, h = height; }
    RenderResult Clear(std::uint32_t color) override { return clearColor = color, Note("Clear"); }
    RenderResult BeginScene() override { return Note("BeginScene"); }
    RenderResult EndScene() override { return Note("EndScene"); }
    RenderResult Present() override { return Note("Present"); }
    void SetRenderState(RenderState s, std::uint32_t v) override {
        renderStates[s] = v, Note("SetRenderState");
    }
    void SetTexture(TextureHandle t) override { currentTexture = t, Note("SetTexture"); }
    void SetTextureStageState(TextureStageState s, std::uint32_t v) override {
        stage[s] = v, Note("SetTextureStageState");
    }
    void SetSamplerFilter(TextureFilter f) override { filter = f, Note("SetSamplerFilter"); }
    void SetVertexFormat(VertexFormat f) override { format = f, Note("SetVertexFormat"); }
    RenderResult DrawIndexedTriangleList(std::uint32_t minVertexIndex, std::uint32_t vertexCount,
                                         std::uint32_t triangleCount, const std::uint16_t* indices,
                                         const void* vertices, std::uint32_t stride) override {
        if (RenderFailed(Note("DrawIndexedTriangleList", drawResult))) return drawResult;
        Draw d{format,
               currentTexture,
               stage,
               filter,
               minVertexIndex,
               vertexCount,
               triangleCount,
               stride,
               {},
               {},
               std::vector<std::uint16_t>(indices, indices + triangleCount * 3)};
        const std::uint32_t total = minVertexIndex + vertexCount;
        if (format == VertexFormat::XyzrhwDiffuse)
            Copy(d.colorVertices, vertices, total);
        else
            Copy(d.texturedVertices, vertices, total);
        draws.push_back(std::move(d));
        return kRenderOk;
    }

    RenderResult CreateTextureFromMemory(const void* bytes, std::uint32_t size, std::uint32_t colorKey,
                                         TextureHandle& texture) override {
        if (RenderFailed(Note("CreateTextureFromMemory", textureResult))) return textureResult;
        texture = static_cast<TextureHandle>(++lastHandle);
        textures[texture] = {std::string(static_cast<const char*>(bytes), size), colorKey};
        return kRenderOk;
    }
    void ReleaseTexture(TextureHandle t) override { textures.erase(t), Note("ReleaseTexture"); }

    RenderResult CreateLine(LineHandle& line) override {
        if (RenderFailed(Note("CreateLine", lineResult))) return lineResult;
        lines.insert(line = static_cast<LineHandle>(++lastHandle));
        return kRenderOk;
    }
    RenderResult DrawPolyline(LineHandle line, const float* points, std::uint32_t pointCount,
                              std::uint32_t color) override {
        if (RenderFailed(Note("DrawPolyline", lineResult))) return lineResult;
        polylines.push_back({line, std::vector<float>(points, points + 2 * pointCount), color});
        return kRenderOk;
    }
    void LineOnLostDevice(LineHandle) override { Note("LineOnLostDevice"); }
    void LineOnResetDevice(LineHandle) override { Note("LineOnResetDevice"); }
    void ReleaseLine(LineHandle line) override { lines.erase(line), Note("ReleaseLine"); }

    RenderResult CreateFont(const CFontDesc& desc, FontHandle& font) override {
        if (RenderFailed(Note("CreateFont", fontResult))) return fontResult;
        fonts[font = static_cast<FontHandle>(++lastHandle)] = desc;
        return kRenderOk;
    }
    int DrawText(FontHandle font, const char* text, int length, const CTextRect& rect, std::uint32_t fmt,
                 std::uint32_t color) override {
        Note("DrawText");
        texts.push_back({font, length < 0 ? std::string(text) : std::string(text, std::size_t(length)), rect,
                         fmt, color});
        return textHeight;
    }
    void FontOnLostDevice(FontHandle) override { Note("FontOnLostDevice"); }
    void FontOnResetDevice(FontHandle) override { Note("FontOnResetDevice"); }
    void ReleaseFont(FontHandle font) override { fonts.erase(font), Note("ReleaseFont"); }

    RenderResult ReadBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& w,
                                std::uint32_t& h) override {
        pixels.assign(std::size_t(width) * height, clearColor);
        GetBackBufferSize(w, h);
        return kRenderOk;
    }
    RenderResult SaveBackBufferPng(const std::string&) override { return kRenderNotAvailable; }

private:
    RenderResult Note(const char* call, RenderResult result = kRenderOk) {
        calls.push_back(call);
        return result;
    }
    template <typename Vertex> static void Copy(std::vector<Vertex>& to, const void* from, std::uint32_t n) {
        to.resize(n);
        std::memcpy(to.data(), from, n * sizeof(Vertex));
    }

    std::uint32_t lastHandle = 0;
    TextureHandle currentTexture = TextureHandle::None;
    std::map<TextureStageState, std::uint32_t> stage;
    TextureFilter filter = TextureFilter::Point;
    VertexFormat format = VertexFormat::XyzrhwDiffuse;
};
