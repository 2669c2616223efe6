// Archives made by the tests themselves: RAR 4 and RAR 5 with stored files, and ZIP, 7z and tar
// through libarchive's writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testarchive {

struct Item {
    std::string name; // as the archive stores it
    std::string data;
    bool directory = false;
};

std::uint32_t Crc32(const std::string& bytes);

// RAR 4: marker block, archive header, one file header (with CRC) per item, stored data.
// Names are stored with '\\' for '/', as RAR 4 keeps them; names with bytes above 0x7F are flagged
// as Unicode (UTF-8).
std::string Rar4(const std::vector<Item>& items);
// RAR 5: signature, main header, one file header per item, stored data, end of archive.
std::string Rar5(const std::vector<Item>& items);
// "zip", "7zip" or "ustar" through libarchive; names in UTF-8 as given ('/' separators).
std::string WithLibarchive(const std::string& format, const std::vector<Item>& items,
                           const std::string& options = "");
// A ZIP of the items that declares every name UTF-8, with the fourth byte of each copy of `name`
// (at least four ASCII bytes) turned into 0xFF, which no UTF-8 text holds.
std::string ZipWithNameNotUtf8(const std::vector<Item>& items, const std::string& name);
// ZIP as a stream writer leaves it when cut off before its central directory: local headers
// without sizes, each file followed by its data descriptor.
std::string StreamedZip(const std::vector<Item>& items);

// Writes bytes to a file as they are, for the benchmarks that build their archives with these writers.
void WriteFile(const std::string& path, const std::string& bytes);

} // namespace testarchive
