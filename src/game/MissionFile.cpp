// The mission loader: a ".tlm" XML file becomes the current map, units, camera and target area.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/Mission.h"
#include "game/ObjectList.h"
#include "game/Unit.h"
#include "support/Convert.h"
#include "support/Error.h"
#include "support/Files.h"
#include "support/Random.h"
#include "support/Strings.h"
#include "support/Text1250.h"
#include "xml/XMLDocument.h"
#include "xml/XMLReader.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

using namespace vexo::literals;

namespace {

// Far outside any map, yet small enough that sums and products of positions stay finite.
constexpr float kCoordinateLimit = 1.0e6f;

[[noreturn]] void RaiseOverLimit(const std::string& what, std::int64_t found, std::int64_t limit) {
    throw vexo::CError(what + " (" + std::to_string(found) + std::string(", najwyżej "_pl) +
                           std::to_string(limit) + ").",
                       "GamePlay", __LINE__);
}

float ReadCoordinate(std::string_view text) {
    return std::clamp(float(vexo::ToFloat(text)), -kCoordinateLimit, kCoordinateLimit);
}

std::vector<std::string> MatrixRows(const std::string& matrix) {
    std::vector<std::string> rows;
    std::size_t position = 0;
    std::string word;
    while (vexo::NextWord(matrix, position, word)) {
        if (!rows.empty() && word.size() != rows.front().size())
            throw vexo::CError(std::string("Matryca w misji nie ma stałej szerokości (wiersz nr "_pl) +
                                   vexo::IntToString(int(rows.size() + 1)) + ").",
                               "GamePlay", __LINE__);
        rows.push_back(word);
    }
    // A matrix of empty words would make a map without columns.
    if (rows.empty() || rows.front().empty()) throw vexo::CError("Matryca w misji jest pusta.", "GamePlay", __LINE__);
    const std::int64_t cells = std::int64_t(rows.size()) * std::int64_t(rows.front().size());
    if (cells > kMaxMissionCells)
        RaiseOverLimit(std::string("Mapa misji ma za dużo pól"_pl), cells, kMaxMissionCells);
    return rows;
}

void ApplyMatrix(CMap& map, const std::vector<std::string>& rows) {
    for (int r = 0; r < map.height; ++r) {
        for (int c = 0; c < map.width; ++c) {
            CMapCell& cell = map.Cell(c, r);
            switch (rows[std::size_t(r)][std::size_t(c)]) {
            case '#': cell.kind = kObstacle; break;
            case ',': cell.yellow = true; break;
            case '/':
                cell.kind = kIce;
                cell.snow = 0.0f;
                break;
            case '^': cell.snow = 1.0f; break;
            case '_': cell.snow = 0.0f; break;
            case '~':
                cell.kind = kWater;
                cell.snow = 0.0f;
                break;
            default: break;
            }
        }
    }
}

int ReadKind(const std::string& type) {
    if (type == "boy") return kBoy;
    if (type == "girl") return kGirl;
    if (type == "child") return kChild;
    return vexo::Rand() % 3;
}

std::vector<const vexo::CXMLElement*> UnitElements(const vexo::CXMLDocument& document) {
    const vexo::CXMLElement* list = document.FindElement("map/objects");
    if (!list) throw vexo::CError(std::string("Misja nie zawiera listy obiektów."_pl), "GamePlay", __LINE__);
    std::vector<const vexo::CXMLElement*> units;
    for (std::size_t i = 0; i < list->GetCount(); ++i) {
        const vexo::CXMLItem* item = list->GetItem(i);
        if (item->GetType() != vexo::XML_ELEMENT) continue;
        const auto& element = static_cast<const vexo::CXMLElement&>(*item);
        if (element.GetName() == "unit") units.push_back(&element);
    }
    if (units.size() > std::size_t(kMaxMissionUnits))
        RaiseOverLimit(std::string("Misja ma za dużo jednostek"_pl), std::int64_t(units.size()),
                       kMaxMissionUnits);
    return units;
}

void LoadUnits(const std::vector<const vexo::CXMLElement*>& elements, CObjectList& objects) {
    for (const vexo::CXMLElement* unitElement : elements) {
        const vexo::CXMLElement& element = *unitElement;
        CUnit* unit = objects.Add(std::make_unique<CUnit>(ReadKind(element.Value("@type", "random"))));
        unit->team = vexo::ToInt(element.Value("@team"));
        unit->y = ReadCoordinate(element.Value("@y"));
        unit->x = ReadCoordinate(element.Value("@x"));
        // The percentage is of the level-1 maximum: the level is only set below.
        unit->SetLife(float(vexo::ToFloat(element.Value("@life", "100"))) * unit->Attribute(kAttrLife) * 0.01f,
                      false);
        unit->level = std::clamp(vexo::ToInt(element.Value("@level", "1")), 1, kMaxLevel);
        if (vexo::ParseBool(element.Value("@zakopany", "false"))) unit->KnockDownBuried();
    }
}

float ReadCamera(const vexo::CXMLDocument& document, const char* path, int size) {
    if (!document.Exists(path)) return float(size) * 0.5f;
    return ReadCoordinate(document.Value(path, "0"));
}

} // namespace

