#include "sequencer.h"

#include "module.h"

#include "../demo_state.h"

#include <cstring>

MusicChannel channels[channelCount];
int rowCounter;

namespace {

struct Cell {
    int sample;
    int period;
    int effect;
    int parameter;
};

Cell decode(const unsigned char* bytes) {
    Cell cell;
    cell.sample = (bytes[0] & 0xF0) | (bytes[2] >> 4);
    cell.period = ((bytes[0] & 0x0F) << 8) | bytes[1];
    cell.effect = bytes[2] & 0x0F;
    cell.parameter = bytes[3];
    return cell;
}

int songEnd() { return moduleHeader.songLength * 64; }

void startSample(MusicChannel& channel, int number) {
    const SampleRecord& sample = moduleHeader.samples[number - 1];
    channel.sampleData = sampleData[number - 1];
    channel.length = sample.length;
    // A loop that starts at or past the sample's end is no loop.
    channel.loopStart = sample.repeatOffset < sample.length ? sample.repeatOffset : 0;
    channel.volume = sample.volume;
}

// Returns the row the song jumps to, or -1 when the effect does not jump.
int applyEffect(MusicChannel& channel, const Cell& cell, int position) {
    bool marker = cell.sample == markerSample;
    switch (cell.effect) {
    case 0x8:
        if (marker) {
            syncByte = static_cast<unsigned char>(cell.parameter);
            channel.volume = 0;
        }
        return -1;
    case 0xB:
        // A jump past the song ends it.
        return cell.parameter < moduleHeader.songLength ? cell.parameter * 64 : songEnd();
    case 0xC:
        if (marker)
            sceneByte = static_cast<unsigned char>(cell.parameter);
        channel.volume = marker ? 0 : cell.parameter;
        return -1;
    case 0xD:
        return (position + 1) * 64;
    case 0xE:
        if ((cell.parameter >> 4) == 12)
            channel.volume = 0;
        return -1;
    default:
        return -1;
    }
}

} // namespace

void ResetSequencer() {
    std::memset(channels, 0, sizeof channels);
    rowCounter = 0;
}

bool SongEnded() { return rowCounter >= songEnd(); }

void PlayRow() {
    if (SongEnded())
        return;
    int position = rowCounter / 64;
    int row = rowCounter % 64;
    int pattern = moduleHeader.order[position];
    // An order entry naming a pattern the file does not hold ends the song.
    if (pattern >= patternCount) {
        rowCounter = songEnd();
        return;
    }
    const unsigned char* rowData = patternData + pattern * patternBytes + row * channelCount * 4;
    int next = -1;
    for (int c = 0; c < channelCount; ++c) {
        Cell cell = decode(rowData + c * 4);
        MusicChannel& channel = channels[c];
        if (cell.period != 0) {
            channel.period = cell.period;
            channel.count = 0;
        }
        // Sample numbers above 31 name no sample: the cell's sample part is ignored.
        if (cell.sample != 0 && cell.sample <= 31)
            startSample(channel, cell.sample);
        int jump = applyEffect(channel, cell, position);
        if (jump >= 0)
            next = jump;
    }
    rowCounter = next >= 0 ? next : rowCounter + 1;
}
