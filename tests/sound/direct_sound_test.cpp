#include "headless_sound.h"
#include "wave_files.h"

#include <luma/platform.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

class DirectSoundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        LumaSelectBackend("headless");
        LumaSetHeadlessSoundRate(deviceRate);
    }
    void SetUp() override {
        ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
        startOnWholeFrame();
    }
    void TearDown() override {
        if (device)
            device->Release();
    }

    LPDIRECTSOUND device = nullptr;
};

std::vector<int16_t> ramp(size_t count, int16_t step) {
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = static_cast<int16_t>(static_cast<int>(i) * step - 16000);
    return samples;
}

struct Enumerated {
    bool hasGuid;
    GUID guid;
    std::string description;
    std::string module;
};

BOOL CALLBACK collect(LPGUID guid, LPCSTR description, LPCSTR module, LPVOID context) {
    auto* list = static_cast<std::vector<Enumerated>*>(context);
    list->push_back({guid != nullptr, guid ? *guid : GUID{}, description, module});
    return TRUE;
}

BOOL CALLBACK takeFirst(LPGUID, LPCSTR, LPCSTR, LPVOID context) {
    ++*static_cast<int*>(context);
    return FALSE;
}

TEST_F(DirectSoundTest, EnumerationGivesThePrimaryDriverThenEachDeviceWithAStableGuid) {
    std::vector<Enumerated> first, second;
    ASSERT_EQ(DirectSoundEnumerateA(collect, &first), DS_OK);
    ASSERT_EQ(DirectSoundEnumerateA(collect, &second), DS_OK);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_FALSE(first[0].hasGuid);
    EXPECT_EQ(first[0].description, "Primary Sound Driver");
    EXPECT_EQ(first[0].module, "");
    EXPECT_TRUE(first[1].hasGuid);
    EXPECT_EQ(first[1].description, "Headless virtual speaker");
    EXPECT_EQ(first[1].module, "headless");
    EXPECT_NE(first[1].guid, GUID{});
    EXPECT_EQ(first[1].guid, second[1].guid);

    int calls = 0;
    EXPECT_EQ(DirectSoundEnumerateA(takeFirst, &calls), DS_OK);
    EXPECT_EQ(calls, 1) << "FALSE from the callback ends the enumeration";
    EXPECT_EQ(DirectSoundEnumerateA(nullptr, nullptr), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, CreateOpensTheDefaultOrAnEnumeratedDeviceAndRefusesUnknownOnes) {
    std::vector<Enumerated> devices;
    DirectSoundEnumerateA(collect, &devices);
    ASSERT_EQ(devices.size(), 2u);

    GUID zero{};
    for (const GUID* guid : {&zero, &devices[1].guid}) {
        LPDIRECTSOUND opened = nullptr;
        EXPECT_EQ(DirectSoundCreate(guid, &opened, nullptr), DS_OK);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(opened->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
        opened->Release();
    }

    GUID unknown = devices[1].guid;
    unknown.Data1 ^= 1;
    LPDIRECTSOUND opened = reinterpret_cast<LPDIRECTSOUND>(this);
    EXPECT_EQ(DirectSoundCreate(&unknown, &opened, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(opened, nullptr);
    EXPECT_EQ(DirectSoundCreate(nullptr, &opened, reinterpret_cast<LPUNKNOWN>(device)),
              DSERR_NOAGGREGATION);
}

TEST_F(DirectSoundTest, BuffersNeedAValidDescriptionAndAPcmFormat) {
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), 0xE0, 22050, 0, &format};
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    auto create = [&]() {
        if (buffer)
            buffer->Release();
        buffer = nullptr;
        return device->CreateSoundBuffer(&description, &buffer, nullptr);
    };
    EXPECT_EQ(create(), DS_OK);
    description.dwSize = 20; // as a 32-bit DirectSound 3 program measures it
    EXPECT_EQ(create(), DS_OK);
    for (DWORD rate : {8000u, 11025u, 44100u, 48000u}) {
        format.nSamplesPerSec = rate;
        EXPECT_EQ(create(), DS_OK) << rate;
    }
    format = {WAVE_FORMAT_PCM, 2, 44100, 44100 * 2, 2, 8, 0};
    EXPECT_EQ(create(), DS_OK) << "8-bit stereo";

    description.dwSize = 36;
    EXPECT_EQ(create(), DSERR_INVALIDPARAM);
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwBufferBytes = 2;
    EXPECT_EQ(create(), DSERR_INVALIDPARAM);
    description.dwBufferBytes = 22050;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER;
    EXPECT_EQ(create(), DSERR_UNSUPPORTED);
    description.dwFlags = 0xE0;
    format = {3, 1, 22050, 88200, 4, 32, 0};
    EXPECT_EQ(create(), DSERR_BADFORMAT);
    format = {WAVE_FORMAT_PCM, 1, 22050, 44100, 4, 16, 0};
    EXPECT_EQ(create(), DSERR_BADFORMAT) << "block alignment that does not fit";
    description.lpwfxFormat = nullptr;
    EXPECT_EQ(create(), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer, nullptr);
}

TEST_F(DirectSoundTest, LockGivesTheRangeAndASecondRegionAtTheStartWhenItWraps) {
    LPDIRECTSOUNDBUFFER buffer = makeBuffer(device, deviceRate, std::vector<int16_t>(500));
    uint8_t* start = nullptr;
    LPVOID region1 = nullptr, region2 = nullptr;
    DWORD length1 = 0, length2 = 0;

    ASSERT_EQ(buffer->Lock(0, 0, &region1, &length1, &region2, &length2, DSBLOCK_ENTIREBUFFER),
              DS_OK);
    start = static_cast<uint8_t*>(region1);
    EXPECT_EQ(length1, 1000u);
    EXPECT_EQ(region2, nullptr);
    EXPECT_EQ(length2, 0u);

    ASSERT_EQ(buffer->Lock(100, 200, &region1, &length1, &region2, &length2, 0), DS_OK);
    EXPECT_EQ(region1, start + 100);
    EXPECT_EQ(length1, 200u);
    EXPECT_EQ(region2, nullptr);

    ASSERT_EQ(buffer->Lock(800, 400, &region1, &length1, &region2, &length2, 0), DS_OK);
    EXPECT_EQ(region1, start + 800);
    EXPECT_EQ(length1, 200u);
    EXPECT_EQ(region2, start);
    EXPECT_EQ(length2, 200u);
    EXPECT_EQ(buffer->Unlock(region1, 150, region2, length2), DS_OK);

    EXPECT_EQ(buffer->Lock(0, 1002, &region1, &length1, &region2, &length2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(1000, 2, &region1, &length1, &region2, &length2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 0, &region1, &length1, &region2, &length2, 0), DSERR_INVALIDPARAM);
    int16_t elsewhere[4];
    EXPECT_EQ(buffer->Unlock(elsewhere, 8, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(start + 900, 200, nullptr, 0), DSERR_INVALIDPARAM);
    buffer->Release();
}

TEST_F(DirectSoundTest, CursorsFollowTheClockAndTheWriteCursorLeadsOnlyWhilePlaying) {
    LPDIRECTSOUNDBUFFER buffer = makeBuffer(device, deviceRate, std::vector<int16_t>(22050));
    DWORD play = 1, write = 1;
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(write, 0u) << "a stopped buffer can be written from its play cursor on";

    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(write, 1764u) << "1/25 s of 16-bit frames ahead";

    letTimePass(250);
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 5512u * 2) << "250 ms at 22050 frames per second";
    EXPECT_EQ(write, 5512u * 2 + 1764);

    letTimePass(750);
    buffer->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 0u) << "one second later the one-second buffer is back at its start";
    letTimePass(995);
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(write, (play + 1764) % 44100) << "the write cursor wraps too";

    buffer->Stop();
    DWORD stoppedAt = 0;
    buffer->GetCurrentPosition(&stoppedAt, &write);
    letTimePass(100);
    buffer->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, stoppedAt);
    EXPECT_EQ(write, stoppedAt);
    buffer->Release();
}

TEST_F(DirectSoundTest, LoopingBufferAtTheDeviceRateComesOutInOrderBitForBit) {
    std::vector<int16_t> samples = ramp(1000, 32);
    LPDIRECTSOUNDBUFFER buffer = makeBuffer(device, deviceRate, samples);
    Recorder recorder;
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    letTimePass(200);
    std::vector<int16_t> played = recorder.played();
    ASSERT_EQ(played.size(), 4410u);
    for (size_t i = 0; i < played.size(); ++i)
        ASSERT_EQ(played[i], samples[i % samples.size()]) << "frame " << i;
    buffer->Release();
}

TEST_F(DirectSoundTest, BuffersAtOtherRatesAreResampledToTheDevice) {
    std::vector<int16_t> samples = ramp(100, 200);
    LPDIRECTSOUNDBUFFER slow = makeBuffer(device, deviceRate / 2, samples);
    Recorder recorder;
    slow->Play(0, 0, 0);
    letTimePass(20);
    std::vector<int16_t> played = recorder.played();
    ASSERT_GE(played.size(), 198u);
    for (size_t k = 0; k + 1 < samples.size(); ++k) {
        EXPECT_EQ(played[2 * k], samples[k]);
        EXPECT_EQ(played[2 * k + 1], samples[k] + 100) << "half way to the next frame";
    }
    slow->Release();

    LPDIRECTSOUNDBUFFER fast = makeBuffer(device, deviceRate * 2, samples);
    Recorder again;
    fast->Play(0, 0, 0);
    letTimePass(10);
    played = again.played();
    for (size_t k = 0; k < 50; ++k)
        EXPECT_EQ(played[k], samples[2 * k]);
    EXPECT_EQ(played[50], 0) << "100 frames at twice the rate last 50 device frames";
    fast->Release();
}

TEST_F(DirectSoundTest, OneShotBufferStopsAtItsEndAndPlaysAgainFromItsStart) {
    std::vector<int16_t> samples = ramp(300, 100);
    LPDIRECTSOUNDBUFFER buffer = makeBuffer(device, deviceRate, samples);
    for (int round = 0; round < 2; ++round) {
        Recorder recorder;
        ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
        letTimePass(100);
        std::vector<int16_t> played = recorder.played();
        ASSERT_GT(played.size(), 600u);
        EXPECT_TRUE(std::equal(samples.begin(), samples.end(), played.begin()));
        EXPECT_EQ(std::count(played.begin() + 300, played.end(), 0), long(played.size() - 300));
        DWORD status = 1, play = 1;
        buffer->GetStatus(&status);
        buffer->GetCurrentPosition(&play, nullptr);
        EXPECT_EQ(status, 0u);
        EXPECT_EQ(play, 0u);
    }
    buffer->Release();
}

double meanMagnitude(const std::vector<int16_t>& samples) {
    double sum = 0;
    for (int16_t sample : samples)
        sum += std::abs(sample);
    return samples.empty() ? 0 : sum / samples.size();
}

double playedLevel(LPDIRECTSOUNDBUFFER buffer) {
    Recorder recorder;
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    letTimePass(50);
    buffer->Stop();
    return meanMagnitude(recorder.played());
}

// Hundredths of a decibel of amplitude: -1506 is 15.06 dB down, -602 about half.
TEST_F(DirectSoundTest, VolumeAndPanAttenuateInHundredthsOfADecibel) {
    LPDIRECTSOUNDBUFFER buffer = makeBuffer(device, deviceRate, std::vector<int16_t>(1000, 20000));
    EXPECT_NEAR(playedLevel(buffer), 20000, 0.5);
    for (LONG volume : {-1506, -602, -100, -5000}) {
        ASSERT_EQ(buffer->SetVolume(volume), DS_OK);
        EXPECT_NEAR(playedLevel(buffer), 20000 * std::pow(10.0, volume / 2000.0), 1.5) << volume;
    }
    buffer->SetVolume(DSBVOLUME_MIN);
    EXPECT_EQ(playedLevel(buffer), 0) << "-10000 is silence";

    LONG volume = 0;
    buffer->GetVolume(&volume);
    EXPECT_EQ(volume, DSBVOLUME_MIN);
    EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);

    // A mono device hears the mean of both sides: one side silent is half as loud.
    buffer->SetVolume(0);
    buffer->SetPan(DSBPAN_RIGHT);
    EXPECT_NEAR(playedLevel(buffer), 10000, 1);
    buffer->SetPan(-2000);
    EXPECT_NEAR(playedLevel(buffer), 10000 * (1 + std::pow(10.0, -1.0)), 1.5);
    EXPECT_EQ(buffer->SetPan(10001), DSERR_INVALIDPARAM);
    buffer->Release();
}

