#include "headless_sound.h"
#include "sound_engine_fixture.h"
#include "wave_files.h"

#include <luma/platform.h>

#include <cmath>
#include <cstring>

namespace {

class WaveSoundTest : public SoundEngineTest {
protected:
    void SetUp() override {
        SoundEngineTest::SetUp();
        sound = std::make_unique<TDirectSound>(base.get());
        ASSERT_NE(sound->lpDS, nullptr);
        startOnWholeFrame();
    }
    void TearDown() override {
        sound.reset();
        SoundEngineTest::TearDown();
    }

    std::string waveFile(const std::string& name, const Bytes& raw, RawFormat format) {
        std::string path = directory.file(name);
        writeWaveWithSox(path, raw, format);
        return path;
    }
    structDirectSoundBuffer* load(const std::string& path, int count = 1) {
        std::string name = path;
        return sound->newSound(name.data(), count);
    }

    std::unique_ptr<TDirectSound> sound;
};

Bytes contents(LPDIRECTSOUNDBUFFER buffer) {
    LPVOID region = nullptr;
    DWORD length = 0;
    if (buffer->Lock(0, 0, &region, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER) != DS_OK)
        return {};
    Bytes bytes(static_cast<uint8_t*>(region), static_cast<uint8_t*>(region) + length);
    buffer->Unlock(region, length, nullptr, 0);
    return bytes;
}

bool isPlaying(LPDIRECTSOUNDBUFFER buffer) {
    DWORD status = 0;
    buffer->GetStatus(&status);
    return (status & DSBSTATUS_PLAYING) != 0;
}

std::vector<int16_t> steadySamples(size_t count, int16_t value) {
    return std::vector<int16_t>(count, value);
}

TEST_F(WaveSoundTest, LoadsTheDataChunkIntoABufferOfTheFixedFormat) {
    std::vector<int16_t> samples = {1, -2, 300, -400, 32767, -32768, 12, 13};
    structDirectSoundBuffer* wave =
        load(waveFile("tone.wav", samplesToBytes(samples), {22050, 16, 1}));
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->nCount, 1);
    EXPECT_EQ(wave->nCurrent, 0);
    LPDIRECTSOUNDBUFFER buffer = wave->lpdsBuffer[0];
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(contents(buffer), samplesToBytes(samples));
    WAVEFORMATEX format{};
    ASSERT_EQ(buffer->GetFormat(&format, sizeof format, nullptr), DS_OK);
    EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(format.nChannels, 1);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    EXPECT_EQ(format.nAvgBytesPerSec, 44100u);
    EXPECT_EQ(format.nBlockAlign, 2);
    EXPECT_EQ(format.wBitsPerSample, 16);
    LONG volume = 1, pan = 1;
    buffer->GetVolume(&volume);
    buffer->GetPan(&pan);
    EXPECT_EQ(volume, 0);
    EXPECT_EQ(pan, 0);
    sound->deleteSound(wave);
}

// The file's own format is not looked at: its bytes play as 16-bit mono at 22050 Hz.
TEST_F(WaveSoundTest, EightBitStereoFileStillPlaysAsSixteenBitMonoData) {
    Bytes raw;
    for (int i = 0; i < 400; ++i)
        raw.push_back(static_cast<uint8_t>(i * 7 + 3));
    structDirectSoundBuffer* wave = load(waveFile("stereo8.wav", raw, {44100, 8, 2}));
    ASSERT_NE(wave, nullptr);
    LPDIRECTSOUNDBUFFER buffer = wave->lpdsBuffer[0];
    EXPECT_EQ(contents(buffer), raw);
    WAVEFORMATEX format{};
    buffer->GetFormat(&format, sizeof format, nullptr);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    EXPECT_EQ(format.wBitsPerSample, 16);
    EXPECT_EQ(format.nChannels, 1);

    sound->setVolume(100);
    Recorder recorder;
    ASSERT_TRUE(sound->playSound(wave));
    letTimePass(20);
    std::vector<int16_t> played = recorder.played();
    ASSERT_EQ(played.size(), 441u);
    for (size_t i = 0; i < 200; ++i)
        ASSERT_EQ(played[i], static_cast<int16_t>(raw[2 * i] | raw[2 * i + 1] << 8)) << i;
    sound->deleteSound(wave);
}

