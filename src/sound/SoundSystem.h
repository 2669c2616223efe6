// The process-wide sound system: the eight effects from Sfx\0.wav .. Sfx\7.wav and the looping
// music Sfx\muza.mp3, played through the platform's audio output.
#pragma once

#include "platform/Audio.h"

#include <array>
#include <memory>

class CSoundSystem {
public:
    static constexpr int kEffectCount = 8;
    static constexpr int kMixingRate = 44100;
    static constexpr int kChannels = 16;
    static constexpr int kMusicVolume = 192; // of 255

    // Opens the output, loads every effect and starts the music. A missing or unreadable effect
    // throws vexo::CError (source "Sfx") naming the file; the error is in Errors.log by then.
    // The output may have no device: the game then runs silent instead of failing.
    CSoundSystem();
    explicit CSoundSystem(std::unique_ptr<platform::CAudioOutput> output);
    ~CSoundSystem();
    CSoundSystem(const CSoundSystem&) = delete;
    CSoundSystem& operator=(const CSoundSystem&) = delete;

    // Starts effect number (0 to 7) on a free channel, overlapping whatever already plays;
    // frequency 0 keeps the effect's own rate, any other value plays it at that many Hz.
    // Other numbers play nothing.
    void Play(int number, int frequency);

    // The running sound system, or nullptr when there is none (callers then play nothing).
    static CSoundSystem* Instance();

private:
    std::unique_ptr<platform::CAudioOutput> output;
    std::array<platform::SampleHandle, kEffectCount> effects{};
    platform::StreamHandle music = platform::kNoStream;
};
