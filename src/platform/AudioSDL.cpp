// The audio output on SDL2_mixer: decoded samples, chunks converted per playback frequency, the
// music stream, the limiter on the mix, and the silent mode used when the machine has no audio
// device.
#include "platform/AudioSDL.h"
#include "platform/MixLimiter.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <map>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

namespace platform {

namespace {

// The device is asked for stereo; effects are converted to whatever layout it grants.
constexpr int kSpeakerChannels = 2;
// The mixer adds channels in floating point, which does not saturate, so the limiter sees the
// true sum; SDL converts the limited mix to whatever the device plays.
constexpr SDL_AudioFormat kMixFormat = AUDIO_F32SYS;
// About 23 ms at 44100 Hz: short enough that an effect starts with its event.
constexpr int kMixerBufferFrames = 1024;
// A converted chunk larger than this is refused rather than allocated: no effect of ours comes
// near it, and a hostile file claiming a tiny rate must not eat the memory.
constexpr std::size_t kMaxChunkBytes = 64u << 20;

// SDL2_mixer's functions, looked up when the library is opened. The program loader does not open
// it: it brings fluidsynth, glib, modplug and a dozen more libraries, whose loading would hold up
// every start before main. CMixerAhead opens it on a thread of its own early in the start.
struct CMixer {
    decltype(&Mix_Init) Init;
    decltype(&Mix_Quit) Quit;
    decltype(&Mix_OpenAudioDevice) OpenAudioDevice;
    decltype(&Mix_CloseAudio) CloseAudio;
    decltype(&Mix_QuerySpec) QuerySpec;
    decltype(&Mix_AllocateChannels) AllocateChannels;
    decltype(&Mix_SetPostMix) SetPostMix;
    decltype(&Mix_QuickLoad_RAW) QuickLoadRaw;
    decltype(&Mix_FreeChunk) FreeChunk;
    decltype(&Mix_PlayChannelTimed) PlayChannelTimed;
    decltype(&Mix_HaltChannel) HaltChannel;
    decltype(&Mix_LoadMUS) LoadMusic;
    decltype(&Mix_FreeMusic) FreeMusic;
    decltype(&Mix_PlayMusic) PlayMusic;
    decltype(&Mix_VolumeMusic) VolumeMusic;
    decltype(&Mix_HaltMusic) HaltMusic;
};

// Null when the library or one of its functions is missing: the output then opens nothing and
// stays quiet, as on a machine without an audio device.
const CMixer* LoadMixer() {
    void* library = dlopen("libSDL2_mixer-2.0.so.0", RTLD_LAZY | RTLD_LOCAL);
    if (!library) return nullptr;
    static CMixer mixer;
    bool found = true;
    const auto bind = [&](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
        found = found && function;
    };
    bind(mixer.Init, "Mix_Init");
    bind(mixer.Quit, "Mix_Quit");
    bind(mixer.OpenAudioDevice, "Mix_OpenAudioDevice");
    bind(mixer.CloseAudio, "Mix_CloseAudio");
    bind(mixer.QuerySpec, "Mix_QuerySpec");
    bind(mixer.AllocateChannels, "Mix_AllocateChannels");
    bind(mixer.SetPostMix, "Mix_SetPostMix");
    bind(mixer.QuickLoadRaw, "Mix_QuickLoad_RAW");
    bind(mixer.FreeChunk, "Mix_FreeChunk");
    bind(mixer.PlayChannelTimed, "Mix_PlayChannelTimed");
    bind(mixer.HaltChannel, "Mix_HaltChannel");
    bind(mixer.LoadMusic, "Mix_LoadMUS");
    bind(mixer.FreeMusic, "Mix_FreeMusic");
    bind(mixer.PlayMusic, "Mix_PlayMusic");
    bind(mixer.VolumeMusic, "Mix_VolumeMusic");
    bind(mixer.HaltMusic, "Mix_HaltMusic");
    if (found) return &mixer;
    dlclose(library);
    return nullptr;
}

// Opened once, by whichever thread asks first; the others wait for it.
const CMixer* Mixer() {
    static const CMixer* const mixer = LoadMixer();
    return mixer;
}

// For the places that run only while the output is open, and so after the library was found.
const CMixer& Mix() { return *Mixer(); }

// A mixer chunk over a buffer we own; the mixer halts every channel playing it when it is freed.
class CChunk {
public:
    explicit CChunk(std::vector<float> data)
        : frames(std::move(data)),
          chunk(Mix().QuickLoadRaw(reinterpret_cast<Uint8*>(frames.data()),
                                   Uint32(frames.size() * sizeof(float)))) {}
    ~CChunk() {
        if (chunk) Mix().FreeChunk(chunk);
    }
    CChunk(const CChunk&) = delete;
    CChunk& operator=(const CChunk&) = delete;

