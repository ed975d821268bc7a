// Every file of Media missing in turn: the demo still plays to the end of the song, with the
// log line the reader gives, and black or empty pictures where the file was.
#include "command.h"
#include "demo_run.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const char* const mediaFiles[] = {"Elle.tga",     "TLife.tga",    "TTunnel.tga",
                                  "ShadeBob.tga", "Polaroid.tga", "bumpmap.raw"};

std::string endOfLog(const std::string& log) {
    return log.size() >= 8 ? log.substr(log.size() - 8) : log;
}

class MissingMedia : public ::testing::TestWithParam<const char*> {};

TEST_P(MissingMedia, TheDemoPlaysToTheEndAndSaysWhatWasMissing) {
    TempDirectory directory;
    std::filesystem::create_directory(directory.file("Media"));
    for (const char* file : mediaFiles)
        if (std::string(file) != GetParam())
            std::filesystem::create_symlink(std::string(MEDIA_DIR) + "/" + file,
                                            directory.file("Media/") + file);
    std::filesystem::create_symlink(std::string(MEDIA_DIR) + "/Glimmerfall.mod",
                                    directory.file("Media/Glimmerfall.mod"));

    DemoRun run = runDemo(directory.path(), "--headless --sound 22 --seed 1 --fps 20");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(endOfLog(run.log), "\n[over]\n");
    std::string expected = std::string(GetParam()) == "bumpmap.raw"
                               ? "cannot open file media\\bumpmap.raw!\n"
                               : std::string("TBitmap::TBitmap(char*) - Could not open file "
                                             "\"Media\\") +
                                     GetParam() + "\"!\n";
    EXPECT_NE(run.log.find(expected), std::string::npos) << run.log;
    // And on the terminal, with where it was looked for.
    std::string said = std::string("Glimmerfall: cannot find Media/") + GetParam() + " in " +
                       directory.path() + " or ";
    EXPECT_NE(run.output.find(said), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(EachFile, MissingMedia, ::testing::ValuesIn(mediaFiles));

TEST(MissingModule, TheDemoEndsAtOnceWithStatusZero) {
    TempDirectory directory;
    std::filesystem::create_directory(directory.file("Media"));
    for (const char* file : mediaFiles)
        std::filesystem::create_symlink(std::string(MEDIA_DIR) + "/" + file,
                                        directory.file("Media/") + file);
    DemoRun run = runDemo(directory.path(), "--headless --sound 22 --seed 1");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.log.find("Falsches Mod-Format! Media\\Glimmerfall.mod (....)\n"),
              std::string::npos)
        << run.log;
    EXPECT_EQ(endOfLog(run.log), "\n[over]\n");
    EXPECT_NE(run.output.find("Glimmerfall: cannot find Media/Glimmerfall.mod in "),
              std::string::npos)
        << run.output;
}

TEST(ModuleCutShort, TheLostPatternsAndWhereTheSongNowEndsAreSaid) {
    TempDirectory directory;
    std::filesystem::create_directory(directory.file("Media"));
    std::string module = readFile(std::string(MEDIA_DIR) + "/Glimmerfall.mod");
    module.pop_back(); // one byte short: the last pattern no longer fits
    directory.write("Media/Glimmerfall.mod", module);
    DemoRun run = runDemo(directory.path(), "--headless --sound off --stop-at 100");
    EXPECT_EQ(run.status, 0) << run.output;
    const std::string said = "Media\\Glimmerfall.mod is 1 byte shorter than its order table and "
                             "samples need: it holds ";
    EXPECT_NE(run.log.find(said), std::string::npos) << run.log;
    EXPECT_NE(run.output.find("Glimmerfall: " + said), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("so the song ends at position"), std::string::npos) << run.output;

    // The whole file says nothing.
    directory.write("Media/Glimmerfall.mod", module + module.substr(0, 1));
    DemoRun whole = runDemo(directory.path(), "--headless --sound off --stop-at 100");
    EXPECT_EQ(whole.output.find("shorter"), std::string::npos) << whole.output;
}

TEST(RejectedModule, TheDemoEndsAtOnceAndSaysWhy) {
    TempDirectory directory;
    std::filesystem::create_directory(directory.file("Media"));
    // A four-channel module's signature where the eight-channel one belongs.
    std::string module(1084 + 2048, '\0');
    module.replace(1080, 4, "M.K.");
    directory.write("Media/Glimmerfall.mod", module);
    DemoRun run = runDemo(directory.path(), "--headless --sound 22 --seed 1");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.log.find("Falsches Mod-Format! Media\\Glimmerfall.mod (M.K.)\n"),
              std::string::npos)
        << run.log;
    EXPECT_NE(run.output.find("Glimmerfall: Media\\Glimmerfall.mod is not an eight-channel "
                              "module (it says \"M.K.\""),
              std::string::npos)
        << run.output;
}

TEST(NoMediaAtAll, TheDemoStillStartsAndEnds) {
    TempDirectory directory;
    DemoRun run = runDemo(directory.path(), "--headless --sound off");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(endOfLog(run.log), "\n[over]\n");
}

} // namespace
