// Locale-independent conversions between text and values.
#include "support/Convert.h"

#include "support/Strings.h"
#include "support/Text1250.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vexo {

namespace {

// Skips leading whitespace and reads an optional sign; returns the position of the first digit.
std::size_t SignAndDigits(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && (IsXmlSpace(text[i]) || text[i] == '\v' || text[i] == '\f')) ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    return i;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The power of ten of a number's leading significant digit ("123e4" gives 6, "0.05" gives -2):
// tells a number too large for a double from one too small when the parse is out of range.
long DecimalExponent(std::string_view number) {
    long exponent = 0;
    const std::size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos) {
        bool negative;
        std::string_view digits = number.substr(e + 1);
        std::size_t i = SignAndDigits(digits, negative);
        for (; i < digits.size() && exponent < 100000; ++i) exponent = exponent * 10 + (digits[i] - '0');
        if (negative) exponent = -exponent;
        number = number.substr(0, e);
    }
    const std::size_t point = std::min(number.find('.'), number.size());
    const std::size_t first = number.find_first_of("123456789");
    if (first == std::string_view::npos) return -100000;
    return exponent + (first < point ? long(point - first) - 1 : -long(first - point));
}

} // namespace

int ToInt(std::string_view text) {
    bool negative;
    std::size_t i = SignAndDigits(text, negative);
    std::int64_t value = 0;
    const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<int>::min())
                                        : std::int64_t(std::numeric_limits<int>::max());
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) {
            value = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

std::uint32_t ToUInt(std::string_view text) {
    bool negative;
    std::size_t i = SignAndDigits(text, negative);
    std::uint32_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) value = value * 10u + std::uint32_t(text[i] - '0');
    return negative ? 0u - value : value;
}

double ToFloat(std::string_view text) {
    bool negative;
    std::size_t i = SignAndDigits(text, negative);
    // Only [digits][.digits][e[sign]digits] is a number here: no inf, nan or hexadecimal.
    std::size_t end = i;
    bool digits = false;
    while (end < text.size() && IsDigit(text[end])) ++end, digits = true;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(text[end])) ++end, digits = true;
    }
    if (!digits) return 0.0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exp = end + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
        if (exp < text.size() && IsDigit(text[exp])) {
            end = exp;
            while (end < text.size() && IsDigit(text[end])) ++end;
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + i, text.data() + end, value);
    if (result.ec == std::errc::result_out_of_range) value = DecimalExponent(text.substr(i, end - i)) >= 0 ? FLT_MAX : 0.0;
    if (value > FLT_MAX) value = FLT_MAX;
    return negative ? -value : value;
}

std::uint32_t HexToUInt(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') value = (value << 4) + std::uint32_t(c - '0');
        else if (c >= 'a' && c <= 'f') value = (value << 4) + std::uint32_t(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') value = (value << 4) + std::uint32_t(c - 'A' + 10);
    }
    return value;
}

bool ParseBool(std::string_view text) {
    const std::string lower = ToLower(text);
    return !(lower.empty() || lower == "0" || lower == "f" || lower == "false");
}

std::string UIntToString(std::uint32_t value, int radix) {
    if (radix < 2 || radix > 36) radix = 10;
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, radix);
    return std::string(buffer, result.ptr);
}

std::string IntToString(std::int32_t value, int radix) {
    if (radix == 10) return std::to_string(value);
    return UIntToString(static_cast<std::uint32_t>(value), radix);
}

std::string BoolToString(bool value, char style) {
    switch (style) {
    case '0': return value ? "1" : "0";
    case 'F': return value ? "True" : "False";
    case 'G': return value ? "T" : "F";
    case 'U': return value ? "TRUE" : "FALSE";
    case 'g': return value ? "t" : "f";
    default: return value ? "true" : "false";
    }
}

} // namespace vexo
