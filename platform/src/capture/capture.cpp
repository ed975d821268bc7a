#include "capture/capture.h"

#include "backends/recorded_run.h"
#include "capture/ffmpeg_recorder.h"
#include "capture/file_output.h"
#include "capture/png_queue.h"
#include "capture/png_writer.h"
#include "capture/progress_line.h"
#include "capture/screenshot_list.h"
#include "capture/stale_partials.h"
#include "capture/wav_writer.h"
#include "core/platform.h"
#include "core/stop_request.h"

#include <luma/platform.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unistd.h>

namespace luma {

namespace {

// The rate of the silence written when the program never opened a sound device.
constexpr uint32_t silentRate = 22050;

// "Glimmerfall: wrote demo.mp4 (2:56.617, 148.2 MB)": what a long recording leaves behind.
void sayWritten(const std::string& path, uint64_t milliseconds) {
    std::error_code error;
    uintmax_t bytes = std::filesystem::file_size(path, error);
    std::fprintf(stderr, "%s: wrote %s (%llu:%06.3f, %.1f MB)\n", program_invocation_short_name,
                 path.c_str(), static_cast<unsigned long long>(milliseconds / 60000),
                 (milliseconds % 60000) / 1000.0, error ? 0.0 : bytes / 1e6);
}

// "Glimmerfall: stopped at 0:21 of 2:56 - wrote demo.mp4": a capture cut short by a signal
// keeps what it has, and says how much of the run that is.
void sayStopped(uint64_t milliseconds, uint64_t expected, const std::vector<std::string>& files) {
    std::string written;
    for (const std::string& file : files)
        written += (written.empty() ? "" : " and ") + file;
    std::fprintf(stderr, "%s: stopped at %s%s - wrote %s\n", program_invocation_short_name,
                 minutesAndSeconds(milliseconds / 1000.0).c_str(),
                 expected ? (" of " + minutesAndSeconds(expected / 1000.0)).c_str() : "",
                 written.empty() ? "nothing" : written.c_str());
}

struct CapturedSound {
    uint32_t rate = 0;
    std::vector<int16_t> samples;
};

class CaptureSession final : public ClockWatcher {
public:
    CaptureSession(RecordedRun& recorded, const CaptureRequest& what, ScreenshotList shots,
                   int width, int height, uint64_t stopAt)
        : run(recorded), request(what), screenshots(std::move(shots)),
          framesPerSecond(recorded.now().framesPerSecond), frameWidth(width), frameHeight(height),
          progress(::isatty(STDERR_FILENO) != 0, stopAt) {}

    bool start(std::string& problem);
    void expectEnd(uint64_t milliseconds) { progress.expectEnd(milliseconds); }
    void clockMoved(const ShownPage& page, VirtualTime now) override;
    bool finish(std::string& problem);

private:
    const RgbFrame& converted(const ShownPage& page);
    const YuvFrame& convertedForVideo(const ShownPage& page);
    void fail(const std::string& problem);
    bool wantsEveryFrame() const {
        return !request.videoPath.empty() || !request.framesFolder.empty();
    }
    std::string framePath(uint64_t index) const;
    CapturedSound soundOfTheFrames() const;
    // Hands the video's encoder the sound of the frames so far: what the device played,
    // and at the end silence after the device closed.
    bool feedVideoSound(bool toTheEnd, std::string& problem);

