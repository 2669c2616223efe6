// The reader: skipped runs, the nesting limit, every error kind with its place, and
// the record an error writes to Errors.log, byte for byte.
#include "support/TestFiles.h"
#include "xml/XMLError.h"
#include "xml/XMLReader.h"

#include <gtest/gtest.h>

#include <optional>

using namespace vexo;
using namespace tundrel_test;

namespace {

// How many tokens the reader delivers, the end of the document included.
std::size_t Tokens(const std::string& text, const vexo::CXMLReaderOptions& options = {}) {
    vexo::CXMLReader reader(text);
    reader.SetOptions(options);
    reader.Reset();
    std::size_t count = 1;
    while (reader.NextToken() != vexo::XML_TOKEN_END_OF_DOCUMENT) ++count;
    return count;
}

inline std::optional<vexo::CXMLError> ReadError(const std::string& text) {
    return ErrorOf<vexo::CXMLError>([&] { Tokens(text); });
}

} // namespace

TEST(XMLReader, SkippedTokensInALongRunAreReadWithoutRecursion) {
    std::string text = "<a>";
    for (int i = 0; i < 200000; ++i) text += "<!--c--><?p d?><!x>";
    text += "</a>";
    CXMLReaderOptions options;
    options.skipComments = options.skipPI = true;
    EXPECT_EQ(Tokens(text, options), 3u);
}

TEST(XMLReader, NestingIsLimited) {
    const auto nested = [](std::size_t depth) {
        std::string text;
        for (std::size_t i = 0; i < depth; ++i) text += "<e>";
        for (std::size_t i = 0; i < depth; ++i) text += "</e>";
        return text;
    };
    EXPECT_FALSE(ReadError(nested(kMaxXMLDepth)));
    const auto error = ReadError(nested(kMaxXMLDepth + 1));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, XML_ERROR_SYNTAX);
    EXPECT_EQ(error->position, kMaxXMLDepth * 3);
    EXPECT_EQ(error->textColumn, kMaxXMLDepth * 3 + 1);
    // Reset starts over with nothing open: a reader stopped deep inside reads the text again whole.
    const std::string text = nested(kMaxXMLDepth);
    CXMLReader reader(text);
    for (int i = 0; i < 10; ++i) reader.NextToken();
    reader.Reset();
    EXPECT_NO_THROW(while (reader.NextToken() != XML_TOKEN_END_OF_DOCUMENT) {});
}

struct ErrorCase {
    const char* text;
    int kind;
    std::size_t position;
    unsigned line, column;
};

TEST(XMLReader, ErrorsCarryKindOffsetLineAndColumn) {
    const ErrorCase cases[] = {
        // A start tag cut off after whitespace; the error is where the attribute would start.
        {"<a \r\n", XML_ERROR_SYNTAX, 5, 2, 1},
        {"<a b c='1'/>", XML_ERROR_SYNTAX, 3, 1, 4},
        {"<a b=1/>", XML_ERROR_SYNTAX, 3, 1, 4},
        {"<a b='1/>", XML_ERROR_SYNTAX, 3, 1, 4},
        // "</a >" is not an end tag: it opens an element with an empty name and fails inside it.
        {"<a></a >", XML_ERROR_SYNTAX, 4, 1, 5},
        // Character data reports an unknown reference at the end of its run.
        {"<a>\n x &foo; y</a>", XML_ERROR_REFERENCE, 14, 2, 11},
        // An attribute reports it at the attribute's start.
        {"<a\tv='&foo;'/>", XML_ERROR_REFERENCE, 3, 1, 4},
        {"<a>\r\n<b></a>", XML_ERROR_END_TAG, 8, 2, 4},
        {"</a>", XML_ERROR_END_TAG, 0, 1, 1},
        // CR LF counts once; a lone LF and a lone CR count each.
        {"<a>\r\n\r\n</b>", XML_ERROR_END_TAG, 7, 3, 1},
        {"<a>\n\r</b>", XML_ERROR_END_TAG, 5, 3, 1},
        {"<a>", XML_ERROR_UNEXPECTED_END, 3, 1, 4},
        {"<a", XML_ERROR_UNEXPECTED_END, 2, 1, 3},
        {"<a b='1'", XML_ERROR_UNEXPECTED_END, 8, 1, 9},
        {"<a>text", XML_ERROR_UNEXPECTED_END, 7, 1, 8},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.text);
        const auto error = ReadError(c.text);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind, c.kind);
        EXPECT_EQ(error->position, c.position);
        EXPECT_EQ(error->textLine, c.line);
        EXPECT_EQ(error->textColumn, c.column);
    }
}

TEST(XMLErrorRecord, FollowsTheBaseRecordWithAnXMLSection) {
    CapturedErrorLog log;
    EXPECT_TRUE(ReadError("<a>\r\n<b></a>"));
    EXPECT_TRUE(ReadError("<a>\r\n&bad;</a>"));
    const std::string expected =
        BaseRecordHead() +
        Lines({"Błąd", "  Numer      : 1", "  Komunikat  : Błąd parsera XML", "XML", "  Typ        : 8",
               "  Komunikat  : Błąd podczas odczytywania zamknięcia elementu", "  Znak       : 8",
               "  Wiersz     : 2", "  Kolumna    : 4"}) +
        BaseRecordHead() +
        Lines({"Błąd", "  Numer      : 2", "  Komunikat  : Błąd parsera XML", "XML", "  Typ        : 7",
               "  Komunikat  : Błąd podczas odczytywania referencji", "  Znak       : 10", "  Wiersz     : 2",
               "  Kolumna    : 6"});
    EXPECT_EQ(log.Contents(), expected);
}

