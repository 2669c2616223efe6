// Test helpers: tiny PCM WAV files made on the spot, and a temporary current directory with an
// Sfx folder in it, because the sound system reads its files relative to the current directory.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace sfxtest {

// The 16-bit value of a frame of the test saw wave: 64 steps of 64 from -2048.
inline int SawLevel(int frame) { return (frame % 64) * 64 - 2048; }

// A PCM WAV of frames frames holding the saw wave on every channel; bits is 8 or 16.
inline std::string MakeWav(int rate, int channels, int bits, int frames) {
    std::string out;
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
    };
    const std::uint32_t blockAlign = std::uint32_t(channels * bits / 8);
    const std::uint32_t dataBytes = blockAlign * std::uint32_t(frames);
    out += "RIFF";
    put(36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(16, 4);
    put(1, 2); // PCM
    put(std::uint32_t(channels), 2);
    put(std::uint32_t(rate), 4);
    put(std::uint32_t(rate) * blockAlign, 4);
    put(blockAlign, 2);
    put(std::uint32_t(bits), 2);
    out += "data";
    put(dataBytes, 4);
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c) {
            const int level = SawLevel(f);
            if (bits == 8)
                put(std::uint32_t(128 + level / 256), 1);
            else
                put(std::uint32_t(std::uint16_t(std::int16_t(level))), 2);
        }
    return out;
}

// An MPEG-1 layer III stream of silent 128 kbit/s, 44100 Hz frames: headers followed by zeroed
// side information and data, which every decoder plays as silence.
inline std::string MakeSilentMp3(int frames) {
    std::string frame("\xFF\xFB\x90\x64", 4);
    frame.resize(417, '\0');
    std::string out;
    for (int i = 0; i < frames; ++i) out += frame;
    return out;
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Makes a fresh folder, enters it and fills Sfx with effects 0..7 and (optionally) the music;
// the destructor returns to the old directory and removes everything.
class CSfxFolder {
public:
    explicit CSfxFolder(bool withMusic = true) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tundrel-sfx-XXXXXX").string();
        root = mkdtemp(pattern.data());
        previous = std::filesystem::current_path();
        std::filesystem::create_directory(root / "Sfx");
        std::filesystem::current_path(root);
        for (int n = 0; n < 8; ++n) WriteBytes(Effect(n), MakeWav(22050, 1, 16, 2205));
        if (withMusic) WriteBytes(root / "Sfx" / "muza.mp3", MakeSilentMp3(40));
    }
    ~CSfxFolder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(root);
    }
    CSfxFolder(const CSfxFolder&) = delete;
    CSfxFolder& operator=(const CSfxFolder&) = delete;

    std::filesystem::path Effect(int n) const { return root / "Sfx" / (std::to_string(n) + ".wav"); }

    std::filesystem::path root;

private:
    std::filesystem::path previous;
};

// Runs a scope with SDL looking for an audio driver that does not exist: a machine with no sound.
class CNoAudioDevice {
public:
    CNoAudioDevice() {
        if (const char* value = std::getenv("SDL_AUDIODRIVER")) old = value, hadOld = true;
        setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    }
    ~CNoAudioDevice() {
        if (hadOld)
            setenv("SDL_AUDIODRIVER", old.c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
    }
    CNoAudioDevice(const CNoAudioDevice&) = delete;
    CNoAudioDevice& operator=(const CNoAudioDevice&) = delete;

private:
    std::string old;
    bool hadOld = false;
};

} // namespace sfxtest
