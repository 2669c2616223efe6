// CRecordingDevice: a render device double that draws nothing and remembers what the tests read
// back — every draw with copies of its vertices and indices, lines and text — and fails draws and
// fonts on request. Shared by the gfx, game and GUI tests.
#pragma once

#include "platform/RenderDevice.h"

#include <cstring>
#include <string>
#include <vector>

class CRecordingDevice : public CRenderDevice {
public:
    struct Draw {
        VertexFormat format;
        std::uint32_t vertexCount, triangleCount;
        std::vector<CColorVertex> colorVertices;       // with XyzrhwDiffuse
        std::vector<CTexturedVertex> texturedVertices; // with XyzrhwDiffuseTex1
        std::vector<std::uint16_t> indices;
    };
    struct Text {
        std::string text; // Windows-1250 bytes as drawn
        CTextRect rect;
        std::uint32_t format, color;
    };
    struct Polyline {
        std::vector<float> points; // x, y pairs
        std::uint32_t color;
    };

    std::vector<Draw> draws;
    std::vector<Text> texts;
    std::vector<Polyline> polylines;
    std::uint32_t clearColor = 0;
    std::uint32_t width = 640, height = 480;
    // A failure code makes the matching operation fail.
    RenderResult drawResult = kRenderOk, fontResult = kRenderOk;

    void GetBackBufferSize(std::uint32_t& w, std::uint32_t& h) override { w = width, h = height; }
    RenderResult Clear(std::uint32_t color) override { return clearColor = color, kRenderOk; }
    RenderResult BeginScene() override { return kRenderOk; }
    RenderResult EndScene() override { return kRenderOk; }
    RenderResult Present() override { return kRenderOk; }
    void SetRenderState(RenderState, std::uint32_t) override {}
    void SetTexture(TextureHandle) override {}
    void SetTextureStageState(TextureStageState, std::uint32_t) override {}
    void SetSamplerFilter(TextureFilter) override {}
    void SetVertexFormat(VertexFormat f) override { format = f; }
    RenderResult DrawIndexedTriangleList(std::uint32_t minVertexIndex, std::uint32_t vertexCount,
                                         std::uint32_t triangleCount, const std::uint16_t* indices,
                                         const void* vertices, std::uint32_t) override {
        if (RenderFailed(drawResult)) return drawResult;
        Draw d{format, vertexCount, triangleCount, {}, {}, {indices, indices + triangleCount * 3}};
        if (format == VertexFormat::XyzrhwDiffuse)
            Copy(d.colorVertices, vertices, minVertexIndex + vertexCount);
        else
            Copy(d.texturedVertices, vertices, minVertexIndex + vertexCount);
        draws.push_back(std::move(d));
        return kRenderOk;
    }

    RenderResult CreateTextureFromMemory(const void*, std::uint32_t, std::uint32_t,
                                         TextureHandle& texture) override {
        texture = static_cast<TextureHandle>(++lastHandle);
        return kRenderOk;
    }
    void ReleaseTexture(TextureHandle) override {}

    RenderResult CreateLine(LineHandle& line) override {
        line = static_cast<LineHandle>(++lastHandle);
        return kRenderOk;
    }
    RenderResult DrawPolyline(LineHandle, const float* points, std::uint32_t pointCount,
                              std::uint32_t color) override {
        polylines.push_back({std::vector<float>(points, points + 2 * pointCount), color});
        return kRenderOk;
    }
    void LineOnLostDevice(LineHandle) override {}
    void LineOnResetDevice(LineHandle) override {}
    void ReleaseLine(LineHandle) override {}

    RenderResult CreateFont(const CFontDesc&, FontHandle& font) override {
        if (RenderFailed(fontResult)) return fontResult;
        font = static_cast<FontHandle>(++lastHandle);
        return kRenderOk;
    }
    int DrawText(FontHandle, const char* text, int length, const CTextRect& rect, std::uint32_t fmt,
                 std::uint32_t color) override {
        texts.push_back({length < 0 ? std::string(text) : std::string(text, std::size_t(length)), rect, fmt, color});
        return 16;
    }
    void FontOnLostDevice(FontHandle) override {}
    void FontOnResetDevice(FontHandle) override {}
    void ReleaseFont(FontHandle) override {}

    RenderResult ReadBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& w,
                                std::uint32_t& h) override {
        pixels.assign(std::size_t(width) * height, clearColor);
        GetBackBufferSize(w, h);
        return kRenderOk;
    }
    RenderResult SaveBackBufferPng(const std::string&) override { return kRenderNotAvailable; }

private:
    template <typename Vertex> static void Copy(std::vector<Vertex>& to, const void* from, std::uint32_t n) {
        to.resize(n);
        std::memcpy(to.data(), from, n * sizeof(Vertex));
    }

    std::uint32_t lastHandle = 0;
    VertexFormat format = VertexFormat::XyzrhwDiffuse;
};
