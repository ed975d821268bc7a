// The eight-channel module: the file's header as the player keeps it, reading and parsing.
#pragma once

#include <windows.h>

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

// Reads the file whole, parses it and, with sound on, starts the music buffer.
void LoadModule(const char* path);
// Parses a module held in memory into the music state; false when its signature is not
// "8CHN" (the header is then read as far as the bytes go, and nothing else).
bool ParseModule(const unsigned char* bytes, unsigned long size);
void FreeModule();
