// Errors.log: the record layout byte for byte, numbering, the derived sections, the top-level record.
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

TEST(ErrorLog, MessagesAreWrittenAsTheirBytesAndPolishLiteralsAsWindows1250) {
    CapturedErrorLog log;
    CError(std::string("Zażółć"_pl), "", -1);
    const std::string text = log.Contents();
    EXPECT_NE(text.find("  Komunikat  : Za\xBF\xF3\xB3\xE6\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\xC5"), std::string::npos) << "no UTF-8 in the file";
}

TEST(ErrorLog, TheSystemEnvironmentFillsEveryLine) {
    const CRecordEnvironment env = SystemRecordEnvironment();
    ASSERT_EQ(env.timeUtc.size(), 19u);
    EXPECT_EQ(env.timeUtc[4], '-');
    EXPECT_EQ(env.timeUtc[13], ':');
    EXPECT_LT(env.computer.size(), 16u);
    EXPECT_NE(env.program.find("support_tests"), std::string::npos);
}

TEST(ErrorLog, WithoutALogErrorsWriteNothingAndStillThrow) {
    TempDir dir;
    SetErrorLogFile("");
    EXPECT_EQ(GetErrorLog(), nullptr);
    EXPECT_THROW(throw CError("x", "", -1), CError);
    SetErrorLogFile("");
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

namespace {
const char* TestErrorNames(std::uint32_t code) {
    return code == 2289436780u ? "D3DERR_INVALIDCALL" : nullptr;
}
} // namespace

TEST(ErrorLog, DirectXErrorNamesItsCodeOrSaysUnknown) {
    CapturedErrorLog log;
    const std::string message(Utf8ToCp1250("Nie można utworzyć urządzenia."));
    CDirectXError(message, 2289436780u, "d3dapp", -1);
    SetDirectXErrorNames(TestErrorNames);
    CDirectXError(message, 2289436780u, "d3dapp", -1);
    CDirectXError("Nieznany.", 1u, "", -1);
    SetDirectXErrorNames(nullptr);
    const auto record = [](int number, const char* message, const char* code, const char* name, bool source) {
        std::string text = BaseRecordHead();
        if (source) text += Lines({"Źródło", "  Plik       : d3dapp"});
        return text + Lines({"Błąd", "  Numer      : " + std::to_string(number),
                             std::string("  Komunikat  : ") + message, "DirectX",
                             std::string("  Kod        : ") + code, std::string("  Komunikat  : ") + name,
                             std::string("  Opis       : ") + name});
    };
    EXPECT_EQ(log.Contents(),
              record(1, "Nie można utworzyć urządzenia.", "2289436780", "Unknown", true) +
                  record(2, "Nie można utworzyć urządzenia.", "2289436780", "D3DERR_INVALIDCALL", true) +
                  record(3, "Nieznany.", "1", "Unknown", false));
}
