// Fuzzes the archive source: any bytes named GameData either walk to the end or raise a CError,
// read every way the start-up loader reads entries.
#include "RARLoad/RARLoad.h"
#include "support/Error.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Buffers for Read are as large as announced; beyond this the string read keeps memory to the data.
constexpr std::uint32_t kLargestBuffer = 1 << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A fresh file per input, outside the corpus folder the fuzzer runs in. It is unlinked as soon as
    // the source has it open, so no run leaves one behind however it ends.
    char path[] = "/tmp/fuzz_gamedata-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0 || ::write(fd, data, size) != ssize_t(size)) std::abort();
    ::close(fd);
    try {
        std::unique_ptr<CRARLoader> source;
        try {
            source.reset(new CRARLoader_rar(path));
        } catch (const vexo::CError&) {
            ::unlink(path);
            throw;
        }
        ::unlink(path);
        std::string name, text;
        std::uint32_t announced = 0;
        for (unsigned index = 0; source->Next(name, announced); ++index) {
            if (announced > CRARLoader::kMaxEntrySize && index % 3 != 2) {
                // Too large to read: refused when read, before anything is written.
                try {
                    source->Read(nullptr);
                } catch (const vexo::CError&) {
                    return 0;
                }
                std::abort();
            }
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
