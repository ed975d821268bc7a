// The engine's sound device: enumeration, settings, volume, error texts, and sounds loaded
// from wave files that can be started again while earlier starts still sound.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include "LumaExport.h"

class TLumaBase;

struct structDirectSoundDevice {
    GUID guid; // all zero for the primary sound driver
    char* lpszDescription;
    char* lpszModule;
    structDirectSoundDevice* next;
};

// One sound and its copies: slot 0 was loaded from the file, the others duplicate it.
struct structDirectSoundBuffer {
    LPDIRECTSOUNDBUFFER* lpdsBuffer;
    int nCurrent;
    int nCount;
};

class LUMABASE_API TDirectSound {
public:
    TLumaBase* base;
    LPDIRECTSOUND lpDS;
    structDirectSoundDevice* deviceList;
    DWORD dwDisable;
    DWORD dwVolume; // attenuation in hundredths of a decibel
    GUID guidDevice;

    explicit TDirectSound(TLumaBase* base);
    ~TDirectSound();

    bool LoadRegistry();
    bool SaveRegistry();
    bool Init();
    bool Exit();
    bool isPlaying();
    unsigned long getVolume();
    void setVolume(unsigned long percent);
    bool setDevice(GUID guid);
    void Update();
    bool ErrorMessage(int result, const char* text);
    void getErrorString(int result, char* out);

    structDirectSoundBuffer* newSound(char* fileName, int count);
    bool playSound(structDirectSoundBuffer* sound);
    void deleteSound(structDirectSoundBuffer* sound);

    TDirectSound(const TDirectSound&) = delete;
    TDirectSound& operator=(const TDirectSound&) = delete;
};