TEST_F(WaveSoundTest, FourSlotsOverlapAndTheFifthCallStartsSlotZeroAgain) {
    structDirectSoundBuffer* wave =
        load(waveFile("click.wav", samplesToBytes(steadySamples(200, 1000)), {22050, 16, 1}), 4);
    ASSERT_NE(wave, nullptr);
    ASSERT_EQ(wave->nCount, 4);
    sound->setVolume(100);

    Recorder four;
    for (int call = 0; call < 4; ++call) {
        EXPECT_EQ(wave->nCurrent, call);
        EXPECT_TRUE(sound->playSound(wave));
    }
    EXPECT_EQ(wave->nCurrent, 0);
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_TRUE(isPlaying(wave->lpdsBuffer[slot])) << slot;
    letTimePass(20);
    std::vector<int16_t> played = four.played();
    EXPECT_EQ(played[0], 4000) << "four copies sound at once";
    EXPECT_EQ(played[199], 4000);
    EXPECT_EQ(played[200], 0);

    Recorder fifth;
    EXPECT_TRUE(sound->playSound(wave));
    EXPECT_EQ(wave->nCurrent, 1);
    EXPECT_TRUE(isPlaying(wave->lpdsBuffer[0]));
    EXPECT_FALSE(isPlaying(wave->lpdsBuffer[1]));
    letTimePass(20);
    EXPECT_EQ(fifth.played()[0], 1000);
    sound->deleteSound(wave);
}

TEST_F(WaveSoundTest, ADeviceThatDuplicatesOnlyTwoBuffersGivesThreeSlots) {
    LumaLimitSoundDuplicates(2);
    structDirectSoundBuffer* wave =
        load(waveFile("click.wav", samplesToBytes(steadySamples(100, 1)), {22050, 16, 1}), 4);
    LumaLimitSoundDuplicates(-1);
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->nCount, 3);
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_NE(wave->lpdsBuffer[slot], nullptr);
    for (int call = 0; call < 3; ++call)
        EXPECT_TRUE(sound->playSound(wave));
    EXPECT_EQ(wave->nCurrent, 0);
    sound->deleteSound(wave);
}

TEST_F(WaveSoundTest, ACountBelowOneActsAsOne) {
    std::string path = waveFile("click.wav", samplesToBytes(steadySamples(100, 1)), {22050, 16, 1});
    for (int count : {0, -5}) {
        structDirectSoundBuffer* wave = load(path, count);
        ASSERT_NE(wave, nullptr);
        EXPECT_EQ(wave->nCount, 1);
        EXPECT_TRUE(sound->playSound(wave));
        EXPECT_TRUE(sound->playSound(wave));
        EXPECT_EQ(wave->nCurrent, 0);
        sound->deleteSound(wave);
    }
}

TEST_F(WaveSoundTest, PlaySoundAppliesTheDeviceVolumeAtThatMoment) {
    structDirectSoundBuffer* wave =
        load(waveFile("hum.wav", samplesToBytes(steadySamples(2000, 10000)), {22050, 16, 1}), 2);
    ASSERT_NE(wave, nullptr);
    sound->setVolume(50);
    Recorder recorder;
    ASSERT_TRUE(sound->playSound(wave));
    LONG volume = 0;
    wave->lpdsBuffer[0]->GetVolume(&volume);
    EXPECT_EQ(volume, -1506);
    letTimePass(20);
    EXPECT_NEAR(recorder.played()[100], 10000 * std::pow(10.0, -1506 / 2000.0), 1);

    sound->setVolume(100);
    wave->lpdsBuffer[0]->GetVolume(&volume);
    EXPECT_EQ(volume, -1506) << "a copy already started keeps its volume";
    ASSERT_TRUE(sound->playSound(wave));
    wave->lpdsBuffer[1]->GetVolume(&volume);
    EXPECT_EQ(volume, 0);
    sound->deleteSound(wave);
}

