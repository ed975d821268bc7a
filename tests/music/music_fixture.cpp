#include "music_fixture.h"

#include <luma/platform.h>
#include <luma/resources.h>

extern const LumaResources programResources;

void MusicTest::SetUp() {
    LumaRegisterResources(&programResources);
    lumaBase = new TLumaBase(GetModuleHandleA(nullptr), 10001, 10002, true);
    directSound = nullptr;
    mainWindow = nullptr;
    soundEnabled = 0;
    sampleRate = 22050;
    samplesPerRow = 2646;
    sceneByte = 255;
    syncByte = 0;
    music.writeOffsetBytes = 0;
}

void MusicTest::TearDown() {
    FreeModule();
    music.buffer = nullptr;
    delete lumaBase;
    lumaBase = nullptr;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void MusicTest::load(const ModuleBuilder& module) {
    module.write(directory.file("song.mod"));
    LoadModule("song.mod");
}

std::string MusicTest::log() const { return directory.read("Glimmerfall.log"); }

bool MusicTest::closeRequested() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message == WM_CLOSE)
            return true;
    return false;
}
