// A sample of 65 534 words: its length does not fit the header's 16-bit byte count, and the
// player holds it in 32 bits. Heard as a real player (openmpt123) hears the same module.
#include "music_fixture.h"

#include "command.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

const unsigned rate = 22050;

// A big sample that is silent for 120 000 bytes and loud for its last 11 068, and a short
// loud one stored after it; the big one starts at 0 s, the short one at 11.52 s.
ModuleBuilder longSampleModule() {
    TestSample big;
    big.data.assign(131068, 0);
    for (size_t i = 120000; i < big.data.size(); ++i)
        big.data[i] = static_cast<int8_t>(i % 16 < 8 ? 100 : -100);
    TestSample after;
    after.data.assign(8000, 0);
    for (size_t i = 0; i < after.data.size(); ++i)
        after.data[i] = static_cast<int8_t>(i % 16 < 8 ? 100 : -100);
    ModuleBuilder module;
    module.patterns(2).songLength(3).order(0, 0).order(1, 1).order(2, 1);
    module.sample(1, big).sample(2, after);
    module.cell(0, 0, 0, {1, 428, 0, 0});
    module.cell(1, 32, 1, {2, 428, 0, 0});
    return module;
}

double rms(const std::vector<short>& samples, double from, double to) {
    size_t first = static_cast<size_t>(from * rate), last = static_cast<size_t>(to * rate);
    double sum = 0;
    for (size_t i = first; i < last && i < samples.size(); ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(last - first));
}

// Quiet while the big sample's silence plays, loud in its last part (from 15 s here, 14.5 s
// at the Amiga's clock openmpt123 uses) and where the short sample plays.
void expectTheLongSampleHeard(const std::vector<short>& samples, const char* player) {
    double loud = rms(samples, 15.1, 15.7);
    EXPECT_LT(rms(samples, 1, 11), loud / 100) << player;
    EXPECT_GT(loud, 500) << player;
    EXPECT_GT(rms(samples, 11.7, 12.2), 500) << player << ": the sample after it";
}

TEST_F(MusicTest, ASampleOfMoreThan32767WordsPlaysWholeAndTheNextOneFromItsOwnBytes) {
    ModuleBuilder module = longSampleModule();
    load(module);
    EXPECT_EQ(music.sampleLengths[0], 131068u);
    EXPECT_EQ(music.patternCount, 2);
    std::vector<short> ours(17 * rate);
    RenderMusic(ours.data(), static_cast<unsigned>(ours.size()));
    expectTheLongSampleHeard(ours, "ours");

    module.write(directory.file("long.mod"));
    CommandResult render = runCommand(
        "openmpt123 --quiet --batch --render --samplerate 22050 --channels 1 --filter 1 "
        "--ramping 0 long.mod && sox long.mod.wav -t raw -e signed -b 16 -c 1 -r 22050 long.raw");
    ASSERT_EQ(render.status, 0) << render.output;
    std::string raw = readFile(directory.file("long.raw"));
    std::vector<short> theirs(raw.size() / 2);
    std::memcpy(theirs.data(), raw.data(), theirs.size() * 2);
    ASSERT_GT(theirs.size(), 16u * rate);
    expectTheLongSampleHeard(theirs, "openmpt123");
}

} // namespace