TEST_F(WaveSoundTest, DisabledSoundMakesAndPlaysNothing) {
    std::string path = waveFile("click.wav", samplesToBytes(steadySamples(100, 1)), {22050, 16, 1});
    structDirectSoundBuffer* wave = load(path);
    ASSERT_NE(wave, nullptr);

    sound->dwDisable = 1;
    EXPECT_EQ(load(path), nullptr);
    EXPECT_FALSE(sound->playSound(wave));
    EXPECT_FALSE(isPlaying(wave->lpdsBuffer[0]));
    EXPECT_FALSE(sound->playSound(nullptr));
    sound->deleteSound(wave);
    sound->deleteSound(nullptr);
    sound->dwDisable = 0;

    storeNumber("TDirectSound::dwDisable", 1);
    TDirectSound disabled(base.get());
    std::string name = path;
    EXPECT_EQ(disabled.newSound(name.data(), 4), nullptr);
}

// Damaged files give no sound, or a sound of the bytes that are really there.
TEST_F(WaveSoundTest, DamagedFilesAreReadOnlyAsFarAsTheyGo) {
    std::vector<int16_t> samples = {100, 200, 300, 400, 500, 600, 700, 800};
    Bytes good = readFileBytes(waveFile("good.wav", samplesToBytes(samples), {22050, 16, 1}));
    size_t data = chunkOffset(good, "data");
    Bytes all = samplesToBytes(samples);

    auto loadBytes = [&](const Bytes& file) {
        writeFileBytes(directory.file("damaged.wav"), file);
        return load(directory.file("damaged.wav"));
    };
    auto expectSound = [&](structDirectSoundBuffer* wave, const Bytes& expected) {
        ASSERT_NE(wave, nullptr);
        EXPECT_EQ(contents(wave->lpdsBuffer[0]), expected);
        sound->deleteSound(wave);
    };

    Bytes truncated(good.begin(), good.begin() + static_cast<long>(data + 8 + 11));
    expectSound(loadBytes(truncated), Bytes(all.begin(), all.begin() + 11));

    Bytes claimsMore = good;
    putLittleEndian32(claimsMore, 4, 0xFFFFFFFFu);
    putLittleEndian32(claimsMore, data + 4, 0x10000000u);
    expectSound(loadBytes(claimsMore), all);

    Bytes odd = readFileBytes(waveFile("odd.wav", Bytes{1, 2, 3, 4, 5, 6, 7}, {22050, 8, 1}));
    expectSound(loadBytes(odd), (Bytes{1, 2, 3, 4, 5, 6, 7}));

    Bytes noData = good;
    std::memcpy(&noData[data], "dat_", 4);
    EXPECT_EQ(loadBytes(noData), nullptr);

    EXPECT_EQ(loadBytes(readFileBytes(waveFile("empty.wav", Bytes{}, {22050, 16, 1}))), nullptr);

    Bytes tooShortForABuffer(good.begin(), good.begin() + static_cast<long>(data + 8 + 2));
    EXPECT_EQ(loadBytes(tooShortForABuffer), nullptr);

    size_t format = chunkOffset(good, "fmt ");
    Bytes cutInFormat(good.begin(), good.begin() + static_cast<long>(format + 8 + 6));
    EXPECT_EQ(loadBytes(cutInFormat), nullptr);

    EXPECT_EQ(loadBytes(Bytes{'R', 'I', 'F', 'F'}), nullptr);
    directory.write("notes.wav", "plain text, not a wave file");
    EXPECT_EQ(load(directory.file("notes.wav")), nullptr);
    EXPECT_EQ(load(directory.file("missing.wav")), nullptr);
}

} // namespace
