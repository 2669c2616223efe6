// Errors.log: the record layout byte for byte, the derived sections, the top-level record.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
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

TEST(ErrorLog, CopiesWriteNothingAndTheSamePathKeepsTheLog) {
    CapturedErrorLog log;
    CErrorLog* current = GetErrorLog();
    SetErrorLogFile(log.path);
    EXPECT_EQ(GetErrorLog(), current);
    const CError error("x", "", -1);
    const std::string once = log.Contents();
    const CError copy = error;
    EXPECT_EQ(MessageOf([&] { throw copy; }), "x");
    EXPECT_EQ(log.Contents(), once);
    EXPECT_TRUE(current->Open(false));
    EXPECT_TRUE(current->Open(false)) << "opening an open log succeeds";
    current->Close();
}

TEST(ErrorLog, Win32APIErrorReportsTheErrnoOfTheFailedOpen) {
    CapturedErrorLog log;
    TempDir dir;
    ASSERT_EQ(std::fopen(dir.File("absent.txt").c_str(), "rb"), nullptr);
    const CWin32APIError error(std::string("Nie można otworzyć pliku \"absent.txt\"."_pl), "Sfx", 40);
    const int errnoAfter = errno;
    EXPECT_EQ(error.code, 2u);
    const std::string expected =
        BaseRecordHead() +
        Lines({"Źródło", "  Plik       : Sfx", "  Wiersz     : 40", "Błąd", "  Numer      : 1",
               "  Komunikat  : Nie można otworzyć pliku \"absent.txt\".", "Win32API", "  Kod        : 2",
               "  Komunikat  : No such file or directory", ""});
    EXPECT_EQ(log.Contents(), expected);
    EXPECT_EQ(errnoAfter, ENOENT) << "writing the log leaves errno alone";
}
