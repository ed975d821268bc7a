// The whole program capturing its run: frames, sound, screenshots and video, checked with
// ImageMagick, sox and ffprobe.
#include "program_run.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

// Three seconds of the demo at 30 frames per second keep every run short.
const std::string shortRun = "--seed 1 --stop-at 3000 --fps 30 ";

class CaptureRun : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
    }

    std::vector<std::string> framesIn(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(directory.file(folder)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    long soxiNumber(const std::string& flag, const std::string& file) const {
        return std::atol(runCommand("soxi " + flag + " " + file).output.c_str());
    }

    // Every frame's bytes, in order.
    std::vector<std::string> frameContents(const std::string& folder) const {
        std::vector<std::string> contents;
        for (const std::string& name : framesIn(folder))
            contents.push_back(readFile(directory.file(folder + "/" + name)));
        return contents;
    }

    std::vector<std::string> filesHere() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(directory.path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TempDirectory directory;
};

class CaptureRate : public CaptureRun, public ::testing::WithParamInterface<std::string> {};

TEST_P(CaptureRate, FramesAndSoundCoverTheSameTimeAtTheRateOfTheSoundChoice) {
    // With sound off no device plays: the sound is silence at 22050 Hz.
    int rate = GetParam() == "44" ? 44100 : 22050;
    CommandResult run =
        runProgram("--sound " + GetParam() + " " + shortRun + "--frames frames --wav sound.wav");
    ASSERT_EQ(run.status, 0) << run.output;
    std::vector<std::string> frames = framesIn("frames");
    // The stop key comes at 3000 ms, frame 90; the demo ends within a turn or two.
    ASSERT_GE(frames.size(), 90u);
    EXPECT_LE(frames.size(), 92u);
    EXPECT_EQ(frames.front(), "frame-000000.png");
    EXPECT_EQ(frames.back(), "frame-0000" + std::to_string(frames.size() - 1) + ".png");
    EXPECT_EQ(soxiNumber("-r", "sound.wav"), rate);
    EXPECT_EQ(soxiNumber("-c", "sound.wav"), 1);
    EXPECT_EQ(soxiNumber("-s", "sound.wav"), static_cast<long>(frames.size()) * rate / 30);
    double loudness =
        std::atof(runCommand("sox sound.wav -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}'")
                      .output.c_str());
    if (GetParam() == "off")
        EXPECT_EQ(loudness, 0.0);
    else
        EXPECT_GT(loudness, 0.001) << "the music plays";
    EXPECT_EQ(runCommand("identify -format '%w %h' frames/" + frames[45]).output, "640 480");
}

INSTANTIATE_TEST_SUITE_P(SoundChoices, CaptureRate, ::testing::Values("22", "44", "off"));

TEST_F(CaptureRun, SameSeedGivesTheSameFramesAndSoundAndRecordingChangesNothing) {
    for (const char* name : {"first", "second"}) {
        CommandResult run =
            runProgram("--sound 22 " + shortRun + "--frames " + name + " --wav " + name + ".wav");
        ASSERT_EQ(run.status, 0) << run.output;
    }
    CommandResult recorded = runProgram("--sound 22 " + shortRun +
                                        "--frames recorded --wav recorded.wav --record demo.mp4");
    ASSERT_EQ(recorded.status, 0) << recorded.output;

    std::vector<std::string> first = frameContents("first");
    EXPECT_TRUE(first == frameContents("second"));
    EXPECT_TRUE(first == frameContents("recorded"));
    std::string sound = readFile(directory.file("first.wav"));
    EXPECT_TRUE(sound == readFile(directory.file("second.wav")));
    EXPECT_TRUE(sound == readFile(directory.file("recorded.wav")));

    CommandResult streams = runCommand(
        "ffprobe -v error -show_entries stream=codec_name,width,height -of csv=p=0 demo.mp4");
    EXPECT_EQ(streams.output, "h264,640,480\naac\n");
    double duration =
        std::atof(runCommand("ffprobe -v error -show_entries format=duration -of csv=p=0 demo.mp4")
                      .output.c_str());
    double expected = first.size() / 30.0;
    EXPECT_NEAR(duration, expected, expected * 0.01);
    // Only the finished files: no temporary ones left beside the video.
    for (const std::string& name : filesHere())
        EXPECT_EQ(name.find("partial"), std::string::npos) << name;
}

TEST_F(CaptureRun, ScreenshotIsTheFrameOnScreenAtItsTime) {
    CommandResult run = runProgram("--sound off " + shortRun +
                                   "--frames frames --screenshot 1500:shot.png "
                                   "--screenshot 2010:later.png");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(runCommand("identify -format '%m %w %h' shot.png").output, "PNG 640 480");
    // 1500 ms is the start of frame 45; 2010 ms falls inside frame 60 (2000 to 2033 ms).
    EXPECT_TRUE(readFile(directory.file("shot.png")) ==
                readFile(directory.file("frames/frame-000045.png")));
    EXPECT_TRUE(readFile(directory.file("later.png")) ==
                readFile(directory.file("frames/frame-000060.png")));
    EXPECT_FALSE(readFile(directory.file("shot.png")) == readFile(directory.file("later.png")));
}

TEST_F(CaptureRun, ScreenshotAfterTheEndOfTheRunIsAnError) {
    CommandResult run =
        runProgram("--sound off --stop-at 1000 --fps 30 --screenshot 5000:late.png");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("screenshot at 5000 ms"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(directory.file("late.png")));
}

TEST_F(CaptureRun, WithoutFfmpegRecordingSaysWhatToInstallAndWhatElseWorks) {
    std::filesystem::create_directory(directory.file("bin"));
    CommandResult run =
        runProgram("--sound 22 " + shortRun + "--record demo.mp4", "PATH=" + directory.file("bin"));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("needs the ffmpeg program"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("apt-get install ffmpeg"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("--frames DIR"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("--wav FILE"), std::string::npos) << run.output;
    EXPECT_EQ(directory.read("Glimmerfall.log"), "") << "the demo must not start";
    EXPECT_FALSE(std::filesystem::exists(directory.file("demo.mp4")));
}

// The song's length as libopenmpt plays the module, in seconds.
double songSeconds(const std::string& module = MEDIA_DIR "/Glimmerfall.mod") {
    std::string info = runCommand("openmpt123 --info '" + module + "'").output;
    size_t at = info.find("Duration...: ");
    if (at == std::string::npos)
        return 0;
    int minutes = 0;
    double seconds = 0;
    std::sscanf(info.c_str() + at + 13, "%d:%lf", &minutes, &seconds);
    return minutes * 60 + seconds;
}

TEST_F(CaptureRun, WholeSongRecordedIsAsLongAsTheSongWithSound) {
    double song = songSeconds();
    ASSERT_GT(song, 60) << "openmpt123 gives the song's length";
    CommandResult run = runProgram("--sound 22 --seed 1 --fps 30 --record song.mp4");
    ASSERT_EQ(run.status, 0) << run.output;
    CommandResult streams =
        runCommand("ffprobe -v error -show_entries stream=codec_type -of csv=p=0 song.mp4");
    EXPECT_EQ(streams.output, "video\naudio\n");
    double duration =
        std::atof(runCommand("ffprobe -v error -show_entries format=duration -of csv=p=0 song.mp4")
                      .output.c_str());
    EXPECT_NEAR(duration, song, song * 0.01);
}

// The demo with its song cut to its first two order positions (its length byte set to 2):
// a whole song, 15 seconds long.
class AnyFrameRate : public CaptureRun, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        std::filesystem::create_directory(directory.file("Media"));
        for (const auto& entry : std::filesystem::directory_iterator(MEDIA_DIR))
            if (entry.path().filename() != "Glimmerfall.mod")
                std::filesystem::create_symlink(entry.path(), directory.file("Media") + "/" +
                                                                  entry.path().filename().string());
        std::string module = readFile(std::string(MEDIA_DIR) + "/Glimmerfall.mod");
        module[950] = 2;
        directory.write("Media/Glimmerfall.mod", module);
    }
};

// Whatever the frame rate, the run ends at the song's end: the sound holds the song to within
// a frame and the music's write-ahead, and there is a frame for every frame period of it.
TEST_P(AnyFrameRate, TheWholeSongEndsOnTimeWithAFrameForEveryPeriod) {
    const int fps = GetParam();
    double song = songSeconds(directory.file("Media/Glimmerfall.mod"));
    ASSERT_GT(song, 10) << "openmpt123 gives the song's length";
    // A PNG file for each of the 15 000 frames at 1000 a second takes long: four seconds then.
    bool wholeSongOfFrames = fps <= 25;
    CommandResult run =
        runProgram("--sound 44 --seed 1 --fps " + std::to_string(fps) + " --wav song.wav" +
                   (wholeSongOfFrames ? " --frames frames" : ""));
    ASSERT_EQ(run.status, 0) << run.output;
    long samples = soxiNumber("-s", directory.file("song.wav"));
    EXPECT_NEAR(samples / 44100.0, song, 1.0 / fps + 0.3);
    if (!wholeSongOfFrames) {
        run = runProgram("--sound 44 --seed 1 --stop-at 4000 --fps " + std::to_string(fps) +
                         " --frames frames --wav four.wav");
        ASSERT_EQ(run.status, 0) << run.output;
        samples = soxiNumber("-s", directory.file("four.wav"));
        EXPECT_EQ(samples, 4 * 44100);
    }
    // The sound is as long as the frames it went with.
    long frames = static_cast<long>(framesIn("frames").size());
    EXPECT_EQ(frames * 44100 / fps, samples) << frames << " frames";
}

INSTANTIATE_TEST_SUITE_P(FramesPerSecond, AnyFrameRate, ::testing::Values(1, 2, 5, 25, 1000));

class Container
    : public CaptureRun,
      public ::testing::WithParamInterface<std::tuple<std::string, std::string, std::string>> {};

// The file's extension chooses the container and its codecs: ffprobe reads the codecs, and
// the first bytes say the kind of file (Matroska and WebM files name their document type).
TEST_P(Container, TheExtensionChoosesTheContainerAndItsCodecs) {
    const auto& [file, codecs, kind] = GetParam();
    CommandResult run = runProgram("--sound 22 --seed 1 --stop-at 1000 --fps 30 --record " + file);
    ASSERT_EQ(run.status, 0) << run.output;
    // The run ends saying what it wrote: one second of video.
    EXPECT_EQ(run.output.rfind("Glimmerfall: wrote " + file + " (0:01.000, "), 0u) << run.output;
    CommandResult probe = runCommand(
        "ffprobe -v error -show_entries stream=codec_name -of default=nw=1:nk=1 " + file);
    EXPECT_EQ(probe.output, codecs);
    EXPECT_NE(readFile(directory.file(file)).substr(0, 64).find(kind), std::string::npos) << kind;
}

INSTANTIATE_TEST_SUITE_P(
    EachExtension, Container,
    ::testing::Values(std::make_tuple("demo.mkv", "h264\naac\n", "\x42\x82\x88matroska"),
                      std::make_tuple("demo.webm", "vp9\nopus\n", "\x42\x82\x84webm"),
                      std::make_tuple("demo.MOV", "h264\naac\n", "ftypqt  ")));

TEST_F(CaptureRun, AnExtensionWithoutAContainerIsRefusedBeforeAnythingRuns) {
    for (const char* file : {"demo.avi", "demo", "demo.mp4.txt"}) {
        CommandResult run = runProgram(std::string("--sound 22 --record ") + file);
        EXPECT_EQ(run.status, 2) << file;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
        EXPECT_NE(run.output.find(".webm"), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(directory.file("Glimmerfall.log"))) << file;
    }
}

// Waits until a file whose name holds `part` has bytes in it.
bool waitForFileWith(const std::string& folder, const std::string& part) {
    for (int tries = 0; tries < 600; ++tries) {
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().filename().string().find(part) != std::string::npos &&
                entry.is_regular_file() && entry.file_size() > 0)
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Starts a whole recording in a process group of its own, as a shell starts a job, and
// returns once the encoder has written its first bytes.
pid_t startRecording(const std::string& folder) {
    pid_t child = ::fork();
    if (child == 0) {
        ::setpgid(0, 0);
        ::execl("/bin/sh", "sh", "-c",
                "exec '" GLIMMERFALL_EXE "' --sound 22 --seed 1 --fps 30 --record demo.mp4 "
                "--wav demo.wav 2>errors.txt",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::setpgid(child, child);
    EXPECT_TRUE(waitForFileWith(folder, "-video.mkv"));
    return child;
}

class StopSignal : public CaptureRun, public ::testing::WithParamInterface<int> {};

// Ctrl+C (SIGINT to the whole job) or SIGTERM to the program: the capture keeps what it
// has as complete files, says how much of the demo that is, and ends with 128 + the signal.
TEST_P(StopSignal, EndsTheRunWithCompleteShorterFilesAndTheShellsStatus) {
    const int signalNumber = GetParam();
    pid_t child = startRecording(directory.path());
    ::kill(signalNumber == SIGINT ? -child : child, signalNumber);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    std::string errors = directory.read("errors.txt");
    EXPECT_EQ(WEXITSTATUS(status), 128 + signalNumber) << errors;
    EXPECT_NE(errors.find("Glimmerfall: stopped at 0:"), std::string::npos) << errors;
    EXPECT_NE(errors.find(" - wrote demo.mp4 and demo.wav\n"), std::string::npos) << errors;
    int songMinutes = static_cast<int>(songSeconds()) / 60;
    EXPECT_NE(errors.find(" of " + std::to_string(songMinutes) + ":"), std::string::npos) << errors;
    CommandResult streams =
        runCommand("ffprobe -v error -show_entries stream=codec_type -of csv=p=0 demo.mp4");
    EXPECT_EQ(streams.output, "video\naudio\n");
    double duration =
        std::atof(runCommand("ffprobe -v error -show_entries format=duration -of csv=p=0 demo.mp4")
                      .output.c_str());
    double sound = soxiNumber("-s", "demo.wav") / 22050.0;
    EXPECT_GT(sound, 0.5);
    EXPECT_NEAR(duration, sound, sound * 0.01);
}

INSTANTIATE_TEST_SUITE_P(IntOrTerm, StopSignal, ::testing::Values(SIGINT, SIGTERM));

TEST_F(CaptureRun, WhatAKilledRecordingLeftIsRemovedByTheNextRecordingOfTheSameFile) {
    pid_t child = startRecording(directory.path());
    ::kill(-child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    auto partials = [&] {
        int count = 0;
        for (const std::string& name : filesHere())
            count += name.find(".demo.mp4.partial-") == 0;
        return count;
    };
    // The encoder, left alone, finishes its part of the file and goes.
    ASSERT_GT(partials(), 0);
    CommandResult again = runProgram("--sound 22 " + shortRun + "--record demo.mp4");
    ASSERT_EQ(again.status, 0) << again.output;
    EXPECT_EQ(partials(), 0);
    EXPECT_TRUE(std::filesystem::exists(directory.file("demo.mp4")));
}

// Frames are written on a thread of their own: a file that cannot be written still stops
// the run with its reason.
TEST_F(CaptureRun, AFrameThatCannotBeWrittenStopsTheRunAndSaysWhich) {
    std::filesystem::create_directories(directory.file("frames/frame-000005.png"));
    CommandResult run = runProgram("--sound 22 " + shortRun + "--frames frames");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("frame-000005.png"), std::string::npos) << run.output;
    EXPECT_TRUE(std::filesystem::exists(directory.file("frames/frame-000004.png")));
}

class UnwritableOutput : public CaptureRun, public ::testing::WithParamInterface<std::string> {};

TEST_P(UnwritableOutput, IsRefusedBeforeTheDemoStarts) {
    CommandResult run = runProgram("--sound 22 " + shortRun + GetParam());
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("cannot write nowhere/out"), std::string::npos) << run.output;
    EXPECT_EQ(directory.read("Glimmerfall.log"), "") << "the demo must not start";
}

INSTANTIATE_TEST_SUITE_P(EachFile, UnwritableOutput,
                         ::testing::Values("--wav nowhere/out.wav", "--record nowhere/out.mp4",
                                           "--screenshot 100:nowhere/out.png"));

class FailingEncoder : public CaptureRun, public ::testing::WithParamInterface<const char*> {};

TEST_P(FailingEncoder, StopsTheRunWithAnErrorAndLeavesNoVideo) {
    std::filesystem::create_directory(directory.file("bin"));
    directory.write("bin/ffmpeg", std::string("#!/bin/sh\n") + GetParam() + "\n");
    std::filesystem::permissions(directory.file("bin/ffmpeg"), std::filesystem::perms::owner_all);
    CommandResult run = runProgram("--sound 22 " + shortRun + "--record demo.mp4",
                                   "PATH=" + directory.file("bin") + ":/usr/bin:/bin");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("encoder"), std::string::npos) << run.output;
    for (const std::string& name : filesHere())
        EXPECT_EQ(name.find("demo.mp4"), std::string::npos) << name;
}

INSTANTIATE_TEST_SUITE_P(EarlyOrLate, FailingEncoder,
                         ::testing::Values("exit 3", "cat >/dev/null; exit 1"));

TEST_F(CaptureRun, HeldScenesGiveTheSameFrameForTheSameArguments) {
    // The plasma draws random noise every frame: with the seed, held frames repeat byte for byte.
    const std::string plasma = "--sound 22 --seed 3 --fps 30 --stop-at 700 --hold 2:1234 ";
    ASSERT_EQ(runProgram(plasma + "--screenshot 600:first.png").status, 0);
    ASSERT_EQ(runProgram(plasma + "--screenshot 600:second.png").status, 0);
    std::string first = readFile(directory.file("first.png"));
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(first == readFile(directory.file("second.png")));

    // The vortex has no noise: frozen, every moment of the run shows the same picture, and
    // another scene time shows another.
    const std::string vortex = "--sound 22 --fps 30 --stop-at 700 ";
    ASSERT_EQ(runProgram(vortex + "--hold 4:2000 --screenshot 200:early.png "
                                  "--screenshot 600:late.png")
                  .status,
              0);
    ASSERT_EQ(runProgram(vortex + "--hold 4:2500 --screenshot 600:other.png").status, 0);
    std::string early = readFile(directory.file("early.png"));
    ASSERT_FALSE(early.empty());
    EXPECT_TRUE(early == readFile(directory.file("late.png")));
    EXPECT_FALSE(early == readFile(directory.file("other.png")));
}

TEST_F(CaptureRun, ProgressLineOnlyOnATerminal) {
    CommandResult piped = runProgram("--sound 22 " + shortRun + "--wav sound.wav");
    ASSERT_EQ(piped.status, 0) << piped.output;
    EXPECT_EQ(piped.output.find("Capturing"), std::string::npos) << piped.output;

    CommandResult onTerminal = runCommand("script -q -e -c \"'" GLIMMERFALL_EXE "' --sound 22 " +
                                          shortRun + "--wav sound.wav\" /dev/null");
    ASSERT_EQ(onTerminal.status, 0) << onTerminal.output;
    EXPECT_NE(onTerminal.output.find("\rCapturing: 0:0"), std::string::npos) << onTerminal.output;
    EXPECT_NE(onTerminal.output.find(" %, 0:"), std::string::npos) << onTerminal.output;
}

TEST_F(CaptureRun, ProgressLineKnowsTheSongsLengthWithoutAStopTime) {
    CommandResult onTerminal = runCommand("script -q -e -c \"'" GLIMMERFALL_EXE
                                          "' --sound 22 --fps 10 --wav sound.wav\" /dev/null");
    ASSERT_EQ(onTerminal.status, 0) << onTerminal.output;
    EXPECT_NE(onTerminal.output.find(" %, 0:"), std::string::npos) << onTerminal.output;
}

} // namespace