void LoadMission(CMissionScreen& screen, const std::string& path) {
    std::string text;
    if (!vexo::ReadFileToString(path, text, kMaxMissionFileBytes)) {
        if (errno == EFBIG) {
            std::error_code unknown;
            const auto size = std::filesystem::file_size(vexo::HostPath(path), unknown);
            RaiseOverLimit(std::string("Plik misji ma za dużo bajtów"_pl), unknown ? -1 : std::int64_t(size),
                           std::int64_t(kMaxMissionFileBytes));
        }
        // The path is the host's file name, in UTF-8 like the mission list found it; the message is
        // Windows-1250 text like every other.
        throw vexo::CError(std::string("Nie można wczytać misji z pliku \""_pl) + vexo::Utf8ToCp1250(path) + "\".",
                           "GamePlay", __LINE__);
    }

    vexo::CXMLReader reader(text);
    vexo::CXMLReaderOptions options;
    options.trimPI = options.trimComments = options.trimCDATA = options.trimAttributes = options.trimCharData = true;
    options.collapsePI = options.collapseComments = options.collapseCDATA = options.collapseAttributes =
        options.collapseCharData = true;
    options.skipPI = options.skipComments = true;
    reader.SetOptions(options);
    vexo::CXMLDocument document;
    document.Read(reader);

    const std::string matrix = document.Value("map/matrix", "");
    if (matrix.empty()) throw vexo::CError("Matryca w misji jest pusta.", "GamePlay", __LINE__);
    const std::vector<std::string> rows = MatrixRows(matrix);
    const std::vector<const vexo::CXMLElement*> unitElements = UnitElements(document);

    // Built aside and installed only when complete: a failed load leaves no half-built world.
    auto map = std::make_unique<CMap>(int(rows.front().size()), int(rows.size()));
    map->RandomRelief();
    ApplyMatrix(*map, rows);
    auto objects = std::make_unique<CObjectList>();
    LoadUnits(unitElements, *objects);

    CGameState& game = Game();
    game.camX = ReadCamera(document, "map/camera/@x", map->width);
    game.camY = ReadCamera(document, "map/camera/@y", map->height);
    if (document.Exists("map/rect")) {
        screen.targetLeft = ReadCoordinate(document.Value("map/rect/@left"));
        screen.targetTop = ReadCoordinate(document.Value("map/rect/@top"));
        screen.targetRight = screen.targetLeft + ReadCoordinate(document.Value("map/rect/@width"));
        screen.targetBottom = screen.targetTop + ReadCoordinate(document.Value("map/rect/@height"));
    } else {
        screen.targetLeft = screen.targetTop = -100.0f;
        screen.targetRight = screen.targetBottom = -99.0f;
    }
    game.ClearWorld();
    game.map = std::move(map);
    game.objects = std::move(objects);
}
