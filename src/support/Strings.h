// Byte-string helpers shared by the XML library, the data source and the game.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vexo {

// Tab, LF, CR and space: the only bytes the project ever treats as whitespace.
constexpr bool IsXmlSpace(unsigned char c) { return c == 9 || c == 10 || c == 13 || c == 32; }

// The text without the whitespace at either end.
std::string_view TrimView(std::string_view text);
std::string CollapseWhitespace(std::string_view text);
std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with);

// Newline styles: 0 none (keep), 1 CR LF, 2 LF, 3 CR.
std::string NewlineString(int style);
std::string NormalizeNewlines(std::string_view text, int style);

// Reads the next whitespace-separated or double-quoted word from position (in/out).
bool NextWord(std::string_view text, std::size_t& position, std::string& word);

std::string AddBackslash(const std::string& path);

} // namespace vexo
