// A recording audio output: notes every call as a line of text and plays nothing. Samples and
// streams "open" when their file exists, so tests steer it with the files they write.
#pragma once

#include "platform/Audio.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace sfxtest {

class CRecordingAudio final : public platform::CAudioOutput {
public:
    // The log outlives the output, which the sound system owns and destroys.
    using Log = std::shared_ptr<std::vector<std::string>>;
    explicit CRecordingAudio(Log log) : log(std::move(log)) {}

    // Sample handles start at 100 so a test notices an effect number passed as a handle.
    static constexpr platform::SampleHandle kFirstSample = 100;

    bool Open(int, int) override { return true; }
    void Close() override { Note("Close"); }
    platform::SampleHandle LoadSample(const std::string& path) override {
        return std::filesystem::exists(path) ? kFirstSample + loaded++ : platform::kNoSample;
    }
    bool PlaySample(platform::SampleHandle sample, int frequency) override {
        Note("PlaySample " + std::to_string(sample) + " " + std::to_string(frequency));
        return true;
    }
    platform::StreamHandle OpenStream(const std::string& path, bool) override {
        return std::filesystem::exists(path) ? 7 : platform::kNoStream;
    }
    void PlayStream(platform::StreamHandle) override {}
    void SetStreamVolume(platform::StreamHandle stream, int volume) override {
        Note("SetStreamVolume " + std::to_string(stream) + " " + std::to_string(volume));
    }
    void StopStream(platform::StreamHandle) override {}
    void CloseStream(platform::StreamHandle stream) override { Note("CloseStream " + std::to_string(stream)); }

private:
    void Note(const std::string& line) { log->push_back(line); }

    Log log;
    int loaded = 0;
};

} // namespace sfxtest