TEST_F(DirectSoundTest, PlayingBuffersAreSummedAndClipped) {
    LPDIRECTSOUNDBUFFER a = makeBuffer(device, deviceRate, std::vector<int16_t>(100, 1000));
    LPDIRECTSOUNDBUFFER b = makeBuffer(device, deviceRate, std::vector<int16_t>(100, -3000));
    LPDIRECTSOUNDBUFFER loud = makeBuffer(device, deviceRate, std::vector<int16_t>(100, 32000));
    a->Play(0, 0, DSBPLAY_LOOPING);
    b->Play(0, 0, DSBPLAY_LOOPING);
    Recorder both;
    letTimePass(10);
    for (int16_t sample : both.played())
        ASSERT_EQ(sample, -2000);
    b->Stop();
    loud->Play(0, 0, DSBPLAY_LOOPING);
    Recorder clipped;
    letTimePass(10);
    for (int16_t sample : clipped.played())
        ASSERT_EQ(sample, 32767);
    a->Release();
    b->Release();
    loud->Release();
}

TEST_F(DirectSoundTest, DevicesOpenAtTheSameTimeAreHeardTogether) {
    LPDIRECTSOUND second = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &second, nullptr), DS_OK);
    LPDIRECTSOUNDBUFFER a = makeBuffer(device, deviceRate, std::vector<int16_t>(100, 1000));
    LPDIRECTSOUNDBUFFER b = makeBuffer(second, deviceRate, std::vector<int16_t>(100, 234));
    a->Play(0, 0, DSBPLAY_LOOPING);
    b->Play(0, 0, DSBPLAY_LOOPING);
    Recorder both;
    letTimePass(10);
    for (int16_t sample : both.played())
        ASSERT_EQ(sample, 1234);
    b->Release();
    second->Release();
    Recorder one;
    letTimePass(10);
    for (int16_t sample : one.played())
        ASSERT_EQ(sample, 1000);
    a->Release();
}

