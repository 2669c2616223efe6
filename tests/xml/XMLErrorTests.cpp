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

TEST(XMLErrorRecord, EveryKindHasItsMessage) {
    const char* messages[] = {"Błąd konwersji danych",
                              "Błąd podczas otwierania pliku",
                              "Błąd podczas zapisywania do pliku",
                              "Błąd podczas odczytywania z pliku",
                              "Błąd podczas zapisywania atrybutu",
                              "Błąd podczas zapisywania zamknięcia elementu",
                              "Błąd ogólny podczas odczytywania",
                              "Błąd podczas odczytywania referencji",
                              "Błąd podczas odczytywania zamknięcia elementu",
                              "Niespodziewany koniec dokumentu podczas odczytywania"};
    for (int kind = 0; kind < 10; ++kind)
        EXPECT_EQ(CXMLError::KindMessage(kind), Utf8ToCp1250(messages[kind]));
    EXPECT_EQ(CXMLError::KindMessage(10), Utf8ToCp1250("Nieznany błąd"));
    EXPECT_EQ(CXMLError::KindMessage(-1), Utf8ToCp1250("Nieznany błąd"));
}

TEST(XMLErrorRecord, NothingIsWrittenWithoutALogAndCopiesWriteNothing) {
    CapturedErrorLog log;
    SetErrorLogFile("");
    const CXMLError error(XML_ERROR_SYNTAX, "abc", CXMLError::kEndOfText);
    EXPECT_EQ(error.position, 3u);
    EXPECT_EQ(error.message, Utf8ToCp1250("Błąd parsera XML"));
    EXPECT_EQ(error.sourceFile, "");
    EXPECT_EQ(error.line, -1);
    SetErrorLogFile(log.path);
    const CXMLError copy = error;
    EXPECT_EQ(copy.textColumn, 4u);
    EXPECT_EQ(log.Contents(), "");
}
