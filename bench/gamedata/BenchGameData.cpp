// Start-up loading speed: the game runs two passes over every entry of GameData, reading each one;
// here over 40 sprite-sized files (8 MiB) as a folder and in each archive format.
#include "RARLoad/ArchiveWriters.h"
#include "RARLoad/RARLoad.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <stdlib.h>

namespace {

constexpr int kFiles = 40;
constexpr std::size_t kFileSize = 200 * 1024;

// Image-like bytes: some runs, some noise, so compressed formats do real work.
std::string FileBytes(int index) {
    std::string bytes(kFileSize, '\0');
    std::uint32_t seed = 2166136261u + std::uint32_t(index);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 64 == 0) seed = seed * 1664525u + 1013904223u;
        bytes[i] = char((seed >> 24) + (i % 64 < 48 ? 0 : i));
    }
    return bytes;
}

class CGameDataSet {
public:
    CGameDataSet() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench_gamedata-XXXXXX").string();
        root = ::mkdtemp(pattern.data()) ? pattern : "";
        std::vector<testarchive::Item> items, windows;
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = "Sprites/unit" + std::to_string(i) + ".png";
            items.push_back({name, FileBytes(i)});
            windows.push_back({"Sprites\\unit" + std::to_string(i) + ".png", items.back().data});
            std::filesystem::create_directories(root + "/folder/Sprites");
            testarchive::WriteFile(root + "/folder/" + name, items.back().data);
        }
        testarchive::WriteFile(root + "/rar4", testarchive::Rar4(windows));
        testarchive::WriteFile(root + "/rar5", testarchive::Rar5(items));
        testarchive::WriteFile(root + "/zip", testarchive::WithLibarchive("zip", items));
        testarchive::WriteFile(root + "/7z", testarchive::WithLibarchive("7zip", items));
    }
    ~CGameDataSet() { std::filesystem::remove_all(root); }
    std::string Path(const std::string& kind) const { return root + "/" + kind; }

private:
    std::string root;
};

const CGameDataSet& Set() {
    static const CGameDataSet set;
    return set;
}

void TwoPasses(benchmark::State& state, const std::string& kind) {
    const std::string path = Set().Path(kind);
    std::string name, text;
    std::uint32_t size = 0;
    for (auto _ : state) {
        for (int pass = 0; pass < 2; ++pass) {
            const std::unique_ptr<CRARLoader> source(OpenGameData(path));
            while (source->Next(name, size)) source->ReadToString(text);
            benchmark::DoNotOptimize(text.data());
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * 2 * kFiles * std::int64_t(kFileSize));
}

BENCHMARK_CAPTURE(TwoPasses, Folder, std::string("folder"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TwoPasses, Rar4Stored, std::string("rar4"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TwoPasses, Rar5Stored, std::string("rar5"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TwoPasses, ZipDeflate, std::string("zip"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TwoPasses, SevenZip, std::string("7z"))->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
