// Interned names: element, attribute and instruction names live once in a process-wide table.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

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

private:
    // Hashed, and looked up by string_view without building a string: every element and
    // attribute a document reads interns its name. Rehashing moves no entries, so a handle keeps
    // a pointer to its own.
    struct CNameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const noexcept { return std::hash<std::string_view>{}(name); }
    };
    using Table = std::unordered_map<std::string, std::size_t, CNameHash, std::equal_to<>>;
    static Table& GetTable();
    static Table::value_type* Acquire(std::string_view name);
    void Release();

    Table::value_type* entry;
};

} // namespace vexo
