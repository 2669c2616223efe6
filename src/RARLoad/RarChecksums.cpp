// Finding the data CRC32 in RAR 4 and RAR 5 file headers.
#include "RARLoad/RarChecksums.h"

#include <cstring>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace rarload {

namespace {

// Enough blocks to pass the marker, the archive header and a few service blocks, never a loop.
constexpr int kBlocksBeforeFile = 16;
// Real headers are far smaller; this bounds what a damaged size field can make us read.
constexpr std::uint64_t kLargestHeader = 1 << 20;

std::uint32_t Le16(const unsigned char* p) {
    return p[0] | std::uint32_t(p[1]) << 8;
}
std::uint32_t Le32(const unsigned char* p) {
    return Le16(p) | Le16(p + 2) << 16;
}

std::uint32_t Crc(const unsigned char* data, std::size_t size) {
    return std::uint32_t(crc32(0, data, uInt(size)));
}

bool ReadAt(int file, std::int64_t position, std::vector<unsigned char>& bytes, std::size_t size) {
    bytes.resize(size);
    return position >= 0 && ::pread(file, bytes.data(), size, position) == ssize_t(size);
}

bool SkipMarker(int file, std::int64_t& position, const char* marker, std::size_t size) {
    std::vector<unsigned char> bytes;
    if (!ReadAt(file, position, bytes, size) || std::memcmp(bytes.data(), marker, size) != 0) return false;
    position += std::int64_t(size);
    return true;
}

// RAR 5's variable-length integer; false when it runs past the end or beyond 64 bits.
bool ReadVint(const std::vector<unsigned char>& bytes, std::size_t& at, std::uint64_t& value) {
    value = 0;
    for (int shift = 0; at < bytes.size() && shift < 64; shift += 7) {
        const unsigned char b = bytes[at++];
        value |= std::uint64_t(b & 0x7F) << shift;
        if (!(b & 0x80)) return true;
    }
    return false;
}

} // namespace

std::optional<std::uint32_t> Rar4FileCrc(int file, std::int64_t position) {
    constexpr unsigned kFileBlock = 0x74, kLongBlock = 0x8000, kFileHeaderSize = 32;
    SkipMarker(file, position, "Rar!\x1A\x07\x00", 7);
    std::vector<unsigned char> head;
    for (int block = 0; block < kBlocksBeforeFile; ++block) {
        if (!ReadAt(file, position, head, 7)) return std::nullopt;
        const std::uint32_t type = head[2], flags = Le16(&head[3]), size = Le16(&head[5]);
        if (type == kFileBlock) {
            if (size < kFileHeaderSize || !ReadAt(file, position, head, size) ||
                (Crc(&head[2], size - 2) & 0xFFFF) != Le16(&head[0]))
                return std::nullopt;
            return Le32(&head[16]);
        }
        std::uint32_t data = 0;
        if (flags & kLongBlock) {
            if (!ReadAt(file, position, head, 11)) return std::nullopt;
            data = Le32(&head[7]);
        }
        if (size < 7) return std::nullopt;
        position += std::int64_t(size) + data;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> Rar5FileCrc(int file, std::int64_t position) {
    constexpr std::uint64_t kFileHeader = 2, kExtraArea = 1, kDataArea = 2, kHasTime = 2, kHasCrc = 4;
    SkipMarker(file, position, "Rar!\x1A\x07\x01\x00", 8);
    std::vector<unsigned char> block;
    for (int count = 0; count < kBlocksBeforeFile; ++count) {
        // CRC32, then the header size as a vint of at most three bytes, then the header.
        std::size_t at = 4;
        std::uint64_t size = 0;
        if (!ReadAt(file, position, block, 7) || !ReadVint(block, at, size) || size == 0 ||
            size > kLargestHeader || !ReadAt(file, position, block, at + size) ||
            Crc(&block[4], at - 4 + size) != Le32(&block[0]))
            return std::nullopt;
        std::uint64_t type = 0, flags = 0, extra = 0, data = 0;
        if (!ReadVint(block, at, type) || !ReadVint(block, at, flags)) return std::nullopt;
        if ((flags & kExtraArea) && !ReadVint(block, at, extra)) return std::nullopt;
        if ((flags & kDataArea) && !ReadVint(block, at, data)) return std::nullopt;
        if (type == kFileHeader) {
            std::uint64_t fileFlags = 0, unpacked = 0, attributes = 0;
            if (!ReadVint(block, at, fileFlags) || !ReadVint(block, at, unpacked) ||
                !ReadVint(block, at, attributes))
                return std::nullopt;
            if (fileFlags & kHasTime) at += 4;
            if (!(fileFlags & kHasCrc) || at + 4 > block.size()) return std::nullopt;
            return Le32(&block[at]);
        }
        position += std::int64_t(block.size() + data);
    }
    return std::nullopt;
}

} // namespace rarload
