// Scratch folder writes and source walkers shared by the data source tests.
#include "RARLoad/SourceTestKit.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace testkit {

void ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path file = std::filesystem::path(path) / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));
}

void ScratchFolder::MakeFolder(const std::string& relative) const {
    std::filesystem::create_directories(std::filesystem::path(path) / relative);
}

Listing Drain(CRARLoader& source) {
    Listing listing;
    std::string name;
    std::uint32_t size = 0;
    while (source.Next(name, size)) {
        std::string content;
        if (listing.size() % 2 == 0) {
            content.assign(size, '\0');
            source.Read(content.data());
        } else {
            source.ReadToString(content);
        }
        EXPECT_EQ(content.size(), size) << name;
        listing.emplace_back(name, content);
    }
    return listing;
}

Listing DrainPath(const std::string& path) {
    const std::unique_ptr<CRARLoader> source(OpenGameData(path));
    return Drain(*source);
}

} // namespace testkit