    RecordedRun& run;
    CaptureRequest request;
    ScreenshotList screenshots;
    int framesPerSecond;
    int frameWidth;
    int frameHeight;
    ProgressLine progress;
    FfmpegRecorder recorder;
    std::unique_ptr<PngQueue> frameFiles;
    uint64_t framesDone = 0;
    uint64_t soundFed = 0; // samples handed to the video's encoder
    uint64_t lastMilliseconds = 0;
    RgbFrame frame;
    bool frameCurrent = false;
    YuvFrame videoFrame;
    bool videoFrameCurrent = false;
    std::string failure;
};

bool CaptureSession::start(std::string& problem) {
    // Files that cannot be made are found now, not after a long run; what a killed run of
    // the same files left goes.
    for (const std::string* path : {&request.videoPath, &request.soundPath}) {
        if (!path->empty() && !canCreate(*path, problem))
            return false;
        if (!path->empty())
            removeStalePartials(*path);
    }
    for (const Screenshot* shot : screenshots.notTaken())
        if (!canCreate(shot->path, problem))
            return false;
    if (!request.framesFolder.empty()) {
        std::error_code error;
        std::filesystem::create_directories(request.framesFolder, error);
        if (error) {
            problem = "cannot make the folder " + request.framesFolder + ": " + error.message();
            return false;
        }
        frameFiles = std::make_unique<PngQueue>();
    }
    if (!request.videoPath.empty()) {
        problem = FfmpegRecorder::missingProgramProblem();
        if (!problem.empty())
            return false;
        return recorder.start(request.videoPath, framesPerSecond, frameWidth, frameHeight, problem);
    }
    return true;
}

const YuvFrame& CaptureSession::convertedForVideo(const ShownPage& page) {
    if (!videoFrameCurrent)
        pageToYuv420(page, frameWidth, frameHeight, videoFrame);
    videoFrameCurrent = true;
    return videoFrame;
}

const RgbFrame& CaptureSession::converted(const ShownPage& page) {
    if (!frameCurrent)
        pageToRgb(page, frameWidth, frameHeight, frame);
    frameCurrent = true;
    return frame;
}

// The run ends as if a key were pressed; the files stay unfinished.
void CaptureSession::fail(const std::string& problem) {
    if (!failure.empty())
        return;
    failure = problem;
    recorder.abandon();
    requestStop();
}

std::string CaptureSession::framePath(uint64_t index) const {
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%06llu.png", static_cast<unsigned long long>(index));
    return request.framesFolder + name;
}

void CaptureSession::clockMoved(const ShownPage& page, VirtualTime now) {
    if (!failure.empty())
        return;
    frameCurrent = false;
    videoFrameCurrent = false;
    std::string problem;
    for (; framesDone < now.framesStarted(); ++framesDone) {
        if (!wantsEveryFrame())
            continue;
        if (!request.videoPath.empty() && !recorder.addFrame(convertedForVideo(page), problem))
            return fail(problem);
        if (frameFiles && !frameFiles->add(framePath(framesDone), converted(page), problem))
            return fail(problem);
    }
    if (!request.videoPath.empty() && !feedVideoSound(false, problem))
        return fail(problem);
    for (Screenshot* shot : screenshots.due(now)) {
        if (!writePng(shot->path, converted(page), problem))
            return fail(problem);
        shot->taken = true;
    }
    lastMilliseconds = now.milliseconds();
    progress.update(lastMilliseconds, framesDone);
}

// Exactly what the device played while the captured frames were on screen: frames x rate
// / fps samples, silence after the device closed.
CapturedSound CaptureSession::soundOfTheFrames() const {
    const SoundRecording& recording = run.soundPlayed();
    CapturedSound sound;
    sound.rate = recording.rate ? recording.rate : silentRate;
    size_t count =
        static_cast<size_t>(framesDone * sound.rate / static_cast<uint64_t>(framesPerSecond));
    size_t played = std::min(count, recording.samples.size());
    sound.samples.assign(recording.samples.begin(),
                         recording.samples.begin() + static_cast<std::ptrdiff_t>(played));
    sound.samples.resize(count, 0);
    return sound;
}

bool CaptureSession::feedVideoSound(bool toTheEnd, std::string& problem) {
    const SoundRecording& recording = run.soundPlayed();
    uint32_t rate = recording.rate ? recording.rate : silentRate;
    if (!recording.rate && !toTheEnd)
        return true;
    uint64_t due = framesDone * rate / static_cast<uint64_t>(framesPerSecond);
    uint64_t played = std::min<uint64_t>(due, recording.samples.size());
    if (played > soundFed) {
        if (!recorder.addSound(&recording.samples[soundFed], played - soundFed, rate, problem))
            return false;
        soundFed = played;
    }
    if (!toTheEnd)
        return true;
    const std::vector<int16_t> silence(rate, 0); // a second at a time
    while (soundFed < due) {
        uint64_t count = std::min<uint64_t>(due - soundFed, silence.size());
        if (!recorder.addSound(silence.data(), count, rate, problem))
            return false;
        soundFed += count;
    }
    return true;
}

bool CaptureSession::finish(std::string& problem) {
    progress.finish();
    std::string framesProblem;
    if (frameFiles && !frameFiles->finish(framesProblem) && failure.empty())
        fail(framesProblem);
    if (!failure.empty()) {
        problem = failure;
        return false;
    }
    for (const Screenshot* shot : screenshots.notTaken()) {
        recorder.abandon();
        problem = "the demo ended at " + std::to_string(lastMilliseconds) +
                  " ms, before the screenshot at " + std::to_string(shot->milliseconds) + " ms (" +
                  shot->path + ")";
        return false;
    }
    uint64_t capturedMilliseconds = framesDone * 1000 / static_cast<uint64_t>(framesPerSecond);
    if (!request.soundPath.empty()) {
        CapturedSound sound = soundOfTheFrames();
        if (!writeWav(request.soundPath, sound.samples, sound.rate, problem)) {
            recorder.abandon();
            return false;
        }
    }
    if (!request.videoPath.empty() && (!feedVideoSound(true, problem) || !recorder.finish(problem)))
        return false;
    if (stopSignal() != 0) {
        std::vector<std::string> written;
        for (const std::string* path :
             {&request.videoPath, &request.soundPath, &request.framesFolder})
            if (!path->empty())
                written.push_back(*path);
        sayStopped(capturedMilliseconds, progress.expectedEnd(), written);
    } else if (!request.videoPath.empty()) {
        sayWritten(request.videoPath, capturedMilliseconds);
    }
    return true;
}

struct PendingCapture {
    CaptureRequest request;
    ScreenshotList screenshots;
    bool asked() const {
        return !request.videoPath.empty() || !request.framesFolder.empty() ||
               !request.soundPath.empty() || !screenshots.empty();
    }
};

PendingCapture& pending() {
    static PendingCapture asked;
    return asked;
}

std::unique_ptr<CaptureSession>& session() {
    static std::unique_ptr<CaptureSession> running;
    return running;
}

BOOL report(bool ok, const std::string& problem, char* text, int size) {
    if (text && size > 0)
        std::snprintf(text, static_cast<size_t>(size), "%s", ok ? "" : problem.c_str());
    return ok ? TRUE : FALSE;
}

} // namespace

} // namespace luma

