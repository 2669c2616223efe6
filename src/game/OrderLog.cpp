// Reading and writing the order log, and carrying its actions out on the world.
#include "game/OrderLog.h"

#include "game/GameState.h"
#include "game/ObjectList.h"
#include "game/Unit.h"
#include "support/Error.h"
#include "support/Text1250.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

using namespace vexo::literals;

namespace {

constexpr std::string_view kMagic = "tundrel-orders";
constexpr float kLongestFrame = 3600.0f;

// The action words with their operands: a target unit, a point.
struct CActionSyntax {
    std::string_view word;
    bool target;
    bool point;
};
constexpr std::array<CActionSyntax, 9> kActions = {{{"select", false, false},
                                                   {"group", true, false},
                                                   {"stop", false, false},
                                                   {"go", false, true},
                                                   {"follow", true, false},
                                                   {"attack", true, false},
                                                   {"bury", true, false},
                                                   {"digout", true, false},
                                                   {"carry", true, true}}};

[[noreturn]] void Fail(int line, const std::string& what) {
    throw vexo::CError(std::string("Błąd w zapisie rozkazów, wiersz "_pl) + std::to_string(line) + ": " + what,
                       "GamePlay", __LINE__);
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t from = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > from) words.push_back(line.substr(from, i - from));
    }
    return words;
}

// The text after the first word, as written (names hold spaces).
std::string_view Rest(std::string_view line, std::string_view word) {
    std::string_view rest = line.substr(line.find(word) + word.size());
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
    return rest;
}

template <class T> T Number(std::string_view word, int line) {
    T value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        Fail(line, "\"" + std::string(word) + std::string("\" nie jest liczbą."_pl));
    if constexpr (std::is_floating_point_v<T>)
        if (!std::isfinite(value)) Fail(line, "\"" + std::string(word) + std::string("\" nie jest liczbą."_pl));
    return value;
}

CPlayerAction ReadAction(const std::vector<std::string_view>& words, int line) {
    for (std::size_t k = 0; k < kActions.size(); ++k) {
        const CActionSyntax& syntax = kActions[k];
        if (words[0] != syntax.word) continue;
        const std::size_t count = 2 + (syntax.target ? 1 : 0) + (syntax.point ? 2 : 0);
        if (words.size() != count) Fail(line, std::string("zła liczba słów po \""_pl) + std::string(syntax.word) + "\".");
        CPlayerAction action;
        action.kind = CPlayerAction::EKind(k);
        std::size_t next = 1;
        // The group key comes before the unit, as the player presses it: Ctrl+key on a selection.
        if (action.kind == CPlayerAction::kGroup) action.target = Number<int>(words[next++], line);
        action.unit = Number<int>(words[next++], line);
        if (syntax.target && action.kind != CPlayerAction::kGroup) action.target = Number<int>(words[next++], line);
        if (syntax.point) {
            action.x = Number<float>(words[next++], line);
            action.y = Number<float>(words[next++], line);
        }
        return action;
    }
    Fail(line, std::string("nieznany wpis \""_pl) + std::string(words[0]) + "\".");
}

// Nine significant digits give every float back exactly.
std::string Exact(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

} // namespace

COrderLog ParseOrderLog(const std::string& text) {
    COrderLog log;
    bool started = false, framed = false, mission = false;
    int number = 0;
    for (std::size_t from = 0; from <= text.size();) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + from, end - from);
        from = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::vector<std::string_view> words = Words(line);
        if (words.empty() || words[0].front() == '#') continue;
        if (!started) {
            if (words[0] != kMagic || words.size() != 2) Fail(number, std::string("to nie jest zapis rozkazów."_pl));
            if (Number<int>(words[1], number) != kOrderLogVersion)
                Fail(number, std::string("nieobsługiwana wersja "_pl) + std::string(words[1]) + ".");
            started = true;
        } else if (words[0] == "end") {
            log.result = Rest(line, "end");
        } else if (!log.result.empty()) {
            Fail(number, std::string("wpis po \"end\"."_pl));
        } else if (words[0] == "frame" || words[0] == "at") {
            const bool timed = words[0] == "at";
            if (words.size() != 2) Fail(number, std::string("zła liczba słów po \""_pl) + std::string(words[0]) + "\".");
            if (framed && timed != log.timed) Fail(number, std::string("\"frame\" i \"at\" w jednym zapisie."_pl));
            log.timed = timed;
            framed = true;
            const float seconds = Number<float>(words[1], number);
            if (seconds < 0.0f || (timed && !log.frames.empty() && seconds < log.frames.back().seconds))
                Fail(number, std::string("czas nie może się cofać."_pl));
            // The world steps a frame in hundredths of a second: an absurd frame would never end.
            if (!timed && seconds > kLongestFrame) Fail(number, std::string("klatka dłuższa niż godzina."_pl));
            log.frames.push_back({seconds, {}});
        } else if (framed) {
            log.frames.back().actions.push_back(ReadAction(words, number));
        } else if (words[0] == "mission" && words.size() >= 2) {
            // The file is Windows-1250; the name goes back to the host's spelling it was opened by.
            log.mission = vexo::Cp1250ToUtf8(Rest(line, "mission"));
            mission = true;
        } else if (words[0] == "random" && words.size() == 1) {
            log.mission.clear();
            mission = true;
        } else if (words[0] == "hash" && words.size() == 2) {
            log.hash = words[1];
        } else if (words[0] == "seed" && words.size() == 2) {
            log.seed = Number<std::uint32_t>(words[1], number);
            log.hasSeed = true;
        } else {
            Fail(number, std::string("nieznany wpis \""_pl) + std::string(words[0]) + "\".");
        }
    }
    if (!started) Fail(number, std::string("to nie jest zapis rozkazów."_pl));
    // A script may leave the mission to the command line; a recording always names it.
    if (!log.timed && (!mission || !log.hasSeed)) Fail(number, std::string("brak misji lub ziarna losowania."_pl));
    return log;
}

