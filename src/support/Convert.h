// Text to and from numbers and booleans, locale-independent, never failing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexo {

// Leading whitespace, optional sign, decimal digits; saturates at the 32-bit limits.
int ToInt(std::string_view text);
// Like ToInt, but wraps modulo 2^32, so "2147483648" reads back as the unsigned value it was
// written from and "-1" as 4294967295.
std::uint32_t ToUInt(std::string_view text);
// A decimal number ("1.5", "-2e3", ".5"); no "inf", "nan" or hex; clamped to the float range.
double ToFloat(std::string_view text);
// Every hex digit shifts in four bits; every other byte is ignored.
std::uint32_t HexToUInt(std::string_view text);
// False only for "", "0", "f" and "false" in any case.
bool ParseBool(std::string_view text);

std::string IntToString(std::int32_t value, int radix = 10);
std::string UIntToString(std::uint32_t value, int radix = 10);
// Style '0' "1"/"0", 'F' True/False, 'G' T/F, 'U' TRUE/FALSE, 'g' t/f, other true/false.
std::string BoolToString(bool value, char style);

} // namespace vexo
