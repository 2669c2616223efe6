// Errors.log: the record layout byte for byte and the top-level record.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <new>

using namespace vexo;
using namespace tundrel_test;

TEST(ErrorLog, RecordsAreLaidOutAndNumberedAsWrittenByHand) {
    CapturedErrorLog log;
    CError(std::string("Nie można wczytać misji z pliku \"Maps\\a.tlm\"."_pl), "GamePlay", 212);
    CError("Matryca w misji jest pusta.", "", -1);
    CError("Tylko wiersz.", "", 0);
    const std::string expected =
        BaseRecordHead() +
        Lines({"Źródło", "  Plik       : GamePlay", "  Wiersz     : 212", "Błąd", "  Numer      : 1",
               "  Komunikat  : Nie można wczytać misji z pliku \"Maps\\a.tlm\"."}) +
        BaseRecordHead() + Lines({"Błąd", "  Numer      : 2", "  Komunikat  : Matryca w misji jest pusta."}) +
        BaseRecordHead() +
        Lines({"Źródło", "  Wiersz     : 0", "Błąd", "  Numer      : 3", "  Komunikat  : Tylko wiersz."});
    EXPECT_EQ(log.Contents(), expected);
}

TEST(ErrorLog, TopLevelHandlersRecordWhatHasNoRecordYet) {
    CapturedErrorLog log;
    const auto recorded = [&](auto raise) {
        const std::size_t before = log.Contents().size();
        try {
            raise();
        } catch (...) {
            RecordCurrentException("main");
        }
        return log.Contents().substr(before);
    };
    EXPECT_NE(recorded([] { throw std::bad_alloc(); }).find("Brak pamięci."_pl), std::string::npos);
    const std::string once = recorded([] { throw CError("Jedyny", "", -1); });
    EXPECT_EQ(once.find("Jedyny"), once.rfind("Jedyny")) << "a CError has its record already";
}
