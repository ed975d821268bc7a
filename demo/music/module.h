// The eight-channel module: its header, patterns and samples as the player keeps them.
#pragma once

#include <windows.h>
#include <dsound.h>

// Windows' headers make FreeModule a macro for FreeLibrary; here it is the music's own.
#undef FreeModule

struct SampleRecord {
    char name[22];
    unsigned short length; // bytes (the file's big-endian words, times 2)
    unsigned char finetune;
    unsigned char volume;
    unsigned short repeatOffset; // bytes
    unsigned short repeatLength; // bytes
};

struct ModuleHeader {
    char title[20];
    SampleRecord samples[31];
    unsigned char songLength;
    unsigned char restartPosition;
    unsigned char order[128];
    char signature[4];
};

static_assert(sizeof(SampleRecord) == 30, "a sample record is 30 bytes");
static_assert(sizeof(ModuleHeader) == 1084, "the module header is 1084 bytes");

const int patternBytes = 64 * 8 * 4;

extern ModuleHeader moduleHeader;
extern unsigned char* patternData;
extern int patternCount;
extern short* sampleData[31]; // samples 1 to 31, widened to 16 bits
extern IDirectSoundBuffer* musicBuffer;

void LoadModule(const char* path);
void FreeModule();
