// Recording a game's orders while it runs and playing them back: the game screen records every
// mission, the window and the tools play recordings, the tools also play hand-written scripts.
#pragma once

#include "game/Mission.h"
#include "game/OrderLog.h"
#include "game/Simulation.h"

#include <string>

// Writes one game's order log as it is played. The file is written in pieces, so a game that
// ends abruptly keeps most of its recording. A failed write leaves a record in Errors.log and
// stops the recording; the game goes on.
class COrderRecorder {
public:
    COrderRecorder(std::string path, const COrderLog& header);
    ~COrderRecorder();
    COrderRecorder(const COrderRecorder&) = delete;
    COrderRecorder& operator=(const COrderRecorder&) = delete;

    // An action the player gave since the last step; it goes with the next frame.
    void Record(const CPlayerAction& action);
    // Called after each step of the mission with its elapsed time.
    void EndFrame(float elapsed);
    // The result line closes the recording; frames after it are not kept.
    void Finish(const std::string& result);
    double Clock() const { return clock; }
    bool Finished() const { return finished; }
    const std::string& Path() const { return path; }

private:
    void Write(bool force);

    std::string path;
    std::string pending;
    COrderFrame frame;
    double clock = 0.0;
    bool finished = false;
    bool failed = false;
};

// The folder of recordings beside Settings.xml, and how many of them are kept.
inline constexpr const char* kReplayFolder = "Replays";
inline constexpr int kReplaysKept = 50;
inline constexpr const char* kReplayExtension = ".tlr";

// A new file name in the folder for a game of the mission (a path, or "" for a random map)
// started at the stamp ("2026-12-06 22-55-25"), creating the folder when missing. Older
// recordings beyond the newest kept - 1 are removed to make room. "" when the folder cannot be
// made (the error is in Errors.log).
std::string NewReplayPath(const std::string& folder, const std::string& stamp, const std::string& mission,
                          int kept = kReplaysKept);

// Reads and parses an order log file (vexo::CError when it cannot).
COrderLog ReadOrderLog(const std::string& path);
// Where the recording's mission is: as recorded, relative to the working folder, or else
// relative to the game folder the recording lies in (its folder's parent). "" for a random map.
std::string RecordedMissionPath(const COrderLog& log, const std::string& recordingPath);

// Seeds the generator and loads the recording's mission from missionPath (or a random map):
// raises vexo::CError when the file's bytes are not those the game was recorded with.
void StartRecordedMission(CMissionScreen& screen, const COrderLog& log, const std::string& missionPath);

// Feeds an order log into the running mission.
class COrderPlayback {
public:
    // Captures the world's units and checks every action against them (vexo::CError).
    explicit COrderPlayback(const COrderLog& log);

    // A recording: the next frame's actions, then one step with its elapsed time. False once every
    // frame has been played.
    bool StepFrame(CMissionScreen& screen);
    // The next frame's end on the recording's clock; never for a finished recording.
    double NextFrameEnd() const;
    double Clock() const { return clock; }
    // A script: the actions of every entry due by now.
    void ApplyDue(float now);

private:
    const COrderLog& log;
    CUnitRoster roster;
    std::size_t next = 0;
    double clock = 0.0;
};

// Plays a recording headless until the mission ends or the recording does.
CHeadlessResult RunReplay(const COrderLog& log, const std::string& missionPath);
