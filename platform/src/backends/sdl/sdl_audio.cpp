// Sound through SDL's audio: a device opened for 16-bit mono that pulls blocks from the
// mixer on SDL's audio thread.
#include "backends/sdl/sdl_audio_timing.h"
#include "backends/sdl/sdl_backend.h"
#include "backends/sdl/sdl_frame_log.h"

#include "sound/audio_output.h"
#include "sound/mixer.h"

#include <pthread.h>
#include <sched.h>

#include <atomic>

namespace luma {

namespace {

constexpr int deviceRate = 44100;
// 46 ms blocks: with the raised thread, enough to ride out a busy machine's scheduling; the
// cursors account for what the device holds, so the picture keeps its place in the sound.
constexpr Uint16 framesPerCallback = 2048;

// The audio subsystem starts on first use, apart from video, so that sound works or fails
// on its own.
bool audioStarted() {
    static bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    return started;
}

// Busy programs at normal priority must not delay the device's next block: its thread (which
// also talks to the sound server) takes a real-time round-robin slot where the system grants
// one without asking (root, or an RLIMIT_RTPRIO above 0); elsewhere it keeps what SDL gave it
// (the lowest nice value allowed).
bool raiseAudioThread() {
    sched_param parameter{};
    parameter.sched_priority = sched_get_priority_min(SCHED_RR);
    return pthread_setschedparam(pthread_self(), SCHED_RR, &parameter) == 0;
}

class SdlAudioOutput final : public AudioOutput {
public:
    SdlAudioOutput(Mixer& source) : mixer(source) {}
    ~SdlAudioOutput() override {
        if (device)
            SDL_CloseAudioDevice(device);
        if (device && frameLogEnabled())
            logAudioDevice(static_cast<int>(frequency), static_cast<int>(timing.period()),
                           static_cast<int>(timing.latency()), priority.load() == raised);
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
        timing = AudioTiming(obtained.samples, frequency);
        SDL_PauseAudioDevice(device, 0);
        return true;
    }

    DWORD rate() const override { return frequency; }
    void bufferMade(DWORD) override {}
    void catchUp() override {}
    DWORD queuedFrames() const override {
        return timing.queued(lastBlock.load(std::memory_order_acquire), SDL_GetPerformanceCounter(),
                             SDL_GetPerformanceFrequency());
    }

private:
    enum PriorityState { untried, raised, normal };

    // On SDL's audio thread: nothing here waits for files, logs or the program.
    static void SDLCALL fill(void* self, Uint8* stream, int length) {
        auto& output = *static_cast<SdlAudioOutput*>(self);
        if (output.priority.load(std::memory_order_relaxed) == untried)
            output.priority.store(raiseAudioThread() ? raised : normal);
        output.mixer.render(reinterpret_cast<int16_t*>(stream),
                            static_cast<size_t>(length) / sizeof(int16_t), output.frequency);
        output.lastBlock.store(SDL_GetPerformanceCounter(), std::memory_order_release);
    }

    Mixer& mixer;
    SDL_AudioDeviceID device = 0;
    DWORD frequency = deviceRate;
    AudioTiming timing{framesPerCallback, deviceRate};
    std::atomic<Uint64> lastBlock{0};
    std::atomic<int> priority{untried};
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
