// PCM WAV files made on the spot, and a working folder with an Sfx folder in
// it, since the sound system reads its files relative to the current folder.
#pragma once

#include "support/TestFiles.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace sfxtest {

// The 16-bit value of a frame of the test saw wave: 64 steps of 64 from -2048.
inline int SawLevel(int frame) { return (frame % 64) * 64 - 2048; }

// A PCM WAV of frames frames holding the saw wave on every channel; bits is 8 or 16.
inline std::string MakeWav(int rate, int channels, int bits, int frames) {
    const std::uint32_t blockAlign = std::uint32_t(channels * bits / 8);
    const std::uint32_t dataBytes = blockAlign * std::uint32_t(frames);
    std::string out = "RIFF";
    tundrel_test::PutLE32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    tundrel_test::PutLE32(out, 16);
    tundrel_test::PutLE16(out, 1); // PCM
    tundrel_test::PutLE16(out, std::uint32_t(channels));
    tundrel_test::PutLE32(out, std::uint32_t(rate));
    tundrel_test::PutLE32(out, std::uint32_t(rate) * blockAlign);
    tundrel_test::PutLE16(out, blockAlign);
    tundrel_test::PutLE16(out, std::uint32_t(bits));
    out += "data";
    tundrel_test::PutLE32(out, dataBytes);
    for (int f = 0; f < frames * channels; ++f) {
        const int level = SawLevel(f / channels);
        if (bits == 8) out += char(128 + level / 256);
        else tundrel_test::PutLE16(out, std::uint16_t(std::int16_t(level)));
    }
    return out;
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder, entered while it lives, whose Sfx holds effects 0..7 and, when asked, the music.
class CSfxFolder {
public:
    explicit CSfxFolder(bool withMusic = true) : root(dir.path), inside(root) {
        std::filesystem::create_directory(root / "Sfx");
        for (int n = 0; n < 8; ++n) WriteBytes(Effect(n), MakeWav(22050, 1, 16, 2205));
        if (withMusic) WriteBytes(root / "Sfx" / "muza.mp3", "ID3");
    }
    std::filesystem::path Effect(int n) const { return root / "Sfx" / (std::to_string(n) + ".wav"); }

private:
    tundrel_test::TempDir dir;

public:
    std::filesystem::path root;

private:
    tundrel_test::InFolder inside;
};

// A scope in which SDL looks for an audio driver that does not exist: a machine with no sound.
class CNoAudioDevice {
public:
    CNoAudioDevice() {
        if (const char* value = std::getenv("SDL_AUDIODRIVER")) old = value;
        setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    }
    ~CNoAudioDevice() { setenv("SDL_AUDIODRIVER", old.c_str(), 1); }
    CNoAudioDevice(const CNoAudioDevice&) = delete;
    CNoAudioDevice& operator=(const CNoAudioDevice&) = delete;

private:
    std::string old = "dummy";
};

} // namespace sfxtest
