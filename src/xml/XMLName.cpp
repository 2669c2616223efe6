// The process-wide name table.
#include "xml/XMLName.h"

namespace vexo {

CXMLName::Table& CXMLName::GetTable() {
    // Never destroyed: a document with static lifetime may release its names after every other
    // static object is gone, so the table has to outlive them all.
    static Table* table = new Table;
    return *table;
}

namespace {

// A document repeats a handful of names (a unit's element and its attributes, thousands of times
// over), so the entries used last are kept in a few slots picked by the name's length, end and
// middle characters, and found again without hashing the name.
constexpr std::size_t kRecentSlots = 64;
std::pair<const std::string, std::size_t>* recent[kRecentSlots] = {};

std::size_t RecentSlot(std::string_view name) {
    if (name.empty()) return 0;
    const auto byte = [&](std::size_t i) { return std::size_t(static_cast<unsigned char>(name[i])); };
    // Apart for the names a mission's unit carries (unit, type, team, x, y, life, level, zakopany).
    return (name.size() * 5 + byte(0) * 7 + byte(name.size() - 1) * 3 + byte(name.size() / 2)) % kRecentSlots;
}

} // namespace

CXMLName::Table::value_type* CXMLName::Acquire(std::string_view name) {
    auto*& slot = recent[RecentSlot(name)];
    if (slot && slot->first == name) {
        ++slot->second;
        return slot;
    }
    Table& table = GetTable();
    auto it = table.find(name);
    if (it == table.end()) it = table.emplace(std::string(name), 0).first;
    ++it->second;
    slot = &*it;
    return slot;
}

void CXMLName::Release() {
    if (--entry->second != 0) return;
    auto*& slot = recent[RecentSlot(entry->first)];
    if (slot == entry) slot = nullptr;
    Table& table = GetTable();
    table.erase(table.find(std::string_view(entry->first)));
}

CXMLName::CXMLName(std::string_view name) : entry(Acquire(name)) {
}

CXMLName::CXMLName(const CXMLName& other) noexcept : entry(other.entry) {
    ++entry->second;
}

CXMLName& CXMLName::operator=(const CXMLName& other) {
    if (entry != other.entry) {
        ++other.entry->second;
        Release();
        entry = other.entry;
    }
    return *this;
}

CXMLName::~CXMLName() {
    Release();
}

} // namespace vexo