TEST_F(DirectSoundTest, EightBitAndStereoFramesPlayAsTheirMonoMean) {
    Bytes eightBitStereo = {0, 0, 255, 255, 128, 128, 192, 64, 255, 128};
    LPDIRECTSOUNDBUFFER buffer = makeBuffer(device, deviceRate, eightBitStereo, 8, 2);
    Recorder recorder;
    buffer->Play(0, 0, 0);
    letTimePass(5);
    std::vector<int16_t> played = recorder.played();
    ASSERT_GE(played.size(), 5u);
    EXPECT_EQ(played[0], -32768);
    EXPECT_EQ(played[1], 32512);
    EXPECT_EQ(played[2], 0);
    EXPECT_EQ(played[3], 0);
    EXPECT_EQ(played[4], 127 * 128);
    buffer->Release();
}

TEST_F(DirectSoundTest, DuplicatesShareTheDataButPlayAndSoundOnTheirOwn) {
    LPDIRECTSOUNDBUFFER original = makeBuffer(device, deviceRate, std::vector<int16_t>(100, 1000));
    original->SetVolume(-602);
    LPDIRECTSOUNDBUFFER copy = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(original, &copy), DS_OK);
    ASSERT_NE(copy, nullptr);
    LONG volume = 0;
    copy->GetVolume(&volume);
    EXPECT_EQ(volume, -602) << "a duplicate starts with the original's settings";

    // The data is shared: what is written through one is heard through the other.
    LPVOID region = nullptr;
    DWORD length = 0;
    ASSERT_EQ(original->Lock(0, 0, &region, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER),
              DS_OK);
    std::vector<int16_t> louder(100, 4000);
    std::memcpy(region, louder.data(), length);
    original->Unlock(region, length, nullptr, 0);

    copy->SetVolume(0);
    Recorder recorder;
    copy->Play(0, 0, DSBPLAY_LOOPING);
    letTimePass(10);
    EXPECT_NEAR(meanMagnitude(recorder.played()), 4000, 0.5);
    DWORD status = 0;
    original->GetStatus(&status);
    EXPECT_EQ(status, 0u) << "the original stays stopped";
    original->GetVolume(&volume);
    EXPECT_EQ(volume, -602);

    original->Release();
    Recorder afterRelease;
    letTimePass(10);
    EXPECT_NEAR(meanMagnitude(afterRelease.played()), 4000, 0.5) << "the copy keeps the data";
    copy->Release();
}