std::string FormatHeader(const COrderLog& log) {
    std::string text = std::string(kMagic) + " " + std::to_string(kOrderLogVersion) + "\n";
    if (log.mission.empty())
        text += "random\n";
    else
        text += "mission " + vexo::Utf8ToCp1250(log.mission) + "\nhash " + log.hash + "\n";
    if (log.hasSeed) text += "seed " + std::to_string(log.seed) + "\n";
    return text;
}

std::string FormatFrame(const COrderFrame& frame, bool timed) {
    std::string text = (timed ? "at " : "frame ") + Exact(frame.seconds) + "\n";
    for (const CPlayerAction& action : frame.actions) {
        const CActionSyntax& syntax = kActions[std::size_t(action.kind)];
        text += syntax.word;
        if (action.kind == CPlayerAction::kGroup) text += " " + std::to_string(action.target);
        text += " " + std::to_string(action.unit);
        if (syntax.target && action.kind != CPlayerAction::kGroup) text += " " + std::to_string(action.target);
        if (syntax.point) text += " " + Exact(action.x) + " " + Exact(action.y);
        text += "\n";
    }
    return text;
}

std::string MissionHash(const std::string& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

void CUnitRoster::Capture() {
    units.clear();
    for (const auto& object : GameObjects().All())
        if (CUnit* unit = object->AsUnit()) units.emplace_back(unit);
}

int CUnitRoster::IndexOf(const CUnit* unit) const {
    for (std::size_t i = 0; i < units.size(); ++i)
        if (unit && units[i].Get() == unit) return int(i);
    return -1;
}

CUnit* CUnitRoster::At(int index) const {
    return index >= 0 && index < Size() ? units[std::size_t(index)].Get() : nullptr;
}

void CUnitRoster::Check(const CPlayerAction& action) const {
    const auto fail = [](const std::string& what) {
        throw vexo::CError(std::string("Zapis rozkazów nie pasuje do misji: "_pl) + what, "GamePlay", __LINE__);
    };
    const auto exists = [&](int index) { return index >= 0 && index < Size(); };
    if (!exists(action.unit)) fail(std::string("nie ma jednostki "_pl) + std::to_string(action.unit) + ".");
    const bool hasTarget = kActions[std::size_t(action.kind)].target;
    if (action.kind == CPlayerAction::kGroup) {
        if (action.target < 0 || action.target > 9) fail("nie ma grupy " + std::to_string(action.target) + ".");
    } else if (hasTarget && !exists(action.target)) {
        fail(std::string("nie ma jednostki "_pl) + std::to_string(action.target) + ".");
    }
}

void CUnitRoster::Apply(const CPlayerAction& action) const {
    CUnit* unit = At(action.unit);
    if (!unit) return;
    // The player commands his own side only, whatever a hand-written script says.
    if (action.kind >= CPlayerAction::kStop && unit->team != 0) return;
    CUnit* target = At(action.target);
    switch (action.kind) {
    case CPlayerAction::kSelect: Game().Select(unit); break;
    case CPlayerAction::kGroup: break; // a group changes what the keys select, not the world
    case CPlayerAction::kStop: unit->Stop(); break;
    case CPlayerAction::kGo: unit->GoTo(action.x, action.y); break;
    case CPlayerAction::kFollow:
        if (target) unit->Follow(target);
        break;
    case CPlayerAction::kAttack:
        if (target) unit->Attack(target);
        break;
    case CPlayerAction::kBury:
        if (target) unit->BuryUnit(target);
        break;
    case CPlayerAction::kDigOut:
        if (target) unit->DigOutUnit(target);
        break;
    case CPlayerAction::kCarry:
        if (target) unit->Carry(target, action.x, action.y);
        break;
    }
}
