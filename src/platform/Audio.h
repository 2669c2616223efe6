// The audio output the sound system plays through: effect samples on free channels and one music
// stream. Shaped by what the game needs, with plain handles, so no caller ever sees SDL.
#pragma once

#include <memory>
#include <string>

namespace platform {

using SampleHandle = int;
using StreamHandle = int;
inline constexpr SampleHandle kNoSample = -1;
inline constexpr StreamHandle kNoStream = -1;

class CAudioOutput {
public:
    virtual ~CAudioOutput() = default;

    // Opens the output mixing at rate Hz with that many effect channels. False means the output
    // stays silent; every other call still works, so the caller may ignore the result.
    virtual bool Open(int rate, int channels) = 0;
    // Stops everything and frees every sample and stream; Open may be called again afterwards.
    virtual void Close() = 0;

    // Decodes a WAV file (host path) into a sample that keeps its own frequency. kNoSample when
    // the file is missing or cannot be decoded, even on a silent output.
    virtual SampleHandle LoadSample(const std::string& path) = 0;
    // Starts the sample on a free channel; frequency 0 plays it at its own rate, any other value
    // plays it as if it had been recorded at that rate (higher is faster and higher-pitched).
    // False when nothing started: a silent output, all channels busy, an unknown handle.
    virtual bool PlaySample(SampleHandle sample, int frequency) = 0;

    // Opens a music file (host path) for streaming; kNoStream when it cannot be opened.
    virtual StreamHandle OpenStream(const std::string& path, bool loop) = 0;
    virtual void PlayStream(StreamHandle stream) = 0;
    // Volume 0 (mute) to 255 (full).
    virtual void SetStreamVolume(StreamHandle stream, int volume) = 0;
    virtual void StopStream(StreamHandle stream) = 0;
    virtual void CloseStream(StreamHandle stream) = 0;
};

// The output on SDL2_mixer (see platform/AudioSDL.h); silent when no audio device can be opened.
std::unique_ptr<CAudioOutput> CreateSDLAudioOutput();

} // namespace platform
