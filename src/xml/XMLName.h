// Interned names: element, attribute and instruction names live once in a process-wide table.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace vexo {

// A handle into the name table. Creating one counts a reference to its name (inserting the name
// if it is new); destroying one releases it, and the name leaves the table with its last handle.
// The table is not locked: documents belong to the one main thread.
class CXMLName {
public:
    explicit CXMLName(std::string_view name);
    CXMLName(const CXMLName& other) noexcept;
    CXMLName& operator=(const CXMLName& other);
    ~CXMLName();

    const std::string& Get() const { return entry->first; }
    bool operator==(std::string_view name) const { return entry->first == name; }

    // How many handles hold the name (0 when it is not in the table).
    static std::size_t References(std::string_view name);
    static std::size_t TableSize();

private:
    using Table = std::map<std::string, std::size_t, std::less<>>;
    static Table& GetTable();
    static Table::iterator Acquire(std::string_view name);
    void Release();

    Table::iterator entry;
};

} // namespace vexo
