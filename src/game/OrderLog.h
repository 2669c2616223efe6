// The order log: a game's player actions as data. The game records every mission into one, the
// tools play recordings back and take hand-written scripts of orders in the same format.
//
// A text file in Windows-1250, one item a line, words separated by spaces; blank lines and lines
// starting with '#' are skipped:
//     tundrel-orders 1              the format and its version (first line)
//     mission Maps/01 Nazwa.tlm     the mission file as the game opened it, or "random" alone for
//     hash 0123456789abcdef         a random map; the 64-bit FNV-1a hash of the mission's bytes
//     seed 123456                   the generator's seed the mission started with
//     frame 0.016666668             one step of the game with its elapsed seconds ...
//     at 12.5                       ... or, in a script, the second from which what follows applies
//     select U | group K U | stop U | go U X Y | follow U T | attack U T | bury U T | digout U T |
//     carry U T X Y                 the actions that come before the next step
//     end result: victory ...      the result the game reached, written when the mission ends
// Units are numbered from 0 in the order the mission file lists them; X and Y are tiles.
#pragma once

#include "game/Object.h"

#include <cstdint>
#include <string>
#include <vector>

class CUnit;

inline constexpr int kOrderLogVersion = 1;

struct CPlayerAction {
    enum EKind : int { kSelect, kGroup, kStop, kGo, kFollow, kAttack, kBury, kDigOut, kCarry };
    EKind kind = kSelect;
    int unit = 0;   // the acting or selected unit
    int target = 0; // the unit acted on; for kGroup the group key 0 ... 9
    float x = 0.0f;
    float y = 0.0f;

    bool operator==(const CPlayerAction&) const = default;
};

struct COrderFrame {
    float seconds = 0.0f; // the frame's elapsed time, or in a script the time it applies from
    std::vector<CPlayerAction> actions;
};

struct COrderLog {
    std::string mission; // the host's file name (UTF-8 on Linux); empty for a random map
    std::string hash;
    bool hasSeed = false;
    std::uint32_t seed = 0;
    bool timed = false; // a script: "at" entries instead of frames
    std::vector<COrderFrame> frames;
    std::string result; // what follows "end", if the log has it
};

// Raises vexo::CError (source "GamePlay") naming the line of anything it cannot read.
COrderLog ParseOrderLog(const std::string& text);
std::string FormatHeader(const COrderLog& log);
std::string FormatFrame(const COrderFrame& frame, bool timed);

// The 64-bit FNV-1a hash of a mission's bytes in 16 hex digits: a replay refuses a mission that
// changed since the game was recorded.
std::string MissionHash(const std::string& bytes);

// The player's units and the computer's as the mission started, by number. Units never join the
// world after the start, so the numbers hold for the whole game.
class CUnitRoster {
public:
    // Takes the current world's units in list order.
    void Capture();
    int IndexOf(const CUnit* unit) const;
    CUnit* At(int index) const;
    int Size() const { return int(units.size()); }
    // Raises vexo::CError for an action naming a unit or group key that does not exist.
    void Check(const CPlayerAction& action) const;
    // Carries the action out on the current world, as the player's click would have.
    void Apply(const CPlayerAction& action) const;

private:
    std::vector<TObjectRef<CUnit>> units;
};
