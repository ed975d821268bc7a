// Sound through SDL's audio: a device opened for 16-bit mono that pulls blocks from the
// mixer on SDL's audio thread.
#include "backends/sdl/sdl_audio_timing.h"
#include "backends/sdl/sdl_backend.h"
#include "backends/sdl/sdl_frame_log.h"

#include "sound/audio_output.h"
#include "sound/mixer.h"

#include <dirent.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace luma {

namespace {

constexpr int deviceRate = 44100;
constexpr Uint16 framesPerCallback = 2048;

std::set<long> processThreads() {
    std::set<long> threads;
    if (DIR* folder = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(folder))
            if (long id = std::atol(entry->d_name))
                threads.insert(id);
        closedir(folder);
    }
    return threads;
}

// The threads that were there before SDL's audio started its own.
const std::set<long>& threadsBeforeAudio() {
    static const std::set<long> threads = processThreads();
    return threads;
}

// The audio subsystem starts on first use, apart from video, so that sound works or fails
// on its own.
bool audioStarted() {
    threadsBeforeAudio();
    static bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    return started;
}

// Busy programs at normal priority must not delay the device's next block. Its thread, and
// the sound server's client thread that wakes it (PulseAudio's runs at normal priority), take
// a real-time round-robin slot where the system grants one without asking (root, or an
// RLIMIT_RTPRIO above 0); elsewhere they keep what SDL gave them.
bool raiseToRealTime(long thread) {
    sched_param parameter{};
    parameter.sched_priority = sched_get_priority_min(SCHED_RR);
    return sched_setscheduler(static_cast<pid_t>(thread), SCHED_RR, &parameter) == 0;
}

int niceOf(long thread) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/task/%ld/stat", thread);
    FILE* file = std::fopen(path, "r");
    if (!file)
        return 0;
    int nice = 0;
    // Past the name in parentheses, the 17th field after the state is the nice value.
    int read = std::fscanf(file,
                           "%*d (%*[^)]) %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u "
                           "%*u %*d %*d %*d %d",
                           &nice);
    std::fclose(file);
    return read == 1 ? nice : 0;
}

// SDL's new threads but those it lowered on purpose (device hot-plug watching).
bool raiseAudioThreads() {
    bool raised = false;
    for (long thread : processThreads())
        if (!threadsBeforeAudio().count(thread) && niceOf(thread) <= 0)
            raised = raiseToRealTime(thread) || raised;
    return raised;
}

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
                           static_cast<int>(timing.latency()),
                           threadsRaised && priority.load() == raised);
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
        threadsRaised = raiseAudioThreads();
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
    bool threadsRaised = false;
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