    std::vector<float> frames;
    Mix_Chunk* chunk;
};

struct CSample {
    SDL_AudioFormat format = 0;
    int channels = 0;
    int frequency = 0;
    std::vector<Uint8> data;  // whole frames, as the file recorded them
    std::vector<float> pcm;   // the same frames in the mixer's format, made when first needed
    std::map<int, std::unique_ptr<CChunk>> chunks; // by playback frequency

    std::size_t FrameBytes() const { return std::size_t(SDL_AUDIO_BITSIZE(format) / 8) * std::size_t(channels); }
};

struct CStream {
    Mix_Music* music = nullptr;
    bool loop = false;
};

// The frames recorded at rateIn as the device plays them at rateOut, interpolated linearly the
// way the software mixers of the effects' era did. The length is exact: frames * rateOut / rateIn,
// rounded, which the converters of SDL's own audio streams do not promise.
std::vector<float> Resample(const std::vector<float>& in, int channels, int rateIn, int rateOut) {
    const std::size_t ch = std::size_t(channels);
    const std::uint64_t framesIn = in.size() / ch;
    const std::uint64_t framesOut = (framesIn * std::uint64_t(rateOut) + std::uint64_t(rateIn) / 2) / std::uint64_t(rateIn);
    std::vector<float> out(std::size_t(framesOut) * ch);
    for (std::uint64_t i = 0; i < framesOut; ++i) {
        // Integer positions: no drift however long the sample is.
        const std::uint64_t position = i * std::uint64_t(rateIn);
        const std::uint64_t at = std::min(position / std::uint64_t(rateOut), framesIn - 1);
        const std::uint64_t next = std::min(at + 1, framesIn - 1);
        const double t = double(position % std::uint64_t(rateOut)) / rateOut;
        for (std::size_t c = 0; c < ch; ++c) {
            const double a = in[at * ch + c], b = in[next * ch + c];
            out[i * ch + c] = float(a + (b - a) * t);
        }
    }
    return out;
}

} // namespace

struct CSDLAudioOutput::CImpl {
    bool subsystem = false; // SDL's audio subsystem and the mixer's decoders are initialised
    bool open = false;      // the mixer has a device
    int rate = 0;
    int channels = 0;
    std::vector<CSample> samples;
    std::vector<CStream> streams;
    StreamHandle playing = kNoStream;
    std::unique_ptr<CMixLimiter> limiter; // while open; used on the mixer's thread

    static void LimitMix(void* self, Uint8* stream, int bytes) {
        CImpl& impl = *static_cast<CImpl*>(self);
        impl.limiter->Process(reinterpret_cast<float*>(stream),
                              std::size_t(bytes) / impl.OutputFrameBytes(), impl.channels);
    }

    CSample* Find(SampleHandle handle) {
        return handle >= 0 && std::size_t(handle) < samples.size() ? &samples[std::size_t(handle)] : nullptr;
    }
    Mix_Music* FindMusic(StreamHandle handle) const {
        return handle >= 0 && std::size_t(handle) < streams.size() ? streams[std::size_t(handle)].music : nullptr;
    }
    std::size_t OutputFrameBytes() const { return sizeof(float) * std::size_t(channels); }

