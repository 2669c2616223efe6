// The record a CXMLError writes to Errors.log, byte for byte.
#include "XMLTokens.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace vexo;
using namespace tundrel_test;

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

