// Where a captured file may go besides a plain file: through symbolic links, into a pipe
// that another program reads, to standard output. Each gets the bytes a plain file gets.
#include "program_run.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string shortRun = "--sound 22 --seed 1 --stop-at 3000 --fps 30 ";
const size_t wavHeaderBytes = 44;

// Root writes anywhere; without these capabilities it meets permissions as a user does.
std::string asAUser() {
    return ::geteuid() == 0 ? "setpriv --bounding-set -dac_override,-dac_read_search -- " : "";
}

std::string program() { return "timeout 600 '" GLIMMERFALL_EXE "' "; }

class OutputTargets : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory_symlink(MEDIA_DIR, directory.file("Media"));
        CommandResult run = runProgram(shortRun + "--wav plain.wav");
        ASSERT_EQ(run.status, 0) << run.output;
        plain = directory.read("plain.wav");
        ASSERT_GT(plain.size(), wavHeaderBytes);
    }

    bool partialFilesIn(const std::string& folder) const {
        for (const auto& entry : fs::directory_iterator(directory.file(folder)))
            if (entry.path().filename().string().find(".partial") != std::string::npos)
                return true;
        return false;
    }

    TempDirectory directory;
    std::string plain; // the same run's sound in a plain file
};

TEST_F(OutputTargets, LinksAreWrittenThroughAndStayLinks) {
    fs::create_directories(directory.file("kept"));
    directory.write("kept/sound.wav", "an older file");
    fs::create_symlink("kept/sound.wav", directory.file("link.wav"));
    fs::create_symlink("link.wav", directory.file("chain.wav"));
    CommandResult run = runProgram(shortRun + "--wav chain.wav");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(fs::is_symlink(directory.file("chain.wav")));
    EXPECT_TRUE(fs::is_symlink(directory.file("link.wav")));
    EXPECT_EQ(directory.read("kept/sound.wav"), plain);
    EXPECT_FALSE(partialFilesIn("."));
    EXPECT_FALSE(partialFilesIn("kept"));

    // A link to a file not made yet makes it.
    fs::create_directories(directory.file("elsewhere"));
    fs::create_symlink("elsewhere/new.wav", directory.file("ahead.wav"));
    run = runProgram(shortRun + "--wav ahead.wav");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(fs::is_symlink(directory.file("ahead.wav")));
    EXPECT_EQ(directory.read("elsewhere/new.wav"), plain);

    // Links in a loop name no file: refused before the run.
    fs::create_symlink("loop-b.wav", directory.file("loop-a.wav"));
    fs::create_symlink("loop-a.wav", directory.file("loop-b.wav"));
    run = runProgram(shortRun + "--wav loop-a.wav");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("cannot write loop-a.wav: Too many levels of symbolic links"),
              std::string::npos)
        << run.output;
}

TEST_F(OutputTargets, APipeIsWrittenForTheProgramReadingItAndStaysAPipe) {
    ASSERT_EQ(::mkfifo(directory.file("sound.fifo").c_str(), 0600), 0);
    CommandResult run = runCommand("timeout 600 cat sound.fifo > read.wav & " + program() +
                                   shortRun + "--wav sound.fifo; status=$?; wait; exit $status");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(directory.read("read.wav"), plain);
    struct stat info;
    ASSERT_EQ(::stat(directory.file("sound.fifo").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// "-" and /dev/stdout, the second as a user: the device's folder takes no files.
class StandardOutput : public OutputTargets, public ::testing::WithParamInterface<std::string> {};

TEST_P(StandardOutput, SoxReadsEverySampleFromThePipe) {
    CommandResult run = runCommand("{ " + asAUser() + program() + shortRun + "--wav " + GetParam() +
                                   " 2> program.txt; echo $? > status; } | sox -t wav - -t raw "
                                   "-e signed -b 16 -L piped.raw");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(directory.read("status"), "0\n") << directory.read("program.txt");
    std::string samples = directory.read("piped.raw");
    EXPECT_EQ(samples.size(), plain.size() - wavHeaderBytes);
    EXPECT_TRUE(samples == plain.substr(wavHeaderBytes));
}

INSTANTIATE_TEST_SUITE_P(Names, StandardOutput, ::testing::Values("-", "/dev/stdout"),
                         [](const auto& name) {
                             return std::string(name.param == "-" ? "Dash" : "DevStdout");
                         });

TEST_F(OutputTargets, AReaderThatGoesAwayIsReportedNotASilentEnd) {
    // More sound than the pipe holds: the reader leaves while the program still writes.
    CommandResult run = runCommand("{ " + program() +
                                   "--sound 44 --seed 1 --stop-at 3000 --wav - 2> program.txt; "
                                   "echo $? > status; } | head -c 100 > /dev/null");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(directory.read("status"), "1\n");
    EXPECT_EQ(directory.read("program.txt"),
              "Glimmerfall: cannot write to standard output: Broken pipe\n");
}

} // namespace
