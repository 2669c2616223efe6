// Byte-string helpers.
#include "support/Strings.h"

namespace vexo {

std::string_view TrimView(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsXmlSpace(text[begin])) ++begin;
    while (end > begin && IsXmlSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string CollapseWhitespace(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool inRun = false;
    for (char c : text) {
        if (IsXmlSpace(c)) {
            if (!inRun) out += ' ';
            inRun = true;
        } else {
            out += c;
            inRun = false;
        }
    }
    return out;
}

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with) {
    if (what.empty()) return std::string(text);
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(what, from)) != std::string_view::npos; from = at + what.size()) {
        out.append(text.substr(from, at - from));
        out.append(with);
    }
    out.append(text.substr(from));
    return out;
}

std::string NewlineString(int style) {
    switch (style) {
    case 1: return "\r\n";
    case 2: return "\n";
    case 3: return "\r";
    default: return "";
    }
}

std::string NormalizeNewlines(std::string_view text, int style) {
    if (style == 0) return std::string(text);
    const std::string newline = NewlineString(style);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += newline;
        } else if (text[i] == '\n') {
            out += newline;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool NextWord(std::string_view text, std::size_t& position, std::string& word) {
    if (position >= text.size()) return false;
    while (position < text.size() && IsXmlSpace(text[position])) ++position;
    if (position >= text.size()) return false;
    if (text[position] == '"') {
        const std::size_t close = text.find('"', position + 1);
        if (close == std::string_view::npos) {
            word = text.substr(position + 1);
            position = text.size() + 1;
        } else {
            word = text.substr(position + 1, close - position - 1);
            position = close + 1;
        }
        return true;
    }
    std::size_t end = position;
    while (end < text.size() && !IsXmlSpace(text[end])) ++end;
    word = text.substr(position, end - position);
    position = end + 1; // past the whitespace byte, or past the end
    return true;
}

std::string AddBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + '\\';
}

} // namespace vexo
