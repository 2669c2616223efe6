// Image decoding and PNG writing through SDL2_image.
#include "platform/ImageDecode.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <utility>

namespace {

struct CSurfaceCloser {
    SDL_Surface* surface;
    ~CSurfaceCloser() {
        if (surface) SDL_FreeSurface(surface);
    }
};

std::uint32_t Byte(std::string_view b, std::size_t at) {
    return at < b.size() ? std::uint8_t(b[at]) : 0;
}
std::uint32_t BigEndian16(std::string_view b, std::size_t at) {
    return Byte(b, at) << 8 | Byte(b, at + 1);
}
std::uint32_t BigEndian32(std::string_view b, std::size_t at) {
    return BigEndian16(b, at) << 16 | BigEndian16(b, at + 2);
}
std::uint32_t LittleEndian16(std::string_view b, std::size_t at) {
    return Byte(b, at) | Byte(b, at + 1) << 8;
}
std::uint32_t LittleEndian32(std::string_view b, std::size_t at) {
    return LittleEndian16(b, at) | LittleEndian16(b, at + 2) << 16;
}

// The frame header (SOF0 ... SOF15) holds the size; the markers before it are skipped by their lengths.
bool ReadJpegSize(std::string_view b, CImageHeader& header) {
    std::size_t at = 2;
    while (at + 9 <= b.size()) {
        if (Byte(b, at) != 0xFF) return false;
        const std::uint32_t marker = Byte(b, at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return false; // image data before any frame header
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            header.height = BigEndian16(b, at + 5);
            header.width = BigEndian16(b, at + 7);
            return true;
        }
        at += 2 + BigEndian16(b, at + 2);
    }
    return false;
}

} // namespace

bool ReadImageHeader(std::string_view b, CImageHeader& header) {
    header = CImageHeader{};
    if (b.size() >= 24 && b.substr(0, 8) == "\x89PNG\r\n\x1a\n" && b.substr(12, 4) == "IHDR") {
        header = {"PNG", BigEndian32(b, 16), BigEndian32(b, 20)};
    } else if (b.size() >= 26 && b.substr(0, 2) == "BM") {
        // The old OS/2 header has 16-bit sizes; the later ones 32-bit, the height negative for a
        // picture stored top row first.
        const bool core = LittleEndian32(b, 14) == 12;
        const std::int32_t height =
            core ? std::int32_t(LittleEndian16(b, 20)) : std::int32_t(LittleEndian32(b, 22));
        if (height == INT32_MIN) return false;
        header = {"BMP", core ? LittleEndian16(b, 18) : LittleEndian32(b, 18),
                  std::uint32_t(std::abs(height))};
    } else if (b.size() >= 4 && Byte(b, 0) == 0xFF && Byte(b, 1) == 0xD8 && Byte(b, 2) == 0xFF) {
        header.format = "JPG";
        if (!ReadJpegSize(b, header)) return false;
    } else {
        // GIF among them: this SDL2_image's GIF decoder frees a wild pointer on a damaged file.
        return false;
    }
    return header.width > 0 && header.height > 0 && header.width <= INT_MAX && header.height <= INT_MAX;
}

struct CDecodedImage {
    RenderResult result = kRenderInvalidData;
    std::vector<std::uint32_t> argb;
    int width = 0, height = 0;
};

namespace {

CDecodedImage Failed(RenderResult result) {
    CDecodedImage failed;
    failed.result = result;
    return failed;
}

// The pixels of an image whose header was read; only kMaxImagePixels bounds it, so the result
// holds for any device.
CDecodedImage DecodePixels(const void* bytes, std::uint32_t size, const CImageHeader& header) {
    SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (!stream) return Failed(kRenderOutOfMemory);
    // The decoder the header named, and no other: the bytes must not reach a decoder whose size
    // was never checked.
    CSurfaceCloser decoded{IMG_LoadTyped_RW(stream, 1, header.format)};
    if (!decoded.surface) return Failed(kRenderInvalidData);
    // A palette, or a colour key (which SDL's conversion of a surface turns into alpha), takes the
    // way through a converted surface; other pixels are converted straight into ours.
    CSurfaceCloser converted{nullptr};
    SDL_Surface* s = decoded.surface;
    if (SDL_ISPIXELFORMAT_INDEXED(s->format->format) || SDL_HasColorKey(s)) {
        converted.surface = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
        if (!converted.surface) return Failed(kRenderOutOfMemory);
        s = converted.surface;
    }
    // The header is only a promise; the decoded size is the one that counts.
    if (s->w <= 0 || s->h <= 0 || std::uint64_t(s->w) * std::uint64_t(s->h) > kMaxImagePixels)
        return Failed(kRenderInvalidData);
    if (SDL_LockSurface(s) != 0) return Failed(kRenderFail);
    CDecodedImage out;
    out.width = s->w;
    out.height = s->h;
    out.argb.resize(std::size_t(out.width) * out.height);
    const bool done = SDL_ConvertPixels(s->w, s->h, s->format->format, s->pixels, s->pitch,
                                        SDL_PIXELFORMAT_ARGB8888, out.argb.data(), s->w * 4) == 0;
    SDL_UnlockSurface(s);
    if (!done) return Failed(kRenderOutOfMemory);
    out.result = kRenderOk;
    return out;
}

bool ReadHeader(const void* bytes, std::uint32_t size, CImageHeader& header) {
    return bytes && size != 0 && size <= INT_MAX && ReadImageHeader({static_cast<const char*>(bytes), size}, header);
}

// The store DecodeImage looks in while a CImagesAhead lives; one at a time.
std::mutex g_aheadLock;
CImagesAhead* g_ahead = nullptr;

} // namespace

