// The captured sound in the program's own process: a buffer at the device's rate, at full
// volume and centred, reaches the WAV file unchanged.
#include "program_run.h"
#include "temp_directory.h"

#include <luma/platform.h>
#include <windows.h>
#include <dsound.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<int16_t> rawSamples(const std::string& bytes) {
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

TEST(SoundCapture, ABufferAtTheDeviceRateAtFullVolumeAndCentredIsInTheWavBitForBit) {
    TempDirectory directory;
    ASSERT_EQ(runCommand("sox -n -r 22050 -c 1 -b 16 -e signed -t raw noise.raw synth 0.5 "
                         "whitenoise vol 0.8")
                  .status,
              0);
    std::vector<int16_t> noise = rawSamples(readFile(directory.file("noise.raw")));
    ASSERT_EQ(noise.size(), 11025u);

    LumaSelectBackend("headless");
    LumaSetHeadlessSoundRate(22050);
    LumaWriteSound(directory.file("played.wav").c_str());
    char problem[1024];
    ASSERT_TRUE(LumaStartCapture(problem, sizeof problem)) << problem;

    LPDIRECTSOUND device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 44100;
    format.wBitsPerSample = 16;
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = static_cast<DWORD>(noise.size() * 2);
    description.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), DS_OK);
    LPVOID region = nullptr;
    DWORD length = 0;
    ASSERT_EQ(buffer->Lock(0, 0, &region, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    std::memcpy(region, noise.data(), length);
    buffer->Unlock(region, length, nullptr, 0);
    buffer->SetVolume(0);
    buffer->SetPan(0);

    DWORD silentBefore = LumaHeadlessSound(nullptr, nullptr);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    Sleep(1000);
    // Released before anything asked for the sound: what it played is kept all the same.
    buffer->Release();
    device->Release();
    ASSERT_TRUE(LumaFinishCapture(problem, sizeof problem)) << problem;

    // One second at 60 frames per second: 60 frames, 22050 samples.
    ASSERT_EQ(runCommand("sox played.wav -t raw -e signed -b 16 -L played.raw").status, 0);
    std::vector<int16_t> played = rawSamples(readFile(directory.file("played.raw")));
    ASSERT_EQ(played.size(), 22050u);
    for (size_t i = 0; i < played.size(); ++i) {
        int16_t expected = i < silentBefore ? 0 : noise[(i - silentBefore) % noise.size()];
        ASSERT_EQ(played[i], expected) << "sample " << i;
    }
}

} // namespace
