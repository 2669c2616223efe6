// Windows-1250 conversions and case rules.
#include "support/Text1250.h"

#include <algorithm>

namespace vexo {

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr std::array<unsigned char, 256> MakeLowerTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 32);
    // Š Ś Ť Ž Ź
    for (int c : {0x8A, 0x8C, 0x8D, 0x8E, 0x8F}) table[c] = static_cast<unsigned char>(c + 0x10);
    table[0xA3] = 0xB3; // Ł
    table[0xA5] = 0xB9; // Ą
    table[0xAA] = 0xBA; // Ş
    table[0xAF] = 0xBF; // Ż
    table[0xBC] = 0xBE; // Ľ
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) table[c] = static_cast<unsigned char>(c + 0x20); // all but ×
    return table;
}

constexpr auto kLower = MakeLowerTable();

// Sorting weights of the bytes of a name: the letters in the order of the Polish alphabet after
// every other byte, capitals with their small letters, and the letters of the code page's other
// languages with the letter they are written on (á with a, š with s).
std::array<std::uint16_t, 256> MakeNameWeights() {
    std::array<std::uint16_t, 256> weight{};
    for (int i = 0; i < 256; ++i) weight[i] = static_cast<std::uint16_t>(i);
    const std::string_view alphabet[] = {
        "aáâăä"_pl, "ą"_pl,    "b",      "cçč"_pl, "ć"_pl,  "dďđ"_pl, "eéëě"_pl, "ę"_pl, "f",
        "g",        "h",       "iíî"_pl, "j",      "k",     "lĺľ"_pl, "ł"_pl,    "m",    "nň"_pl,
        "ń"_pl,     "oôőö"_pl, "ó"_pl,   "p",      "q",     "rŕř"_pl, "sşšß"_pl, "ś"_pl, "tţť"_pl,
        "uúůűü"_pl, "v",       "w",      "x",      "yý"_pl, "zž"_pl,  "ź"_pl,    "ż"_pl};
    for (std::size_t rank = 0; rank < std::size(alphabet); ++rank)
        for (char c : alphabet[rank])
            weight[static_cast<unsigned char>(c)] = static_cast<std::uint16_t>(256 + rank);
    for (int i = 0; i < 256; ++i) weight[i] = weight[kLower[i]];
    return weight;
}

} // namespace

std::string Cp1250ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) AppendUtf8(out, cp1250::ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1250(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) out += static_cast<char>(cp1250::FromCodePoint(cp1250::DecodeUtf8(text, i)));
    return out;
}

std::string ToLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
    return out;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = kLower[static_cast<unsigned char>(a[i])], y = kLower[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int ComparePolishNoCase(std::string_view a, std::string_view b) {
    static const std::array<std::uint16_t, 256> weight = MakeNameWeights();
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = weight[static_cast<unsigned char>(a[i])], y = weight[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    // The same letters but for accents of other languages: "a" before "á", in a fixed order.
    return CompareNoCase(a, b);
}

} // namespace vexo
