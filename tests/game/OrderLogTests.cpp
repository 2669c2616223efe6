// The order log: what it writes reads back exactly, what it cannot read is named by line, and
// recordings are refused for a changed mission, played by time, and written without failing the game.
#include "GameTestWorld.h"

#include "game/Mission.h"
#include "game/Replay.h"
#include "support/TestFiles.h"

#include <cmath>

namespace {

using tundrel_test::CapturedErrorLog;
using tundrel_test::MessageOf;
using tundrel_test::TempDir;
using namespace vexo::literals;

TEST(OrderLog, EveryActionAndAwkwardNumberReadsBackExactly) {
    COrderLog log;
    log.mission = "Maps\\05 Żółty śnieg.tlm";
    log.hash = MissionHash("<map/>");
    log.hasSeed = true;
    log.seed = 4294967295u;
    log.frames = {{1.0f / 60.0f,
                   {{CPlayerAction::kSelect, 3},
                    {CPlayerAction::kGroup, 3, 9},
                    {CPlayerAction::kStop, 0},
                    {CPlayerAction::kGo, 2, 0, 0.1f, -1e-7f},
                    {CPlayerAction::kFollow, 2, 5},
                    {CPlayerAction::kAttack, 2, 6},
                    {CPlayerAction::kBury, 1, 4},
                    {CPlayerAction::kDigOut, 1, 5},
                    {CPlayerAction::kCarry, 0, 4, std::nextafter(3.0f, 4.0f), 123456.789f}}},
                  {0.1f, {}},
                  {std::nextafter(0.0f, 1.0f), {}}};
    std::string text = FormatHeader(log);
    EXPECT_NE(text.find(std::string("mission Maps\\05 Żółty śnieg.tlm"_pl)), std::string::npos);
    for (const COrderFrame& frame : log.frames) text += FormatFrame(frame, false);
    const COrderLog read = ParseOrderLog(text + "end result: timeout after 0.12 s\n");
    EXPECT_EQ(read.mission, log.mission);
    EXPECT_EQ(read.hash, log.hash);
    EXPECT_EQ(read.seed, log.seed);
    EXPECT_FALSE(read.timed);
    EXPECT_EQ(read.result, "result: timeout after 0.12 s");
    ASSERT_EQ(read.frames.size(), log.frames.size());
    for (std::size_t i = 0; i < log.frames.size(); ++i) {
        EXPECT_EQ(read.frames[i].seconds, log.frames[i].seconds) << i;
        EXPECT_EQ(read.frames[i].actions, log.frames[i].actions) << i;
    }
}

TEST(OrderLog, WhatCannotBeReadIsNamedByLine) {
    const std::string head = "tundrel-orders 1\nrandom\nseed 5\n";
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"", "wiersz 1: to nie jest zapis rozkazów."},
        {"tundrel-orders 2\n", "wiersz 1: nieobsługiwana wersja 2."},
        {"tundrel-orders 1\nframe 0.1\n", "wiersz 3: brak misji lub ziarna losowania."},
        {head + "frame 0.1\njump 1\n", "wiersz 5: nieznany wpis \"jump\"."},
        {head + "frame 0.1\ngo 1 2\n", "wiersz 5: zła liczba słów po \"go\"."},
        {head + "frame 0.1\nattack 1 2x\n", "wiersz 5: \"2x\" nie jest liczbą."},
        {head + "frame -0.5\n", "wiersz 4: czas nie może się cofać."},
        {head + "frame 1e30\n", "wiersz 4: klatka dłuższa niż godzina."},
        {head + "frame 0.1\nat 2\n", "wiersz 5: \"frame\" i \"at\" w jednym zapisie."},
        {head + "frame 0.1\nend result: x\nframe 0.1\n", "wiersz 6: wpis po \"end\"."},
        {"tundrel-orders 1\nseed 99999999999\n", "wiersz 2: \"99999999999\" nie jest liczbą."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageOf([&] { ParseOrderLog(c.text); }),
                  std::string("Błąd w zapisie rozkazów, "_pl) + vexo::Utf8ToCp1250(c.message))
            << c.text;
}

class ReplayTest : public GameWorldTest {
protected:
    void SetUp() override {
        GameWorldTest::SetUp();
        vexo::SetErrorLogFile("");
    }
    std::string Mission(const std::string& objects) const {
        const std::string path = dir.File("m.tlm");
        vexo::WriteStringToFile(path, "<map><matrix>..........\n..........\n..........</matrix><objects>" +
                                          objects +
                                          "</objects><rect left='8' top='0' width='2' height='3'/></map>");
        return path;
    }
    TempDir dir;
};

