// A scratch folder per test and helpers that walk a data source the way the start-up loader does.
#pragma once

#include "RARLoad/RARLoad.h"
#include "support/TestFiles.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testkit {

using Listing = std::vector<std::pair<std::string, std::string>>; // name, content

class ScratchFolder : public tundrel_test::TempDir {
public:
    const std::string& Path() const { return path; }
    std::string operator/(const std::string& relative) const { return path + "/" + relative; }
    // Writes a file, creating the folders on its way ('/' separators).
    void Write(const std::string& relative, const std::string& bytes) const;
    void MakeFolder(const std::string& relative) const;
};

// Every entry, read alternately with Read and ReadToString so that both ways are exercised;
// the sizes announced by Next are checked against what was delivered.
Listing Drain(CRARLoader& source);
Listing DrainPath(const std::string& path);

} // namespace testkit
