// The recorder of a running game, the file names of recordings and their playback.
#include "game/Replay.h"

#include "game/GameState.h"
#include "support/Error.h"
#include "support/Files.h"
#include "support/Random.h"
#include "support/Text1250.h"

#include <algorithm>
#include <limits>

using namespace vexo::literals;

namespace {

// About sixteen seconds of frames: a crash loses little, and the disk is not touched every frame.
constexpr std::size_t kWriteChunk = 16 * 1024;

bool IsReplay(const vexo::CDirectoryEntry& entry) {
    const std::string_view name = entry.name;
    return entry.isRegularFile && name.size() > 4 && name.ends_with(kReplayExtension);
}

std::string BaseName(const std::string& path) {
    std::string name = path.substr(path.find_last_of("/\\") + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

std::string Parent(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return path == "." || path == ".." ? path + "/.." : ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

COrderRecorder::COrderRecorder(std::string file, const COrderLog& header) : path(std::move(file)) {
    pending = FormatHeader(header);
    // The header at once: a recording that cannot be written is known from the start.
    Write(true);
}

COrderRecorder::~COrderRecorder() { Write(true); }

void COrderRecorder::Record(const CPlayerAction& action) {
    if (!finished) frame.actions.push_back(action);
}

void COrderRecorder::EndFrame(float elapsed) {
    if (finished) return;
    frame.seconds = elapsed;
    clock += elapsed;
    pending += FormatFrame(frame, false);
    frame.actions.clear();
    Write(false);
}

void COrderRecorder::Finish(const std::string& result) {
    if (finished) return;
    finished = true;
    pending += "end " + result + "\n";
    Write(true);
}

void COrderRecorder::Write(bool force) {
    if (failed || pending.empty() || (!force && pending.size() < kWriteChunk)) return;
    if (!vexo::AppendStringToFile(path, pending)) {
        failed = true;
        vexo::CError(std::string("Nie można zapisać nagrania gry do pliku \""_pl) + vexo::Utf8ToCp1250(path) + "\".",
                     "GamePlay", __LINE__);
    }
    pending.clear();
}

std::string NewReplayPath(const std::string& folder, const std::string& stamp, const std::string& mission,
                          int kept) {
    if (!vexo::MakeDirectory(folder)) {
        vexo::CError(std::string("Nie można utworzyć folderu nagrań \""_pl) + vexo::Utf8ToCp1250(folder) + "\".",
                     "GamePlay", __LINE__);
        return "";
    }
    std::vector<vexo::CDirectoryEntry> entries;
    vexo::ListDirectory(folder, entries);
    std::erase_if(entries, [](const vexo::CDirectoryEntry& entry) { return !IsReplay(entry); });
    // Names start with the date and time, so the byte order is the order they were played in.
    const std::size_t room = std::size_t(std::max(kept - 1, 0));
    for (std::size_t i = 0; i + room < entries.size(); ++i) vexo::RemoveFile(folder + "/" + entries[i].name);

    const std::string base = folder + "/" + stamp + " " + (mission.empty() ? "Mapa losowa" : BaseName(mission));
    std::string path = base + kReplayExtension;
    for (int copy = 2; vexo::FileExists(path); ++copy) path = base + " (" + std::to_string(copy) + ")" + kReplayExtension;
    return path;
}

COrderLog ReadOrderLog(const std::string& path) {
    std::string text;
    if (!vexo::ReadFileToString(path, text))
        throw vexo::CError(std::string("Nie można wczytać nagrania z pliku \""_pl) + vexo::Utf8ToCp1250(path) + "\".",
                           "GamePlay", __LINE__);
    return ParseOrderLog(text);
}

std::string RecordedMissionPath(const COrderLog& log, const std::string& recordingPath) {
    if (log.mission.empty() || vexo::FileExists(log.mission)) return log.mission;
    const std::string beside = Parent(Parent(recordingPath)) + "/" + log.mission;
    return vexo::FileExists(beside) ? beside : log.mission;
}

void StartRecordedMission(CMissionScreen& screen, const COrderLog& log, const std::string& missionPath) {
    if (!log.mission.empty() && !log.hash.empty()) {
        std::string bytes;
        // A file that cannot be read is the loader's error to report.
        if (vexo::ReadFileToString(missionPath, bytes) && MissionHash(bytes) != log.hash)
            throw vexo::CError(std::string("Misja \""_pl) + vexo::Utf8ToCp1250(missionPath) +
                                   std::string("\" różni się od tej, którą nagrano."_pl),
                               "GamePlay", __LINE__);
    }
    vexo::SeedRand(log.seed);
    if (missionPath.empty())
        GenerateRandomMap(screen);
    else
        LoadMission(screen, missionPath);
}

COrderPlayback::COrderPlayback(const COrderLog& orders) : log(orders) {
    roster.Capture();
    for (const COrderFrame& frame : log.frames)
        for (const CPlayerAction& action : frame.actions) roster.Check(action);
}

bool COrderPlayback::StepFrame(CMissionScreen& screen) {
    if (next >= log.frames.size()) return false;
    const COrderFrame& frame = log.frames[next++];
    for (const CPlayerAction& action : frame.actions) roster.Apply(action);
    clock += frame.seconds;
    StepMission(screen, float(clock), frame.seconds);
    return true;
}

double COrderPlayback::NextFrameEnd() const {
    return next < log.frames.size() ? clock + log.frames[next].seconds : std::numeric_limits<double>::infinity();
}

void COrderPlayback::ApplyDue(float now) {
    for (; next < log.frames.size() && log.frames[next].seconds <= now; ++next)
        for (const CPlayerAction& action : log.frames[next].actions) roster.Apply(action);
}

CHeadlessResult RunReplay(const COrderLog& log, const std::string& missionPath) {
    CMissionScreen screen;
    StartRecordedMission(screen, log, missionPath);
    COrderPlayback playback(log);
    while (!screen.over && playback.StepFrame(screen)) {
    }
    return MissionResult(screen, float(playback.Clock()));
}
