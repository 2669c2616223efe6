// The audio output on SDL2_mixer. SDL2_mixer has no per-channel frequency, so every sample keeps
// its decoded data and gets one converted chunk per playback frequency, built once and cached.
#pragma once

#include "platform/Audio.h"

#include <memory>
#include <thread>

namespace platform {

class CSDLAudioOutput final : public CAudioOutput {
public:
    CSDLAudioOutput();
    ~CSDLAudioOutput() override;
    CSDLAudioOutput(const CSDLAudioOutput&) = delete;
    CSDLAudioOutput& operator=(const CSDLAudioOutput&) = delete;

    bool Open(int rate, int channels) override;
    void Close() override;
    SampleHandle LoadSample(const std::string& path) override;
    bool PlaySample(SampleHandle sample, int frequency) override;
    // SDL2_mixer plays one music stream at a time: playing a second one replaces the first.
    StreamHandle OpenStream(const std::string& path, bool loop) override;
    void PlayStream(StreamHandle stream) override;
    void SetStreamVolume(StreamHandle stream, int volume) override;
    void StopStream(StreamHandle stream) override;
    void CloseStream(StreamHandle stream) override;

    // Playback frequencies are clamped to this band: far below it one short effect would turn
    // into minutes of audio held in memory.
    static constexpr int kMinFrequency = 1000;
    static constexpr int kMaxFrequency = 192000;

private:
    struct CImpl;
    std::unique_ptr<CImpl> impl;
};

// Opens SDL2_mixer and the libraries it brings on a thread of its own, so that their loading
// overlaps the rest of the start; the first output to open waits for it. Joined when destroyed.
class CMixerAhead {
public:
    CMixerAhead();
    ~CMixerAhead();
    CMixerAhead(const CMixerAhead&) = delete;
    CMixerAhead& operator=(const CMixerAhead&) = delete;

private:
    std::thread loader;
};

} // namespace platform