    // The chunk that plays the sample at that frequency (0: its own), converted on first use.
    CChunk* Chunk(CSample& sample, int frequency) {
        if (!open) return nullptr;
        const int rateIn = frequency == 0 ? sample.frequency
                                          : std::clamp(frequency, kMinFrequency, kMaxFrequency);
        auto found = sample.chunks.find(rateIn);
        if (found != sample.chunks.end()) return found->second.get();
        auto chunk = Convert(sample, rateIn);
        CChunk* result = chunk.get();
        // A failed conversion is remembered too, so a bad sample is not converted again per play.
        sample.chunks.emplace(rateIn, std::move(chunk));
        return result;
    }

    // Treats the recorded frames as if they had been taken at rateIn and converts them to the
    // device's rate and format: that is what playing at another frequency means.
    std::unique_ptr<CChunk> Convert(CSample& sample, int rateIn) const {
        if (!Fits(sample, rateIn) || (sample.pcm.empty() && !ToDeviceFormat(sample))) return nullptr;
        auto chunk = std::make_unique<CChunk>(rateIn == rate ? sample.pcm : Resample(sample.pcm, channels, rateIn, rate));
        return chunk->chunk && !chunk->frames.empty() ? std::move(chunk) : nullptr;
    }

    // Whether the sample played as if recorded at rateIn stays within a chunk's size at the
    // device's rate.
    bool Fits(const CSample& sample, int rateIn) const {
        const double frames = double(sample.data.size() / sample.FrameBytes());
        return frames * rate / rateIn * double(OutputFrameBytes()) <= double(kMaxChunkBytes);
    }

