// The pull tokenizer over a whole XML text in memory (Windows-1250 bytes, no decoding).
#pragma once

#include "xml/XMLStream.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vexo {

// Token kinds of CXMLReader::NextToken.
enum XMLTokenKind {
    XML_TOKEN_ELEMENT_START = 0,
    XML_TOKEN_ELEMENT_END = 1,
    XML_TOKEN_ATTRIBUTE = 2,
    XML_TOKEN_CHARDATA = 3,
    XML_TOKEN_CDATA = 4,
    XML_TOKEN_PI = 5,
    XML_TOKEN_COMMENT = 6,
    XML_TOKEN_END_OF_DOCUMENT = 7,
};

// What an unknown entity reference (or a numeric one outside 0..255) turns into.
enum XMLUnknownEntityPolicy { XML_ENTITY_DROP = 0, XML_ENTITY_KEEP = 1, XML_ENTITY_RAISE = 2 };

// How the reader treats each kind of text. Processing instructions, comments, CDATA sections,
// attribute values and character data can each be trimmed, have their whitespace runs collapsed,
// or be skipped (not delivered at all).
struct CXMLReaderOptions {
    int unknownEntityPolicy = XML_ENTITY_RAISE; // any value other than 0, 1, 2 drops
    bool trimPI = false;
    bool trimComments = false;
    bool trimCDATA = false;
    bool trimAttributes = false;
    bool trimCharData = false;
    bool collapsePI = false;
    bool collapseComments = false;
    bool collapseCDATA = false;
    bool collapseAttributes = false;
    bool collapseCharData = false;
    bool skipPI = false;
    bool skipComments = false;
    bool skipCDATA = false;
    bool skipAttributes = false;
    bool skipCharData = false;
};

// Elements nested deeper than this are refused: the tree is built by recursion, and a hostile
// file must not be able to exhaust the stack.
constexpr std::size_t kMaxXMLDepth = 256;

// Syntax errors raise CXMLError (XMLError.h) with the offset, line and column.
class CXMLReader : public CXMLStream, public CXMLReaderOptions {
public:
    // The text must outlive the reader; it is not copied.
    explicit CXMLReader(const std::string& text) : text(&text) {}

    void SetOptions(const CXMLReaderOptions& options) { static_cast<CXMLReaderOptions&>(*this) = options; }
    // Back to the start of the text with no element open.
    void Reset();
    // Reads the next token (XMLTokenKind); `name` and `value` then hold its data.
    int NextToken();
    // The same without copying the data: TokenName and TokenValue view the text, or the reader's
    // own buffers where the options or references changed a value, until the next token is read.
    int ReadToken();
    std::string_view TokenName() const { return tokenName; }
    std::string_view TokenValue() const { return tokenValue; }

    const std::string* text;
    std::size_t position = 0;
    std::string name;
    std::string value;
    // The names of the elements open at the current position, as views of the text; its size is
    // the depth.
    std::vector<std::string_view> openElements;

private:
    // One attempt at a token; kNoToken when something was consumed without a token to deliver.
    static constexpr int kNoToken = -1;
    int Step();
    int InStartTag();
    int Markup();
    int CharData();
    int Attribute();
    bool ProcessingInstruction();
    bool Delimited(std::string_view open, std::string_view close, bool trim, bool collapse);
    bool EndTag();
    void StartTag();

    std::string_view Rest() const { return std::string_view(*text).substr(position); }
    bool AtEnd() const { return position >= text->size(); }
    void SkipSpace();
    // Trims, collapses, decodes references (when `decode`) and normalises line ends, in that
    // order; the result views `raw` itself unless one of them changed it.
    std::string_view Process(std::string_view raw, bool trim, bool collapse, bool decode,
                             std::size_t errorPosition);
    std::string_view DecodeEntities(std::string_view raw, std::size_t errorPosition);
    [[noreturn]] void Fail(int kind, std::size_t at) const;

    std::string_view tokenName;
    std::string_view tokenValue;
    // Where Process puts a value it had to change; one buffer per step, since each reads the last.
    std::string collapsed;
    std::string decoded;
    std::string normalized;
};

} // namespace vexo
