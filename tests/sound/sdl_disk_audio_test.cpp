// The sdl backend on SDL's "disk" audio driver, which writes what the device plays to a
// file in real time: the mixer really runs on SDL's audio thread.
#include "headless_sound.h"
#include "temp_directory.h"
#include "wave_files.h"

#include <luma/platform.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

BOOL CALLBACK count(LPGUID, LPCSTR, LPCSTR, LPVOID context) {
    ++*static_cast<int*>(context);
    return TRUE;
}

TEST(SdlDiskAudio, ABufferPlaysOnTheAudioThreadAndItsCursorMoves) {
    TempDirectory directory;
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", directory.file("played.raw").c_str(), 1);
    ASSERT_TRUE(LumaSelectBackend("sdl"));
    int devices = 0;
    DirectSoundEnumerateA(count, &devices);
    EXPECT_GE(devices, 1) << "at least the primary sound driver";

    LPDIRECTSOUND device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    LPDIRECTSOUNDBUFFER buffer = makeBuffer(device, 22050, std::vector<int16_t>(22050, 12000));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    Sleep(300);
    DWORD play = 0, write = 0;
    buffer->GetCurrentPosition(&play, &write);
    buffer->Release();
    device->Release();

    EXPECT_GT(play, 0u);
    // 1/25 s ahead of what is heard, or where the mixer has read when the device holds more
    // (at most one 2048-frame block of 44100 Hz: 2048 bytes of this buffer).
    DWORD lead = (write + 44100 - play) % 44100;
    EXPECT_GE(lead, 1764u);
    EXPECT_LE(lead, 2048u);
    Bytes file = readFileBytes(directory.file("played.raw"));
    ASSERT_GT(file.size(), 4410u * 2) << "at least 100 ms of 44100 Hz mono";
    std::vector<int16_t> samples(file.size() / 2);
    std::memcpy(samples.data(), file.data(), samples.size() * 2);
    size_t steady = static_cast<size_t>(std::count(samples.begin(), samples.end(), 12000));
    size_t silent = static_cast<size_t>(std::count(samples.begin(), samples.end(), 0));
    EXPECT_GE(steady, 4410u);
    EXPECT_EQ(steady + silent, samples.size()) << "a steady buffer stays steady when resampled";
}

} // namespace
