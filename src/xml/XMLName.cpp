// The process-wide name table.
#include "xml/XMLName.h"

namespace vexo {

CXMLName::Table& CXMLName::GetTable() {
    // Never destroyed: a document with static lifetime may release its names after every other
    // static object is gone, so the table has to outlive them all.
    static Table* table = new Table;
    return *table;
}

CXMLName::Table::value_type* CXMLName::Acquire(std::string_view name) {
    Table& table = GetTable();
    auto it = table.find(name);
    if (it == table.end()) it = table.emplace(std::string(name), 0).first;
    ++it->second;
    return &*it;
}

void CXMLName::Release() {
    if (--entry->second != 0) return;
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

std::size_t CXMLName::References(std::string_view name) {
    const Table& table = GetTable();
    const auto it = table.find(name);
    return it == table.end() ? 0 : it->second;
}

std::size_t CXMLName::TableSize() {
    return GetTable().size();
}

} // namespace vexo
