// What the folder and the archive source share: their error source, messages and entry rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rarload {

inline constexpr const char* kSource = "RARLoad\\RARLoad";

[[noreturn]] void Raise(const std::string& message, int line);
[[noreturn]] void RaiseSystem(const std::string& message, int line);

std::string ReadErrorMessage();
std::string TooLargeMessage(const std::string& name, std::uint64_t size);

// Raises when an entry of this size is to be read: the game reads entries into memory whole.
void CheckReadableSize(const std::string& name, std::uint64_t size, int line);
// The size Next announces: the whole size, held to the largest 32-bit one.
std::uint32_t AnnouncedSize(std::uint64_t size);

// An entry name in Windows-1250 from a host or archive name: UTF-8 is converted, anything that is
// not valid UTF-8 is taken to be Windows-1250 already.
std::string NameFromUtf8(std::string_view text);

} // namespace rarload
