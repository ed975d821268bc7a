// The sdl backend where SDL has no audio driver: no devices, and TDirectSound turns sound off.
#include "temp_directory.h"
#include "test_resources.h"

#include <TDirectSound.h>
#include <TLumaBase.h>
#include <luma/platform.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

BOOL CALLBACK count(LPGUID, LPCSTR, LPCSTR, LPVOID context) {
    ++*static_cast<int*>(context);
    return TRUE;
}

TEST(SdlWithoutAudio, NoDeviceIsListedAndOpeningFailsWithNoDriver) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_TRUE(LumaSelectBackend("sdl"));
    int devices = 0;
    EXPECT_EQ(DirectSoundEnumerateA(count, &devices), DS_OK);
    EXPECT_EQ(devices, 0);
    LPDIRECTSOUND device = reinterpret_cast<LPDIRECTSOUND>(&devices);
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);

    TempDirectory directory;
    RegisterTestResources();
    {
        TLumaBase base(GetModuleHandleA(nullptr), testNameId, testKeyId, true);
        ::testing::internal::CaptureStderr();
        {
            TDirectSound sound(&base);
            EXPECT_EQ(sound.lpDS, nullptr);
            EXPECT_EQ(sound.dwDisable, 1u);
            EXPECT_EQ(sound.deviceList, nullptr);
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "[DirectSound] ERROR: Unable to initialize DirectSound!\n\n"
                  "No sound driver is available for use!\n");
        DWORD disabled = 0, size = sizeof disabled;
        ASSERT_EQ(RegQueryValueExA(base.hKey, "TDirectSound::dwDisable", nullptr, nullptr,
                                   reinterpret_cast<LPBYTE>(&disabled), &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(disabled, 1u) << "saved for later runs";
    }
    EXPECT_EQ(directory.read("LumaTest.log"), "Initializing DirectSound:\n"
                                              "done.\n"
                                              "De-initializing DirectSound:\n"
                                              "done.\n");
}

} // namespace
