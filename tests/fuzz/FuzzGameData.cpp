// Fuzzes the archive source: any bytes named GameData either walk to the end or raise a CError,
// read every way the start-up loader reads entries.
#include "RARLoad/RARLoad.h"
#include "support/Error.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// One scratch file per process, outside the corpus folder the fuzzer runs in.
const std::string& ScratchPath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/fuzz_gamedata-XXXXXX";
        const int fd = ::mkstemp(pattern);
        if (fd < 0) std::abort();
        ::close(fd);
        std::atexit([] { ::unlink(ScratchPath().c_str()); });
        return std::string(pattern);
    }();
    return path;
}

// Buffers for Read are as large as announced; beyond this the string read keeps memory to the data.
constexpr std::uint32_t kLargestBuffer = 1 << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        const std::unique_ptr<CRARLoader> source(new CRARLoader_rar(ScratchPath()));
        std::string name, text;
        std::uint32_t announced = 0;
        for (unsigned index = 0; source->Next(name, announced); ++index) {
            if (announced > CRARLoader::kMaxEntrySize) std::abort();
            if (index % 3 == 1 && announced <= kLargestBuffer) {
                std::vector<char> buffer(announced);
                source->Read(buffer.data());
            } else if (index % 3 == 2) {
                source->Skip();
            } else {
                source->ReadToString(text);
                if (text.size() != announced) std::abort();
            }
        }
    } catch (const vexo::CError&) {
    }
    return 0;
}
