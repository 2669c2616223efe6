// The XML tokenizer: start and end tags, attributes, character data with entity references,
// CDATA sections, comments, processing instructions; other "<!" declarations are skipped.
#include "xml/XMLReader.h"

#include "support/Convert.h"
#include "support/Strings.h"
#include "xml/XMLError.h"

#include <array>

namespace vexo {

namespace {

constexpr std::uint32_t kNotAByte = 256;

// What a byte can end or start, looked up once per byte while scanning names and values.
enum : std::uint8_t { kSpace = 1, kEquals = 2, kSlash = 4, kGreater = 8, kAmpersand = 16 };

constexpr std::array<std::uint8_t, 256> kByteClass = [] {
    std::array<std::uint8_t, 256> table{};
    for (unsigned char c = 0; c < 128; ++c)
        if (IsXmlSpace(c)) table[c] = kSpace;
    table['='] = kEquals;
    table['/'] = kSlash;
    table['>'] = kGreater;
    table['&'] = kAmpersand;
    return table;
}();

std::uint8_t ByteClass(char c) {
    return kByteClass[static_cast<unsigned char>(c)];
}

// The first position from `i` on whose byte is (FindClass) or is not (SkipClass) of one of
// `classes`, or the text's size.
std::size_t FindClass(const std::string& t, std::size_t i, std::uint8_t classes) {
    while (i < t.size() && !(ByteClass(t[i]) & classes))
        ++i;
    return i;
}

std::size_t SkipClass(const std::string& t, std::size_t i, std::uint8_t classes) {
    while (i < t.size() && (ByteClass(t[i]) & classes))
        ++i;
    return i;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "#x41" or "#65" as a byte value, kNotAByte when it names no byte. Unlike HexToUInt and the C
// library's decimal reading this never wraps, so "&#x100000041;" cannot pass for "A".
std::uint32_t NumericReference(std::string_view digits) {
    if (digits.size() > 1 && digits[1] == 'x') {
        std::uint32_t value = 0;
        for (char c : digits.substr(2)) {
            const int d = HexDigit(c);
            if (d < 0) continue;
            value = value * 16 + std::uint32_t(d);
            if (value > 255) return kNotAByte;
        }
        return value;
    }
    const int value = ToInt(digits.substr(1));
    return value >= 0 && value <= 255 ? std::uint32_t(value) : kNotAByte;
}

// Most values have no run to collapse; they are spared the copy.
bool HasWhitespaceToCollapse(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (IsXmlSpace(text[i]) && (text[i] != ' ' || (i + 1 < text.size() && IsXmlSpace(text[i + 1]))))
            return true;
    return false;
}

std::uint32_t ResolveEntity(std::string_view name) {
    if (name == "amp") return '&';
    if (name == "lt") return '<';
    if (name == "gt") return '>';
    if (name == "apos") return '\'';
    if (name == "quot") return '"';
    if (!name.empty() && name[0] == '#') return NumericReference(name);
    return kNotAByte;
}

} // namespace

void CXMLReader::Reset() {
    position = 0;
    openElements.clear();
    inStartTag = false;
    name.clear();
    value.clear();
    tokenName = tokenValue = {};
}

int CXMLReader::NextToken() {
    const int kind = ReadToken();
    name.assign(tokenName);
    value.assign(tokenValue);
    return kind;
}

int CXMLReader::ReadToken() {
    // Consumed constructs that deliver nothing (a start tag's ">", skipped items, declarations)
    // are passed over in this loop, so a long run of them cannot deepen the stack.
    for (;;) {
        const int kind = Step();
        if (kind != kNoToken) return kind;
    }
}

int CXMLReader::Step() {
    if (AtEnd()) {
        if (inStartTag || !openElements.empty()) Fail(XML_ERROR_UNEXPECTED_END, position);
        tokenName = tokenValue = {};
        return XML_TOKEN_END_OF_DOCUMENT;
    }
    if (inStartTag) return InStartTag();
    if ((*text)[position] == '<') return Markup();
    return CharData();
}

int CXMLReader::InStartTag() {
    SkipSpace();
    const std::string_view rest = Rest();
    if (rest.size() > 1 && rest[0] == '/' && rest[1] == '>') {
        tokenName = openElements.back();
        openElements.pop_back();
        inStartTag = false;
        position += 2;
        tokenValue = {};
        return XML_TOKEN_ELEMENT_END;
    }
    if (!rest.empty() && rest[0] == '>') {
        inStartTag = false;
        ++position;
        return kNoToken;
    }
    return Attribute();
}

int CXMLReader::Attribute() {
    const std::string& t = *text;
    const std::size_t start = position;
    std::size_t i = FindClass(t, start, kSpace | kEquals);
    const std::string_view attributeName = std::string_view(t).substr(start, i - start);
    i = SkipClass(t, i, kSpace);
    if (i >= t.size() || t[i] != '=') Fail(XML_ERROR_SYNTAX, start);
    i = SkipClass(t, i + 1, kSpace);
    if (i >= t.size() || (t[i] != '"' && t[i] != '\'')) Fail(XML_ERROR_SYNTAX, start);
    const char quote = t[i++];
    // One pass finds the closing quote and what the value holds: values are short, and most have
    // neither whitespace nor a reference, so no option can change them and they are delivered as
    // they stand in the text.
    std::size_t close = i;
    std::uint8_t holds = 0;
    for (; close < t.size() && t[close] != quote; ++close)
        holds |= ByteClass(t[close]);
    const std::string_view raw = std::string_view(t).substr(i, close - i);
    const std::string_view processed =
        holds & (kSpace | kAmpersand)
            ? Process(raw, trimAttributes, collapseAttributes, holds & kAmpersand, start)
            : raw;
    if (close >= t.size()) Fail(XML_ERROR_SYNTAX, start);
    position = close + 1;
    if (skipAttributes) return kNoToken;
    tokenName = attributeName;
    tokenValue = processed;
    return XML_TOKEN_ATTRIBUTE;
}

int CXMLReader::Markup() {
    const std::string_view rest = Rest();
    // The byte after '<' tells the constructs apart; most markup is a plain start or end tag.
    const char second = rest.size() > 1 ? rest[1] : '\0';
    if (second == '?' && ProcessingInstruction()) return skipPI ? kNoToken : XML_TOKEN_PI;
    if (second == '!') {
        if (Delimited("<![CDATA[", "]]>", trimCDATA, collapseCDATA))
            return skipCDATA ? kNoToken : XML_TOKEN_CDATA;
        if (Delimited("<!--", "-->", trimComments, collapseComments))
            return skipComments ? kNoToken : XML_TOKEN_COMMENT;
        const std::size_t close = rest.find('>', 2);
        if (close != std::string_view::npos) {
            position += close + 1;
            return kNoToken;
        }
    }
    if (second == '/' && EndTag()) return XML_TOKEN_ELEMENT_END;
    StartTag();
    return XML_TOKEN_ELEMENT_START;
}

bool CXMLReader::ProcessingInstruction() {
    const std::string& t = *text;
    const std::size_t targetEnd = FindClass(t, position + 2, kSpace);
    if (targetEnd >= t.size()) return false;
    const std::size_t i = SkipClass(t, targetEnd, kSpace);
    const std::size_t close = t.find("?>", i);
    if (close == std::string::npos) return false;
    tokenName = std::string_view(t).substr(position + 2, targetEnd - position - 2);
    tokenValue = Process(std::string_view(t).substr(i, close - i), trimPI, collapsePI, false, 0);
    position = close + 2;
    return true;
}

bool CXMLReader::Delimited(std::string_view open, std::string_view close, bool trim, bool collapse) {
    const std::string_view rest = Rest();
    if (!rest.starts_with(open)) return false;
    const std::size_t end = rest.find(close, open.size());
    if (end == std::string_view::npos) return false;
    tokenName = {};
    tokenValue = Process(rest.substr(open.size(), end - open.size()), trim, collapse, false, 0);
    position += end + close.size();
    return true;
}

bool CXMLReader::EndTag() {
    const std::string& t = *text;
    const std::size_t i = FindClass(t, position + 2, kSpace | kGreater);
    if (i >= t.size() || t[i] != '>') return false;
    const std::string_view endName = std::string_view(t).substr(position + 2, i - position - 2);
    if (openElements.empty() || openElements.back() != endName) Fail(XML_ERROR_END_TAG, position);
    tokenName = openElements.back();
    openElements.pop_back();
    tokenValue = {};
    position = i + 1;
    return true;
}

void CXMLReader::StartTag() {
    if (openElements.size() >= kMaxXMLDepth) Fail(XML_ERROR_SYNTAX, position);
    const std::string& t = *text;
    const std::size_t i = FindClass(t, position + 1, kSpace | kSlash | kGreater);
    tokenName = std::string_view(t).substr(position + 1, i - position - 1);
    tokenValue = {};
    inStartTag = true;
    openElements.push_back(tokenName);
    position = i;
}

int CXMLReader::CharData() {
    const std::string& t = *text;
    const std::size_t start = position;
    position = std::min(t.find('<', start), t.size());
    const std::string_view processed = Process(std::string_view(t).substr(start, position - start), trimCharData,
                                               collapseCharData, true, position);
    if (skipCharData || processed.empty()) return kNoToken;
    tokenName = {};
    tokenValue = processed;
    return XML_TOKEN_CHARDATA;
}

void CXMLReader::SkipSpace() {
    position = SkipClass(*text, position, kSpace);
}

std::string_view CXMLReader::Process(std::string_view raw, bool trim, bool collapse, bool decode,
                                     std::size_t errorPosition) {
    if (trim) raw = TrimView(raw);
    if (collapse && HasWhitespaceToCollapse(raw)) raw = collapsed = CollapseWhitespace(raw);
    if (decode) raw = DecodeEntities(raw, errorPosition);
    if (newlineStyle) raw = normalized = NormalizeNewlines(raw, newlineStyle);
    return raw;
}

std::string_view CXMLReader::DecodeEntities(std::string_view raw, std::size_t errorPosition) {
    std::size_t amp = raw.find('&');
    if (amp == std::string_view::npos) return raw;
    std::string& out = decoded;
    out.clear();
    std::size_t from = 0;
    for (; amp != std::string_view::npos; amp = raw.find('&', from)) {
        out.append(raw, from, amp - from);
        const std::size_t semicolon = raw.find(';', amp + 1);
        if (semicolon == std::string_view::npos) return out; // an unfinished reference is dropped
        const std::string_view entity = raw.substr(amp + 1, semicolon - amp - 1);
        from = semicolon + 1;
        const std::uint32_t byte = ResolveEntity(entity);
        if (byte != kNotAByte) {
            out += char(byte);
        } else if (unknownEntityPolicy == XML_ENTITY_KEEP) {
            out.append(raw, amp, from - amp);
        } else if (unknownEntityPolicy == XML_ENTITY_RAISE) {
            Fail(XML_ERROR_REFERENCE, errorPosition);
        }
    }
    out.append(raw, from);
    return out;
}

void CXMLReader::Fail(int kind, std::size_t at) const {
    throw CXMLError(kind, *text, at);
}

} // namespace vexo
