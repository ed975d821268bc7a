#include "module.h"

#include "music_buffer.h"
#include "sequencer.h"

#include "../demo_state.h"
#include "../run_length.h"

#include <TDirectSound.h>
#include <TLumaBase.h>

#include <cstdlib>
#include <cstring>

ModuleHeader moduleHeader;
unsigned char* patternData;
int patternCount;
short* sampleData[31];
IDirectSoundBuffer* musicBuffer;

namespace {

unsigned short byteCountOf(unsigned short bigEndianWords) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&bigEndianWords);
    return static_cast<unsigned short>(((bytes[0] << 8) | bytes[1]) * 2);
}

// Reads up to `size` bytes; what the file does not hold stays 0.
DWORD readInto(HANDLE file, void* buffer, DWORD size) {
    std::memset(buffer, 0, size);
    DWORD got = 0;
    if (file != INVALID_HANDLE_VALUE)
        ReadFile(file, buffer, size, &got, 0);
    return got;
}

void convertSampleRecords(DWORD& sampleBytes) {
    sampleBytes = 0;
    for (SampleRecord& sample : moduleHeader.samples) {
        sample.length = byteCountOf(sample.length);
        sample.repeatOffset = byteCountOf(sample.repeatOffset);
        sample.repeatLength = byteCountOf(sample.repeatLength);
        sampleBytes += sample.length;
    }
}

void readPatterns(HANDLE file, DWORD fileSize, DWORD sampleBytes) {
    DWORD afterHeader = fileSize > sizeof(ModuleHeader) ? fileSize - sizeof(ModuleHeader) : 0;
    patternCount = afterHeader > sampleBytes ? (afterHeader - sampleBytes) / patternBytes : 0;
    patternData =
        static_cast<unsigned char*>(std::calloc(patternCount ? patternCount : 1, patternBytes));
    if (!patternData) {
        patternCount = 0;
        return;
    }
    readInto(file, patternData, patternCount * patternBytes);
}

// A sample that runs past the end of the file is cut to the bytes the file holds.
void readSamples(HANDLE file) {
    for (int number = 0; number < 31; ++number) {
        SampleRecord& sample = moduleHeader.samples[number];
        signed char* staging = static_cast<signed char*>(std::malloc(sample.length + 1));
        sampleData[number] = static_cast<short*>(std::malloc((sample.length + 1) * sizeof(short)));
        if (!staging || !sampleData[number]) {
            std::free(staging);
            sample.length = 0;
            continue;
        }
        DWORD got = sample.length ? readInto(file, staging, sample.length) : 0;
        sample.length = static_cast<unsigned short>(got);
        for (DWORD i = 0; i < got; ++i)
            sampleData[number][i] = static_cast<short>(staging[i] * 32);
        std::free(staging);
    }
}

// A NUL (a missing file reads as zeros) would end the log line early and lose its line feed.
char printable(char c) { return c >= 32 && c < 127 ? c : '.'; }

} // namespace

void LoadModule(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, 0);
    readInto(file, &moduleHeader, sizeof moduleHeader);

    if (std::memcmp(moduleHeader.signature, "8CHN", 4) != 0) {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        lumaBase->DebugOut(
            "Falsches Mod-Format! %s (%c%c%c%c)\n", path, printable(moduleHeader.signature[0]),
            printable(moduleHeader.signature[1]), printable(moduleHeader.signature[2]),
            printable(moduleHeader.signature[3]));
        // No pattern was loaded, so there is no song to play.
        moduleHeader.songLength = 0;
        return;
    }

    // The order table has 128 entries: a longer song would play positions past its end.
    if (moduleHeader.songLength > sizeof moduleHeader.order)
        moduleHeader.songLength = sizeof moduleHeader.order;

    DWORD sampleBytes = 0;
    convertSampleRecords(sampleBytes);
    readPatterns(file, GetFileSize(file, 0), sampleBytes);
    readSamples(file);
    CloseHandle(file);

    ResetSequencer();
    ExpectRunLength(moduleHeader.songLength * 64ul * 120ul);
    if (directSound && directSound->lpDS)
        StartMusicBuffer(directSound->lpDS);
}

void FreeModule() {
    for (short*& samples : sampleData) {
        std::free(samples);
        samples = 0;
    }
    std::free(patternData);
    patternData = 0;
    patternCount = 0;
    if (directSound && musicBuffer) {
        musicBuffer->Release();
        musicBuffer = 0;
    }
}
