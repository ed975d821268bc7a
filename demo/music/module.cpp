#include "module.h"

#include "music_buffer.h"
#include "music_render.h"
#include "music_state.h"

#include "../demo_state.h"
#include "../surroundings.h"

#include <TDirectSound.h>
#include <TLumaBase.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const unsigned long headerBytes = sizeof(ModuleHeader);

unsigned int wordsOf(unsigned short bigEndianWords) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&bigEndianWords);
    return (static_cast<unsigned int>(bytes[0]) << 8) | bytes[1];
}

// The header keeps byte counts in its 16-bit fields; the player's own lengths are 32 bits.
// Returns the bytes of sample data the records ask for.
unsigned long convertSampleRecords() {
    unsigned long sampleBytes = 0;
    for (int number = 0; number < 31; ++number) {
        SampleRecord& sample = music.header.samples[number];
        unsigned int lengthBytes = wordsOf(sample.length) * 2;
        music.sampleRecordLengths[number] = lengthBytes;
        music.sampleLengths[number] = lengthBytes;
        music.loopStarts[number] = wordsOf(sample.repeatOffset) * 2;
        sample.length = static_cast<unsigned short>(lengthBytes);
        sample.repeatOffset = static_cast<unsigned short>(music.loopStarts[number]);
        sample.repeatLength = static_cast<unsigned short>(wordsOf(sample.repeatLength) * 2);
        sampleBytes += lengthBytes;
    }
    return sampleBytes;
}

// The pattern count comes from the file's size: what is left after the header and the
// sample data, in whole patterns.
void takePatterns(const unsigned char* bytes, unsigned long size, unsigned long sampleBytes) {
    unsigned long afterHeader = size > headerBytes ? size - headerBytes : 0;
    music.patternCount = afterHeader > sampleBytes
                             ? static_cast<int>((afterHeader - sampleBytes) / patternBytes)
                             : 0;
    music.patterns = static_cast<unsigned char*>(
        std::calloc(music.patternCount ? music.patternCount : 1, patternBytes));
    if (!music.patterns) {
        music.patternCount = 0;
        return;
    }
    std::memcpy(music.patterns, bytes + headerBytes,
                static_cast<size_t>(music.patternCount) * patternBytes);
}

// Each sample widened to 16 bits (value times 32); one that runs past the end of the file is
// cut to the bytes the file holds.
void takeSamples(const unsigned char* bytes, unsigned long size) {
    unsigned long at = headerBytes + static_cast<unsigned long>(music.patternCount) * patternBytes;
    for (int number = 0; number < 31; ++number) {
        unsigned long left = size > at ? size - at : 0;
        unsigned int length = music.sampleLengths[number] < left ? music.sampleLengths[number]
                                                                 : static_cast<unsigned int>(left);
        music.samples[number] =
            static_cast<short*>(std::malloc((static_cast<size_t>(length) + 1) * sizeof(short)));
        if (!music.samples[number])
            length = 0;
        for (unsigned int i = 0; i < length; ++i)
            music.samples[number][i] =
                static_cast<short>(static_cast<signed char>(bytes[at + i]) * 32);
        music.sampleLengths[number] = length;
        music.header.samples[number].length = static_cast<unsigned short>(length);
        at += length;
    }
}

// The whole file; null (and 0) when it cannot be read.
unsigned char* readWholeFile(const char* path, unsigned long& size) {
    size = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD fileSize = GetFileSize(file, 0);
    unsigned char* bytes =
        fileSize != INVALID_FILE_SIZE ? static_cast<unsigned char*>(std::malloc(fileSize + 1)) : 0;
    DWORD got = 0;
    if (bytes && !ReadFile(file, bytes, fileSize, &got, 0))
        got = 0;
    CloseHandle(file);
    size = got;
    return bytes;
}

// A NUL (a missing file reads as zeros) would end the log line early and lose its line feed.
char printable(char c) { return c >= 32 && c < 127 ? c : '.'; }

void TellAboutRejectedModule(const char* path, const char* signature) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "%s is not an eight-channel module (it says \"%s\" where \"8CHN\" belongs): "
                  "without its song the demo ends at once",
                  path, signature);
    TellUser(text);
}