TEST_F(DirectSoundTest, ATestSwitchLimitsHowManyDuplicatesTheDeviceMakes) {
    LumaLimitSoundDuplicates(2);
    LPDIRECTSOUNDBUFFER original = makeBuffer(device, deviceRate, std::vector<int16_t>(100));
    LPDIRECTSOUNDBUFFER copies[3] = {};
    EXPECT_EQ(device->DuplicateSoundBuffer(original, &copies[0]), DS_OK);
    EXPECT_EQ(device->DuplicateSoundBuffer(original, &copies[1]), DS_OK);
    EXPECT_EQ(device->DuplicateSoundBuffer(original, &copies[2]), DSERR_ALLOCATED);
    EXPECT_EQ(copies[2], nullptr);
    copies[0]->Release();
    EXPECT_EQ(device->DuplicateSoundBuffer(copies[1], &copies[2]), DS_OK)
        << "a released duplicate frees its place";
    LumaLimitSoundDuplicates(-1);
    copies[1]->Release();
    copies[2]->Release();
    original->Release();
}

TEST_F(DirectSoundTest, BuffersOutlivingTheirDeviceFallSilentAndReportTheLoss) {
    LPDIRECTSOUNDBUFFER buffer = makeBuffer(device, deviceRate, std::vector<int16_t>(100, 5000));
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    device->Release();
    device = nullptr;
    Recorder recorder;
    letTimePass(10);
    EXPECT_EQ(meanMagnitude(recorder.played()), 0);
    EXPECT_EQ(buffer->Play(0, 0, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(buffer->Release(), 0u);
}

} // namespace
