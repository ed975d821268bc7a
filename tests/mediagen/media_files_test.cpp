// The committed Media folder is exactly what mediagen makes now.

#include "run_tool.h"
#include "scratch_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kMediaFiles[] = {"Elle.tga",     "TLife.tga",   "TTunnel.tga",    "ShadeBob.tga",
                                   "Polaroid.tga", "bumpmap.raw", "Glimmerfall.mod"};

std::vector<char> readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Regenerated : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        outDir_ = scratchPath("regenerated"); // mediagen makes the folder itself
        output_ =
            runTool(shellQuoted(MEDIAGEN_EXE) + " " + shellQuoted(outDir_.string()), &status_);
    }
    static void TearDownTestSuite() { fs::remove_all(outDir_); }
    static fs::path outDir_;
    static std::string output_;
    static int status_;
};
fs::path Regenerated::outDir_;
std::string Regenerated::output_;
int Regenerated::status_ = -1;

} // namespace

TEST_F(Regenerated, RunSucceedsSilently) {
    EXPECT_EQ(status_, 0) << output_;
    EXPECT_EQ(output_, "");
}

TEST_F(Regenerated, EveryFileMatchesTheCommittedOneByteForByte) {
    for (const char* name : kMediaFiles) {
        SCOPED_TRACE(name);
        std::vector<char> fresh = readAll(outDir_ / name);
        std::vector<char> committed = readAll(fs::path(MEDIA_DIR) / name);
        ASSERT_FALSE(fresh.empty());
        ASSERT_EQ(fresh.size(), committed.size());
        EXPECT_TRUE(fresh == committed)
            << name << " differs from Media/" << name << ": run mediagen Media";
    }
}

TEST_F(Regenerated, WritesTheSevenFilesAndNothingElse) {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(outDir_)) {
        ++count;
        bool known = false;
        for (const char* name : kMediaFiles)
            known = known || entry.path().filename() == name;
        EXPECT_TRUE(known) << entry.path();
    }
    EXPECT_EQ(count, std::size(kMediaFiles));
}

TEST(MediagenCommandLine, HelpPrintsUsageAndSucceeds) {
    int status = -1;
    std::string out = runTool(shellQuoted(MEDIAGEN_EXE) + " --help", &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("usage: mediagen"), std::string::npos) << out;
}

TEST(MediagenCommandLine, MissingOutputFolderOrUnknownOptionIsAUsageError) {
    int status = -1;
    runTool(shellQuoted(MEDIAGEN_EXE), &status);
    EXPECT_EQ(status, 2);
    runTool(shellQuoted(MEDIAGEN_EXE) + " --bogus /tmp", &status);
    EXPECT_EQ(status, 2);
}

TEST(MediagenCommandLine, BrokenScoreIsReportedWithItsLine) {
    fs::path dir = scratchPath("broken-score");
    fs::create_directories(dir);
    std::ofstream(dir / "bad.score") << "title x\nsample 1 kick 64\nphrase p kick\n  C-3 . .\n";
    int status = -1;
    std::string out =
        runTool(shellQuoted(MEDIAGEN_EXE) + " --score " +
                    shellQuoted((dir / "bad.score").string()) + " " + shellQuoted(dir.string()),
                &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("score line 3"), std::string::npos) << out;
    fs::remove_all(dir);
}