    // Sample format and speaker layout as the mixer wants them, at the sample's own rate; with
    // equal rates SDL's stream converts every frame and drops none.
    bool ToDeviceFormat(CSample& sample) const {
        SDL_AudioStream* stream = SDL_NewAudioStream(sample.format, Uint8(sample.channels), sample.frequency,
                                                     kMixFormat, Uint8(channels), sample.frequency);
        if (!stream) return false;
        bool ok = SDL_AudioStreamPut(stream, sample.data.data(), int(sample.data.size())) == 0 &&
                  SDL_AudioStreamFlush(stream) == 0;
        if (ok) {
            sample.pcm.resize(std::size_t(SDL_AudioStreamAvailable(stream)) / sizeof(float));
            const int got = SDL_AudioStreamGet(stream, sample.pcm.data(), int(sample.pcm.size() * sizeof(float)));
            ok = got >= 0;
            sample.pcm.resize(ok ? std::size_t(got) / sizeof(float) / std::size_t(channels) * std::size_t(channels) : 0);
        }
        SDL_FreeAudioStream(stream);
        return ok && !sample.pcm.empty();
    }
};

CSDLAudioOutput::CSDLAudioOutput() : impl(std::make_unique<CImpl>()) {}

CSDLAudioOutput::~CSDLAudioOutput() { Close(); }

bool CSDLAudioOutput::Open(int rate, int channels) {
    Close();
    if (!Mixer() || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix().Init(MIX_INIT_MP3);
    impl->subsystem = true;
    // The device may run at another rate or speaker layout, but the mixer always works on the
    // format the chunks are converted to.
    if (Mix().OpenAudioDevice(rate, kMixFormat, kSpeakerChannels, kMixerBufferFrames, nullptr,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) != 0) {
        Close();
        return false;
    }
    impl->open = true;
    Mix().AllocateChannels(channels);
    Uint16 format = 0;
    Mix().QuerySpec(&impl->rate, &format, &impl->channels);
    impl->limiter = std::make_unique<CMixLimiter>(impl->rate);
    Mix().SetPostMix(&CImpl::LimitMix, impl.get());
    return true;
}

void CSDLAudioOutput::Close() {
    if (impl->open) {
        Mix().SetPostMix(nullptr, nullptr);
        Mix().HaltChannel(-1);
    }
    for (StreamHandle s = 0; s < StreamHandle(impl->streams.size()); ++s) CloseStream(s);
    impl->streams.clear();
    impl->samples.clear();
    if (impl->open) Mix().CloseAudio();
    impl->limiter.reset();
    if (impl->subsystem) {
        Mix().Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    impl->open = impl->subsystem = false;
    impl->rate = impl->channels = 0;
}

SampleHandle CSDLAudioOutput::LoadSample(const std::string& path) {
    SDL_AudioSpec spec{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.c_str(), &spec, &buffer, &length)) return kNoSample;
    CSample sample;
    sample.format = spec.format;
    sample.channels = spec.channels;
    sample.frequency = spec.freq;
    if (length <= Uint32(INT_MAX)) sample.data.assign(buffer, buffer + length);
    SDL_FreeWAV(buffer);
    if (sample.frequency <= 0 || sample.channels <= 0 || sample.FrameBytes() == 0 || sample.data.empty())
        return kNoSample;
    sample.data.resize(sample.data.size() - sample.data.size() % sample.FrameBytes());
    // The device's format now proves the sample plays; the change of rate waits for its first Play,
    // which keeps that work and its memory off the game's start.
    if (impl->open && (!impl->Fits(sample, sample.frequency) || !impl->ToDeviceFormat(sample)))
        return kNoSample;
    impl->samples.push_back(std::move(sample));
    return SampleHandle(impl->samples.size() - 1);
}

bool CSDLAudioOutput::PlaySample(SampleHandle sample, int frequency) {
    CSample* found = impl->Find(sample);
    CChunk* chunk = found ? impl->Chunk(*found, frequency) : nullptr;
    return chunk && Mix().PlayChannelTimed(-1, chunk->chunk, 0, -1) >= 0;
}

StreamHandle CSDLAudioOutput::OpenStream(const std::string& path, bool loop) {
    if (!impl->open) return kNoStream;
    Mix_Music* music = Mix().LoadMusic(path.c_str());
    if (!music) return kNoStream;
    impl->streams.push_back({music, loop});
    return StreamHandle(impl->streams.size() - 1);
}

void CSDLAudioOutput::PlayStream(StreamHandle stream) {
    Mix_Music* music = impl->FindMusic(stream);
    if (!music) return;
    if (Mix().PlayMusic(music, impl->streams[std::size_t(stream)].loop ? -1 : 1) == 0) impl->playing = stream;
}

void CSDLAudioOutput::SetStreamVolume(StreamHandle stream, int volume) {
    if (impl->FindMusic(stream)) Mix().VolumeMusic((std::clamp(volume, 0, 255) * MIX_MAX_VOLUME + 127) / 255);
}

void CSDLAudioOutput::StopStream(StreamHandle stream) {
    if (impl->FindMusic(stream) && impl->playing == stream) {
        Mix().HaltMusic();
        impl->playing = kNoStream;
    }
}

void CSDLAudioOutput::CloseStream(StreamHandle stream) {
    Mix_Music* music = impl->FindMusic(stream);
    if (!music) return;
    StopStream(stream);
    Mix().FreeMusic(music);
    impl->streams[std::size_t(stream)].music = nullptr;
}

std::unique_ptr<CAudioOutput> CreateSDLAudioOutput() { return std::make_unique<CSDLAudioOutput>(); }

CMixerAhead::CMixerAhead() {
    try {
        loader = std::thread(Mixer);
    } catch (const std::system_error&) {
        // No thread to be had: the output opens the library when it opens.
    }
}

CMixerAhead::~CMixerAhead() {
    if (loader.joinable()) loader.join();
}

} // namespace platform
