#include "backends/headless/headless_backend.h"
#include "sound/audio_output.h"
#include "sound/mixer.h"
#include "sound/sound_settings.h"

#include <algorithm>

namespace luma {

namespace {

constexpr DWORD lowestRate = 8000;
constexpr DWORD highestRate = 48000;

// What the virtual device has played, the mixers of the devices open now and the clock
// they play by. Process-wide, as a sound card is: it outlives any one device.
struct VirtualSpeaker {
    SoundRecording recording;
    std::vector<Mixer*> mixers;
    const HeadlessBackend* clock = nullptr;
};

VirtualSpeaker& speaker() {
    static VirtualSpeaker shared;
    return shared;
}

// Frame k of the recording sounds at virtual time k / rate seconds after the start.
void playUntilNow() {
    SoundRecording& recording = speaker().recording;
    const HeadlessBackend* clock = speaker().clock;
    if (recording.rate == 0 || !clock)
        return;
    // The exact clock, not its milliseconds: the recording ends on a frame's sample.
    size_t due = static_cast<size_t>(clock->now().samplesAt(recording.rate));
    size_t done = recording.samples.size();
    if (due <= done)
        return;
    recording.samples.resize(due, 0);
    std::vector<Mixer*>& mixers = speaker().mixers;
    if (mixers.empty())
        return;
    int16_t* out = recording.samples.data() + done;
    size_t count = due - done;
    mixers.front()->render(out, count, recording.rate);
    // Devices open at the same time are heard together.
    std::vector<int16_t> more(mixers.size() > 1 ? count : 0);
    for (size_t i = 1; i < mixers.size(); ++i) {
        mixers[i]->render(more.data(), count, recording.rate);
        for (size_t k = 0; k < count; ++k)
            out[k] = static_cast<int16_t>(std::clamp(out[k] + more[k], -32768, 32767));
    }
}

void chooseRate(DWORD rate) {
    SoundRecording& recording = speaker().recording;
    if (recording.rate == 0 && rate != 0)
        recording.rate = std::clamp(rate, lowestRate, highestRate);
}

class HeadlessAudioOutput final : public AudioOutput {
public:
    explicit HeadlessAudioOutput(Mixer& source) : mixer(source) {
        playUntilNow();
        chooseRate(soundSettings().headlessRate);
        speaker().mixers.push_back(&mixer);
    }
    ~HeadlessAudioOutput() override {
        playUntilNow();
        auto& mixers = speaker().mixers;
        mixers.erase(std::remove(mixers.begin(), mixers.end(), &mixer), mixers.end());
    }

    DWORD rate() const override { return speaker().recording.rate; }
    void bufferMade(DWORD rate) override { chooseRate(rate); }
    void catchUp() override { playUntilNow(); }

private:
    Mixer& mixer;
};

} // namespace

const SoundRecording& HeadlessBackend::soundPlayed() {
    speaker().clock = this;
    playUntilNow();
    return speaker().recording;
}

bool HeadlessBackend::audioDevices(std::vector<AudioDeviceInfo>& devices) {
    devices.push_back({"Headless virtual speaker", "headless"});
    return true;
}

std::unique_ptr<AudioOutput> HeadlessBackend::openAudio(const std::string&, Mixer& mixer) {
    speaker().clock = this;
    return std::make_unique<HeadlessAudioOutput>(mixer);
}

} // namespace luma
