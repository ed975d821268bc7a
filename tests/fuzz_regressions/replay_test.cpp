// Feeds every saved input of one fuzz target (its committed seeds and the inputs that once
// made it fail) through the target's own entry point, without libFuzzer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::string> savedInputs() {
    std::vector<std::string> files;
    for (const char* kind : {"seeds", "regressions"}) {
        std::filesystem::path folder = std::filesystem::path(FUZZ_DIR) / kind / FUZZ_TARGET;
        std::error_code missing;
        for (const auto& entry : std::filesystem::directory_iterator(folder, missing))
            if (entry.is_regular_file())
                files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::filesystem::path path(info.param);
    std::string name =
        path.parent_path().parent_path().filename().string() + "_" + path.filename().string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

class SavedInput : public ::testing::TestWithParam<std::string> {};

TEST_P(SavedInput, RunsThroughTheTarget) {
    std::ifstream in(GetParam(), std::ios::binary);
    ASSERT_TRUE(in) << GetParam();
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(Saved, SavedInput, ::testing::ValuesIn(savedInputs()), testName);

TEST(SavedInputs, TheTargetHasSeeds) {
    EXPECT_FALSE(savedInputs().empty()) << "no saved inputs for " << FUZZ_TARGET;
}

} // namespace
