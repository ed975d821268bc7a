#include "capture/ffmpeg_recorder.h"

#include "capture/file_output.h"
#include "capture/video_container.h"

#include <cstdio>
#include <sstream>

namespace luma {

namespace {

const char* const ffmpeg = "ffmpeg";

// Arguments written as one line: the fixed ones have no spaces inside.
std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> result;
    std::istringstream stream(line);
    for (std::string word; stream >> word;)
        result.push_back(word);
    return result;
}

void append(std::vector<std::string>& arguments, const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
}

} // namespace

FfmpegRecorder::~FfmpegRecorder() { abandon(); }

std::string FfmpegRecorder::missingProgramProblem() {
    if (!findProgram(ffmpeg).empty())
        return "";
    return "--record needs the ffmpeg program, which is not installed (Debian package "
           "ffmpeg: sudo apt-get install ffmpeg).\n"
           "Without it, --frames DIR writes every frame as a PNG file and --wav FILE "
           "writes the sound.";
}

bool FfmpegRecorder::start(const std::string& path, int framesPerSecond, int width, int height,
                           std::string& problem) {
    container = videoContainerFor(path);
    if (!container) {
        problem = "cannot record " + path + ": it names no video file this program makes";
        return false;
    }
    target = path;
    std::string temporary = temporaryNameFor(path);
    videoFile = temporary + "-video.mkv";
    soundFile = temporary + "-sound" + container->soundExtension;
    muxedFile = temporary;
    std::vector<std::string> arguments =
        words("-hide_banner -loglevel error -nostats -y -f rawvideo -pixel_format yuv420p");
    append(arguments, {"-video_size", std::to_string(width) + "x" + std::to_string(height),
                       "-framerate", std::to_string(framesPerSecond), "-i", "pipe:0"});
    append(arguments, words("-an"));
    append(arguments, words(container->videoCodec));
    append(arguments, {"-f", "matroska", videoFile});
    if (encoder.start(ffmpeg, arguments, true, problem))
        return true;
    problem = "cannot record " + path + ": " + problem;
    return false;
}

bool FfmpegRecorder::addFrame(const YuvFrame& frame, std::string& problem) {
    if (encoder.write(frame.bytes.data(), frame.bytes.size()))
        return true;
    return stopped(encoder, "video", problem);
}

bool FfmpegRecorder::startSound(uint32_t rate, std::string& problem) {
    // The samples as they lie in memory.
    const uint16_t one = 1;
    const char* layout = *reinterpret_cast<const unsigned char*>(&one) == 1 ? "s16le" : "s16be";
    std::vector<std::string> arguments = words("-hide_banner -loglevel error -nostats -y -f");
    append(arguments, {layout, "-ar", std::to_string(rate), "-ac", "1", "-i", "pipe:0"});
    append(arguments, words(container->soundCodec));
    append(arguments, {"-f", container->soundFormat, soundFile});
    if (soundEncoder.start(ffmpeg, arguments, true, problem))
        return true;
    problem = "cannot record " + target + ": " + problem;
    abandon();
    return false;
}

bool FfmpegRecorder::addSound(const int16_t* samples, size_t count, uint32_t rate,
                              std::string& problem) {
    if (!soundEncoder.running() && !startSound(rate, problem))
        return false;
    if (soundEncoder.write(samples, count * sizeof(int16_t)))
        return true;
    return stopped(soundEncoder, "sound", problem);
}

bool FfmpegRecorder::stopped(ChildProcess& process, const char* which, std::string& problem) {
    std::string why;
    process.finish(why);
    problem = std::string("the ") + which + " encoder stopped while recording " + target + " (" +
              (why.empty() ? "it no longer reads" : why) + ")";
    abandon();
    return false;
}

bool FfmpegRecorder::finish(std::string& problem) {
    std::string why;
    bool done = encoder.finish(why);
    if (!done) {
        problem = "the video encoder failed while recording " + target + " (" + why + ")";
    } else if (!soundEncoder.finish(why)) {
        problem = "the sound encoder failed while recording " + target + " (" + why + ")";
        done = false;
    } else {
        done = mux(problem);
    }
    removeTemporaryFiles();
    return done;
}

bool FfmpegRecorder::mux(std::string& problem) {
    std::vector<std::string> arguments = words("-hide_banner -loglevel error -nostats -nostdin -y");
    append(arguments, {"-i", videoFile, "-i", soundFile});
    // Both as encoded: copying them takes a moment.
    append(arguments, words("-map 0:v:0 -map 1:a:0 -c copy"));
    append(arguments, words(container->muxOptions));
    append(arguments, {"-f", container->format});
    arguments.push_back(muxedFile);
    std::string why;
    if (!runProgram(ffmpeg, arguments, why)) {
        problem = "adding the sound to " + target + " failed (" + why + ")";
        return false;
    }
    return moveIntoPlace(muxedFile, target, problem);
}

void FfmpegRecorder::abandon() {
    encoder.kill();
    soundEncoder.kill();
    removeTemporaryFiles();
}

void FfmpegRecorder::removeTemporaryFiles() {
    for (const std::string* file : {&videoFile, &soundFile, &muxedFile})
        if (!file->empty())
            std::remove(file->c_str());
}

} // namespace luma
