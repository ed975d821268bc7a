#include "sound_engine_fixture.h"

#include <cstring>

namespace {

using SoundDeviceTest = SoundEngineTest;

const char* const openingLog = "Initializing DirectSound:\n"
                               "  Enumerating Primary Sound Driver:\n"
                               "  done.\n"
                               "  Enumerating Headless virtual speaker:\n"
                               "  done.\n"
                               "done.\n";

TEST_F(SoundDeviceTest, FirstRunEnumeratesOpensTheDefaultDeviceAndSavesTheDefaults) {
    auto sound = std::make_unique<TDirectSound>(base.get());
    EXPECT_EQ(log(), openingLog);
    EXPECT_EQ(sound->base, base.get());
    EXPECT_NE(sound->lpDS, nullptr);
    EXPECT_EQ(sound->dwDisable, 0u);
    EXPECT_EQ(sound->dwVolume, 5u);
    EXPECT_EQ(sound->guidDevice, GUID{});
    EXPECT_EQ(sound->getVolume(), 100u) << "the default attenuation reads as 100 %";
    EXPECT_FALSE(sound->isPlaying());

    structDirectSoundDevice* primary = sound->deviceList;
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->guid, GUID{});
    EXPECT_STREQ(primary->lpszDescription, "Primary Sound Driver");
    EXPECT_STREQ(primary->lpszModule, "");
    structDirectSoundDevice* speaker = primary->next;
    ASSERT_NE(speaker, nullptr);
    EXPECT_NE(speaker->guid, GUID{});
    EXPECT_STREQ(speaker->lpszDescription, "Headless virtual speaker");
    EXPECT_STREQ(speaker->lpszModule, "headless");
    EXPECT_EQ(speaker->next, nullptr);

    sound.reset();
    EXPECT_EQ(log(), std::string(openingLog) + "De-initializing DirectSound:\n"
                                               "  Waiting for DirectSound to stop playing...\n"
                                               "done.\n"
                                               "done.\n");
    DWORD type = 0;
    std::string contents;
    ASSERT_TRUE(stored("TDirectSound::dwDisable", type, contents));
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(contents, "0");
    ASSERT_TRUE(stored("TDirectSound::dwVolume", type, contents));
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(contents, "5");
    ASSERT_TRUE(stored("TDirectSound::guidDevice", type, contents));
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(contents, "{00000000-0000-0000-0000-000000000000}");
}

TEST_F(SoundDeviceTest, DisableStoredAsAStringTurnsSoundOff) {
    for (const char* text : {"1", "0", "disabled"}) {
        storeText("TDirectSound::dwDisable", text);
        TDirectSound sound(base.get());
        EXPECT_EQ(sound.dwDisable, 1u) << text;
        EXPECT_EQ(sound.lpDS, nullptr) << text;
    }
    storeNumber("TDirectSound::dwDisable", 7);
    TDirectSound sound(base.get());
    EXPECT_EQ(sound.dwDisable, 7u);
    EXPECT_EQ(sound.lpDS, nullptr);
}

TEST_F(SoundDeviceTest, StoredVolumeAndDeviceAreUsedAndAVolumeOfAnotherTypeIsIgnored) {
    storeNumber("TDirectSound::dwVolume", 1506);
    GUID speaker{};
    {
        TDirectSound sound(base.get());
        EXPECT_EQ(sound.dwVolume, 1506u);
        EXPECT_EQ(sound.getVolume(), 50u);
        speaker = sound.deviceList->next->guid;
    }
    char text[40];
    GUID2str(speaker, text);
    storeText("TDirectSound::guidDevice", text);
    storeText("TDirectSound::dwVolume", "1506");
    TDirectSound sound(base.get());
    EXPECT_EQ(sound.guidDevice, speaker);
    EXPECT_NE(sound.lpDS, nullptr);
    EXPECT_EQ(sound.dwVolume, 5u);
}

