// Sound through SDL's audio: a device opened for 16-bit mono that pulls blocks from the
// mixer on SDL's audio thread.
#include "backends/sdl/sdl_backend.h"

#include "sound/audio_output.h"
#include "sound/mixer.h"

namespace luma {

namespace {

constexpr int deviceRate = 44100;
constexpr Uint16 framesPerCallback = 1024;

// The audio subsystem starts on first use, apart from video, so that sound works or fails
// on its own.
bool audioStarted() {
    static bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    return started;
}

class SdlAudioOutput final : public AudioOutput {
public:
    SdlAudioOutput(Mixer& source) : mixer(source) {}
    ~SdlAudioOutput() override {
        if (device)
            SDL_CloseAudioDevice(device);
    }

    bool open(const std::string& name) {
        SDL_AudioSpec wanted{};
        wanted.freq = deviceRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = framesPerCallback;
        wanted.callback = &SdlAudioOutput::fill;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        device =
            SDL_OpenAudioDevice(name.empty() ? nullptr : name.c_str(), 0, &wanted, &obtained, 0);
        if (device == 0)
            return false;
        frequency = static_cast<DWORD>(obtained.freq);
        SDL_PauseAudioDevice(device, 0);
        return true;
    }

    DWORD rate() const override { return frequency; }
    void bufferMade(DWORD) override {}
    void catchUp() override {}

private:
    // On SDL's audio thread: nothing here waits for files, logs or the program.
    static void SDLCALL fill(void* self, Uint8* stream, int length) {
        auto& output = *static_cast<SdlAudioOutput*>(self);
        output.mixer.render(reinterpret_cast<int16_t*>(stream),
                            static_cast<size_t>(length) / sizeof(int16_t), output.frequency);
    }

    Mixer& mixer;
    SDL_AudioDeviceID device = 0;
    DWORD frequency = deviceRate;
};

} // namespace

bool SdlBackend::audioDevices(std::vector<AudioDeviceInfo>& devices) {
    if (!audioStarted())
        return false;
    const char* driver = SDL_GetCurrentAudioDriver();
    int count = SDL_GetNumAudioDevices(0);
    for (int i = 0; i < count; ++i)
        if (const char* name = SDL_GetAudioDeviceName(i, 0))
            devices.push_back({name, driver ? driver : ""});
    return true;
}

std::unique_ptr<AudioOutput> SdlBackend::openAudio(const std::string& device, Mixer& mixer) {
    if (!audioStarted())
        return nullptr;
    auto output = std::make_unique<SdlAudioOutput>(mixer);
    if (!output->open(device))
        return nullptr;
    return output;
}

} // namespace luma