// "2:41" for a number of rows of 120 ms.
void formatRows(char* text, size_t size, unsigned long rows) {
    unsigned long seconds = rows * 120 / 1000;
    std::snprintf(text, size, "%lu:%02lu", seconds / 60, seconds % 60);
}

// A file shorter than its order table and sample records need loses patterns from the end
// (their count comes from the file's length): said once, with where the song now ends.
void TellIfCutShort(const char* path, unsigned long size) {
    int patternsPlayed = 0;
    for (int position = 0; position < music.header.songLength; ++position)
        if (music.header.order[position] + 1 > patternsPlayed)
            patternsPlayed = music.header.order[position] + 1;
    unsigned long sampleBytes = 0;
    for (unsigned int length : music.sampleRecordLengths)
        sampleBytes += length;
    unsigned long needed =
        headerBytes + static_cast<unsigned long>(patternsPlayed) * patternBytes + sampleBytes;
    if (size >= needed)
        return;
    int endPosition = 0;
    while (endPosition < music.header.songLength &&
           music.header.order[endPosition] < music.patternCount)
        ++endPosition;
    char endsAt[16], songEnd[16], text[512];
    formatRows(endsAt, sizeof endsAt, endPosition * 64ul);
    formatRows(songEnd, sizeof songEnd, music.header.songLength * 64ul);
    std::snprintf(text, sizeof text,
                  "%s is %lu byte%s shorter than its order table and samples need: it holds %d of "
                  "the %d patterns the song plays, so the song ends at position %d of %d (%s of "
                  "%s)",
                  path, needed - size, needed - size == 1 ? "" : "s",
                  music.patternCount < patternsPlayed ? music.patternCount : patternsPlayed,
                  patternsPlayed, endPosition, music.header.songLength, endsAt, songEnd);
    lumaBase->DebugOut("%s\n", text);
    TellUser(text);
}

} // namespace

bool ParseModule(const unsigned char* bytes, unsigned long size) {
    std::memset(&music.header, 0, sizeof music.header);
    std::memcpy(&music.header, bytes, size < headerBytes ? size : headerBytes);
    if (std::memcmp(music.header.signature, "8CHN", 4) != 0) {
        // No pattern was loaded, so there is no song to play.
        music.header.songLength = 0;
        return false;
    }
    // The order table has 128 entries: a longer song would play positions past its end.
    if (music.header.songLength > sizeof music.header.order)
        music.header.songLength = sizeof music.header.order;
    unsigned long sampleBytes = convertSampleRecords();
    takePatterns(bytes, size, sampleBytes);
    takeSamples(bytes, size);
    return true;
}

void LoadModule(const char* path) {
    unsigned long size = 0;
    unsigned char* bytes = readWholeFile(path, size);
    const unsigned char nothing[1] = {0};
    bool parsed = ParseModule(bytes ? bytes : nothing, size);
    bool read = bytes != 0;
    std::free(bytes);
    LogMediaFolder();
    if (!parsed) {
        const char* found = music.header.signature;
        char shown[5] = {printable(found[0]), printable(found[1]), printable(found[2]),
                         printable(found[3]), 0};
        lumaBase->DebugOut("Falsches Mod-Format! %s (%c%c%c%c)\n", path, shown[0], shown[1],
                           shown[2], shown[3]);
        // A file that is missing was said already, with the folders it was looked for in.
        if (read)
            TellAboutRejectedModule(path, shown);
        return;
    }

    TellIfCutShort(path, size);
    RestartMusic();
    ExpectRunLength(music.header.songLength * 64ul * 120ul);
    if (directSound && directSound->lpDS)
        StartMusicBuffer(directSound->lpDS);
}

void FreeModule() {
    for (short*& samples : music.samples) {
        std::free(samples);
        samples = 0;
    }
    std::free(music.patterns);
    music.patterns = 0;
    music.patternCount = 0;
    if (directSound && music.buffer) {
        music.buffer->Release();
        music.buffer = 0;
    }
}