TEST_F(SoundDeviceTest, FailedOpenShowsTheBoxAndTurnsSoundOffForLaterRuns) {
    storeText("TDirectSound::guidDevice", "{01020304-0506-0708-090A-0B0C0D0E0F10}");
    ::testing::internal::CaptureStderr();
    auto sound = std::make_unique<TDirectSound>(base.get());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "[DirectSound] ERROR: Unable to initialize DirectSound!\n\nInvalid parameter!\n");
    EXPECT_EQ(sound->lpDS, nullptr);
    EXPECT_EQ(sound->dwDisable, 1u);
    EXPECT_EQ(log(), openingLog);
    sound.reset();
    EXPECT_EQ(log(), std::string(openingLog) + "De-initializing DirectSound:\ndone.\n");

    DWORD type = 0;
    std::string contents;
    ASSERT_TRUE(stored("TDirectSound::dwDisable", type, contents));
    EXPECT_EQ(contents, "1");

    ::testing::internal::CaptureStderr();
    TDirectSound later(base.get());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "no second box";
    EXPECT_EQ(later.dwDisable, 1u);
    EXPECT_EQ(later.lpDS, nullptr);
    EXPECT_FALSE(later.Init());
}

TEST_F(SoundDeviceTest, SetDeviceReopensOnTheChosenDevice) {
    TDirectSound sound(base.get());
    GUID speaker = sound.deviceList->next->guid;
    EXPECT_TRUE(sound.setDevice(speaker));
    EXPECT_EQ(sound.guidDevice, speaker);
    EXPECT_NE(sound.lpDS, nullptr);

    GUID unknown = speaker;
    unknown.Data2 ^= 0xFFFF;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(sound.setDevice(unknown));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Invalid parameter!"),
              std::string::npos);
    EXPECT_EQ(sound.lpDS, nullptr);
    EXPECT_EQ(sound.dwDisable, 1u);
}

TEST_F(SoundDeviceTest, VolumePercentagesMapToAttenuationAndBack) {
    storeNumber("TDirectSound::dwDisable", 1);
    TDirectSound sound(base.get());
    for (unsigned long percent = 1; percent <= 100; ++percent) {
        sound.setVolume(percent);
        EXPECT_EQ(sound.getVolume(), percent) << "attenuation " << sound.dwVolume;
    }
    const struct {
        unsigned long percent;
        DWORD attenuation;
    } listed[] = {{100, 0},   {90, 229}, {75, 625}, {50, 1506}, {25, 3011},
                  {10, 5000}, {5, 6506}, {2, 8495}, {1, 10000}};
    for (const auto& entry : listed) {
        sound.setVolume(entry.percent);
        EXPECT_EQ(sound.dwVolume, entry.attenuation) << entry.percent << " %";
    }
    sound.setVolume(0);
    EXPECT_EQ(sound.dwVolume, 10000u);
    EXPECT_EQ(sound.getVolume(), 1u) << "silence still reads as 1 %";
    sound.setVolume(250);
    EXPECT_EQ(sound.dwVolume, 0u);
    EXPECT_EQ(sound.getVolume(), 100u);
}

TEST_F(SoundDeviceTest, ErrorTextsNameEveryCodeAndShowUnknownOnesInHex) {
    storeNumber("TDirectSound::dwDisable", 1);
    TDirectSound sound(base.get());
    const struct {
        DWORD code;
        const char* text;
    } table[] = {
        {0x8878000A, "Already allocated!"},
        {0x88780082, "Object already initialized!"},
        {0x88780064, "The specified wave format is not supported!"},
        {0x88780096, "The buffer memory has been lost!"},
        {0x8878001E, "The control is not available!"},
        {0x80004005, "Undetermined error occurred inside DirectSound subsystem!"},
        {0x88780032, "Function not valid for current state of object!"},
        {0x80070057, "Invalid parameter!"},
        {0x80040110, "Object does not support aggregation!"},
        {0x88780078, "No sound driver is available for use!"},
        {0x80004002, "The requested COM interface is not available!"},
        {0x887800A0, "Another application has a higher priority level, preventing this call from "
                     "succeeding!"},
        {0x8007000E, "Out of memory!"},
        {0x88780046, "You don't have the priority level required for the function to succeed!"},
        {0x887800AA, "IDirectSound::Initialize method has been called/called successfully!"},
        {0x80004001, "Function not supported!"},
    };
    char text[512];
    for (const auto& entry : table) {
        sound.getErrorString(static_cast<int>(entry.code), text);
        EXPECT_STREQ(text, entry.text) << std::hex << entry.code;
    }
    sound.getErrorString(static_cast<int>(0x8878ABCDu), text);
    EXPECT_STREQ(text, "Unknown HRESULT(0x8878abcd)");
    sound.getErrorString(0, text);
    EXPECT_STREQ(text, "Unknown HRESULT(0x00000000)");

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(sound.ErrorMessage(static_cast<int>(0x88780078u), "Step failed."));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "[DirectSound] Step failed.\n\nNo sound driver is available for use!\n");
}

} // namespace
