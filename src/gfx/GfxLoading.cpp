// The two loading passes over the game data source, as every device creation runs them.
#include "gfx/Gfx.h"

#include "RARLoad/RARLoad.h"
#include "support/Error.h"
#include "support/StartupTimes.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The images read ahead are the sprites' few hundred kilobytes; larger entries, and anything past
// this much in all, are left to the passes.
constexpr std::uint32_t kMaxEntryAhead = 16u << 20;
constexpr std::uint64_t kMaxBytesAhead = 64u << 20;

} // namespace

std::unique_ptr<CImagesAhead> CGfx::DecodeImagesAhead(const std::string& path) {
    return std::make_unique<CImagesAhead>([path](CImagesAhead& ahead) {
        const vexo::CUnrecordedErrors unrecorded;
        try {
            const std::unique_ptr<CRARLoader> source(OpenGameData(path));
            std::string name;
            std::uint32_t size = 0;
            std::uint64_t total = 0;
            std::vector<std::uint8_t> bytes;
            while (source->Next(name, size)) {
                if (size == 0 || size > kMaxEntryAhead || total + size > kMaxBytesAhead) {
                    source->Skip();
                    continue;
                }
                bytes.resize(size);
                source->Read(bytes.data());
                total += size;
                ahead.Add(bytes.data(), size);
            }
        } catch (...) {
            // The source is read again by the passes, which report what went wrong here.
        }
    });
}

void CGfx::LoadGameData(const std::string& path) {
    for (const bool firstPass : {true, false}) {
        BeginLoading(firstPass);
        const std::unique_ptr<CRARLoader> source(OpenGameData(path));
        std::string name;
        std::uint32_t size = 0;
        std::vector<std::uint8_t> bytes;
        std::string text;
        while (source->Next(name, size)) {
            switch (WantsFile(firstPass, name, size)) {
            case kFileAsData:
                // Read refuses an entry too large to read before it writes, so its size is not
                // allocated for it.
                bytes.resize(std::min(size, CRARLoader::kMaxEntrySize));
                source->Read(bytes.data());
                LoadData(firstPass, name, size, bytes.data());
                break;
            case kFileAsText:
                source->ReadToString(text);
                LoadText(firstPass, name, size, text);
                break;
            default:
                source->Skip();
                break;
            }
        }
        EndLoading(firstPass);
        vexo::MarkStartup(firstPass ? "game data, first pass" : "game data, second pass");
    }
}
