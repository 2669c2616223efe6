// Windows-1250 text: the code page of every string the game shows, reads or writes.
// UTF-8 appears only at the edges: source literals, fonts, file names on Linux, terminal output.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexo {

namespace cp1250 {
// Unicode code points of the bytes 0x80 ... 0xFF. Bytes the code page leaves undefined map to the
// C1 control of the same value, as Windows does.
inline constexpr std::array<std::uint16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

constexpr char32_t ToCodePoint(unsigned char byte) {
    return byte < 0x80 ? char32_t(byte) : char32_t(kHigh[byte - 0x80]);
}

// The byte for a code point, or '?' when the code page has none.
constexpr unsigned char FromCodePoint(char32_t cp) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 sequence at text[i], advancing i; malformed bytes decode as U+FFFD.
constexpr char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(text[i++]);
    if (b0 < 0x80) return b0;
    int extra = b0 >= 0xF8 ? -1 : b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
    if (extra < 0) return 0xFFFD;
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return cp;
}

template <std::size_t N> struct Utf8Literal {
    char bytes[N]{};
    consteval Utf8Literal(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i) bytes[i] = s[i];
    }
};

template <std::size_t N> struct Converted {
    char bytes[N]{};
    std::size_t size = 0;
};

template <std::size_t N> consteval Converted<N> Convert(const Utf8Literal<N>& literal) {
    Converted<N> out;
    const std::string_view in(literal.bytes, N - 1);
    for (std::size_t i = 0; i < in.size();) out.bytes[out.size++] = static_cast<char>(FromCodePoint(DecodeUtf8(in, i)));
    return out;
}

template <Utf8Literal L> inline constexpr auto kConverted = Convert(L);
} // namespace cp1250

std::string Cp1250ToUtf8(std::string_view text);
std::string Utf8ToCp1250(std::string_view text);

// Lower-casing by the fixed Windows-1250 table (Ł becomes ł), never by the C locale.
std::string ToLower(std::string_view text);
// Case-insensitive ordering of Windows-1250 names by the lowered bytes: <0, 0, >0.
int CompareNoCase(std::string_view a, std::string_view b);
// Case-insensitive ordering of names as a Polish reader sorts them: a < ą < b < c < ć ... < z < ź
// < ż, capitals with their small letters, everything that is not a letter before the letters.
// Names that CompareNoCase finds equal are equal here too: <0, 0, >0.
int ComparePolishNoCase(std::string_view a, std::string_view b);

inline namespace literals {
// "Ładowanie..."_pl: a Polish UTF-8 literal in the source, as Windows-1250 bytes at compile time.
template <cp1250::Utf8Literal L> inline std::string_view operator""_pl() {
    return {cp1250::kConverted<L>.bytes, cp1250::kConverted<L>.size};
}
} // namespace literals

} // namespace vexo
