// The data CRC32 that a RAR file header records, read again from the archive file.
#pragma once

#include <cstdint>
#include <optional>

namespace rarload {

// libarchive 3.6 never compares a stored file's data with the CRC32 in its RAR 4 or RAR 5 header,
// so the source does. `position` is where libarchive began reading the entry's header; the marker,
// the archive header and service blocks before the file header are passed over. Nothing is
// returned when no intact file header with a CRC32 is found there.
std::optional<std::uint32_t> Rar4FileCrc(int file, std::int64_t position);
std::optional<std::uint32_t> Rar5FileCrc(int file, std::int64_t position);

} // namespace rarload
