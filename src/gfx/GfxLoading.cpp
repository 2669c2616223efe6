// The two loading passes over the game data source, as every device creation runs them.
#include "gfx/Gfx.h"

#include "RARLoad/RARLoad.h"
#include "support/StartupTimes.h"

#include <algorithm>
#include <memory>
#include <vector>

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