TEST_F(ReplayTest, ARecordingOfAnotherMissionOrUnitIsRefused) {
    const std::string path = Mission("<unit team='0' x='0' y='1'/><unit team='1' x='5' y='1'/>");
    std::string bytes;
    vexo::ReadFileToString(path, bytes);
    COrderLog log = ParseOrderLog("tundrel-orders 1\nmission " + path + "\nhash " + MissionHash(bytes) +
                                  "\nseed 7\nframe 0.5\ngo 0 9 1\n");
    CMissionScreen screen;
    StartRecordedMission(screen, log, path);
    EXPECT_NO_THROW(COrderPlayback{log});

    log.frames[0].actions[0].unit = 2;
    EXPECT_EQ(MessageOf([&] { COrderPlayback{log}; }),
              "Zapis rozkazów nie pasuje do misji: nie ma jednostki 2."_pl);
    log.frames[0].actions[0] = {CPlayerAction::kGroup, 0, 10};
    EXPECT_EQ(MessageOf([&] { COrderPlayback{log}; }),
              "Zapis rozkazów nie pasuje do misji: nie ma grupy 10."_pl);

    // One byte more in the file is another mission.
    vexo::WriteStringToFile(path, bytes + " ");
    EXPECT_NE(MessageOf([&] { StartRecordedMission(screen, log, path); }).find("różni się"_pl),
              std::string::npos);
}

TEST_F(ReplayTest, ScriptedOrdersComeDueByTimeAndCommandOnlyThePlayersSide) {
    const std::string path = Mission("<unit team='0' x='0' y='1'/><unit team='1' x='0' y='2'/>");
    CHeadlessOptions options;
    options.maxSeconds = 30.0f;
    const auto run = [&](const std::string& script) {
        const COrderLog orders = ParseOrderLog("tundrel-orders 1\n" + script);
        options.orders = &orders;
        return RunHeadless(path, options);
    };
    EXPECT_EQ(run("at 0\n").outcome, CHeadlessResult::kTimeout);
    const CHeadlessResult walked = run("at 0\ngo 0 9 1\n");
    EXPECT_EQ(walked.outcome, CHeadlessResult::kVictory);
    // The same walk ordered five seconds later arrives five seconds later, to the step.
    EXPECT_EQ(run("at 5\ngo 0 9 1\n").seconds, walked.seconds + 5.0f);
    // The computer's child may not be sent into the area by a script.
    EXPECT_EQ(run("at 0\ngo 1 9 1\n").outcome, CHeadlessResult::kTimeout);
}

TEST_F(ReplayTest, TheRosterNumbersTheWorldsUnitsInListOrder) {
    CUnit* first = AddUnit(kBoy, 0, 1, 1);
    CUnit* second = AddUnit(kGirl, 1, 2, 2);
    CUnitRoster roster;
    roster.Capture();
    EXPECT_EQ(roster.IndexOf(second), 1);
    EXPECT_EQ(roster.IndexOf(nullptr), -1);
    EXPECT_EQ(roster.At(0), first);
}

TEST_F(ReplayTest, ARecordingThatCannotBeWrittenLeavesOneRecordAndTheGameGoesOn) {
    CapturedErrorLog errors;
    {
        COrderRecorder recorder(dir.File("missing/x.tlr"), COrderLog{});
        for (int i = 0; i < 5000; ++i) {
            recorder.Record({CPlayerAction::kSelect, 1});
            recorder.EndFrame(0.01f);
        }
        recorder.Finish("result: x");
        EXPECT_NEAR(recorder.Clock(), 50.0, 1e-3);
    }
    const std::string log = errors.Contents();
    const auto first = log.find("Nie można zapisać nagrania gry"_pl);
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("Nie można zapisać nagrania gry"_pl, first + 1), std::string::npos);

    // Where it can be written, what the player did is there, and nothing after the end.
    COrderLog header;
    header.hasSeed = true;
    {
        COrderRecorder recorder(dir.File("x.tlr"), header);
        recorder.Record({CPlayerAction::kSelect, 1});
        recorder.EndFrame(0.01f);
        recorder.Finish("result: x");
        recorder.Record({CPlayerAction::kSelect, 2});
    }
    const COrderLog written = ReadOrderLog(dir.File("x.tlr"));
    ASSERT_EQ(written.frames.size(), 1u);
    EXPECT_EQ(written.frames[0].actions.size(), 1u);
}

} // namespace