struct CImagesAhead::CAheadImage {
    std::vector<std::uint8_t> bytes;
    CDecodedImage decoded;
};

CImagesAhead::CImagesAhead(std::function<void(CImagesAhead&)> produce) {
    {
        const std::lock_guard lock(g_aheadLock);
        if (g_ahead) return; // another store serves already; this one stays empty and idle
        g_ahead = this;
    }
    // SDL works out the processor's features on first use, without a lock: the decoder's pixel
    // conversions and the sound system's sample conversions beside them must not both start it,
    // or one may read an alignment not yet set and fail to allocate.
    SDL_SIMDGetAlignment();
    try {
        producer = std::thread([this, produce = std::move(produce)] {
            produce(*this);
            // SDL keeps its error text per thread; a thread SDL did not start must free it itself.
            SDL_TLSCleanup();
        });
    } catch (const std::system_error&) {
        // No thread to be had: every image is decoded when it is asked for.
    }
}

CImagesAhead::~CImagesAhead() {
    {
        const std::lock_guard lock(g_aheadLock);
        if (g_ahead == this) g_ahead = nullptr;
    }
    if (producer.joinable()) producer.join();
}

void CImagesAhead::Add(const void* bytes, std::uint32_t size) {
    CImageHeader header;
    if (!ReadHeader(bytes, size, header)) return;
    // Images nobody takes are held for the whole run: beyond this they are decoded when asked for.
    const std::uint64_t pixels = std::uint64_t(header.width) * header.height;
    if (pixels > kMaxPixelsAhead - pixelsAhead) return;
    pixelsAhead += pixels;
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    images.push_back({std::vector<std::uint8_t>(first, first + size), DecodePixels(bytes, size, header)});
}

bool CImagesAhead::Take(const void* bytes, std::uint32_t size, CDecodedImage& out) {
    // The producer's images are its own until it ends; it ends soon, and decoding the same bytes
    // beside it would only double the work.
    if (producer.joinable()) producer.join();
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    for (auto it = images.begin(); it != images.end(); ++it) {
        if (!std::equal(it->bytes.begin(), it->bytes.end(), first, first + size)) continue;
        out = std::move(it->decoded);
        images.erase(it);
        return true;
    }
    return false;
}

RenderResult DecodeImage(const void* bytes, std::uint32_t size, std::uint32_t colorKey, int maxSide,
                         std::vector<std::uint32_t>& argb, int& width, int& height) {
    CImageHeader header;
    if (!ReadHeader(bytes, size, header)) return kRenderInvalidData;
    if (header.width > std::uint32_t(std::max(maxSide, 0)) ||
        header.height > std::uint32_t(std::max(maxSide, 0)) ||
        std::uint64_t(header.width) * header.height > kMaxImagePixels)
        return kRenderOutOfMemory;
    CDecodedImage decoded;
    bool taken = false;
    {
        const std::lock_guard lock(g_aheadLock);
        taken = g_ahead && g_ahead->Take(bytes, size, decoded);
    }
    // A failure ahead is not trusted: memory may have been short only then.
    if (!taken || decoded.result != kRenderOk) decoded = DecodePixels(bytes, size, header);
    if (decoded.result != kRenderOk) return decoded.result;
    if (decoded.width > maxSide || decoded.height > maxSide) return kRenderInvalidData;
    width = decoded.width;
    height = decoded.height;
    argb = std::move(decoded.argb);
    if (colorKey != 0) std::replace(argb.begin(), argb.end(), colorKey, std::uint32_t(0));
    return kRenderOk;
}

RenderResult WritePng(const std::string& path, const std::vector<std::uint32_t>& argb, int width,
                      int height) {
    if (width <= 0 || height <= 0 || argb.size() != std::size_t(width) * height) return kRenderInvalidCall;
    CSurfaceCloser surface{SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(argb.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888)};
    if (!surface.surface) return kRenderOutOfMemory;
    return IMG_SavePNG(surface.surface, path.c_str()) == 0 ? kRenderOk : kRenderFail;
}