using namespace luma;

LUMA_API void LumaRecordVideo(const char* path) { pending().request.videoPath = path ? path : ""; }

LUMA_API void LumaWriteFrames(const char* folder) {
    pending().request.framesFolder = folder ? folder : "";
}

LUMA_API void LumaWriteSound(const char* path) { pending().request.soundPath = path ? path : ""; }

LUMA_API void LumaScreenshotAt(DWORD milliseconds, const char* path) {
    if (path && *path)
        pending().screenshots.add(milliseconds, path);
}

LUMA_API BOOL LumaStartCapture(char* problem, int size) {
    if (!pending().asked() || session())
        return report(true, "", problem, size);
    RecordedRun* run = backend().recordedRun();
    if (!run)
        return report(false, "capture needs the headless backend", problem, size);
    int width = 0;
    int height = 0;
    backend().screenSize(width, height);
    uint64_t stopAt = config().stopAtSet ? config().stopAt : 0;
    auto started = std::make_unique<CaptureSession>(*run, pending().request, pending().screenshots,
                                                    width, height, stopAt);
    std::string why;
    if (!started->start(why))
        return report(false, why, problem, size);
    session() = std::move(started);
    run->watchClock(session().get());
    return report(true, "", problem, size);
}

LUMA_API void LumaExpectRunLength(DWORD milliseconds) {
    if (session())
        session()->expectEnd(static_cast<uint64_t>(LumaElapsed()) + milliseconds);
}

LUMA_API BOOL LumaFinishCapture(char* problem, int size) {
    std::unique_ptr<CaptureSession> finished = std::move(session());
    if (!finished)
        return report(true, "", problem, size);
    if (RecordedRun* run = backend().recordedRun())
        run->watchClock(nullptr);
    std::string why;
    bool ok = finished->finish(why);
    return report(ok, why, problem, size);
}
