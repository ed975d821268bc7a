#include "sequencer.h"

#include "marker_cues.h"
#include "music_state.h"

#include "../demo_state.h"

#include <cstring>

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

int songEnd() { return music.header.songLength * 64; }

void startSample(MusicChannel& channel, int number) {
    int index = number - 1;
    channel.sampleData = music.samples[index];
    channel.length = music.sampleLengths[index];
    // A loop that starts at or past the sample's end is no loop.
    channel.loopStart = music.loopStarts[index] < channel.length ? music.loopStarts[index] : 0;
    channel.volume = music.header.samples[index].volume;
}

// Returns the row the song jumps to, or -1 when the effect does not jump.
int applyEffect(MusicChannel& channel, const Cell& cell, int position) {
    bool marker = cell.sample == markerSample;
    switch (cell.effect) {
    case 0x8:
        if (marker) {
            CueMarker(syncByte, static_cast<unsigned char>(cell.parameter));
            channel.volume = 0;
        }
        return -1;
    case 0xB:
        // A jump past the song ends it.
        return cell.parameter < music.header.songLength ? cell.parameter * 64 : songEnd();
    case 0xC:
        if (marker)
            CueMarker(sceneByte, static_cast<unsigned char>(cell.parameter));
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
    std::memset(music.channels, 0, sizeof music.channels);
    music.rowCounter = 0;
}

bool SongEnded() { return music.rowCounter >= songEnd(); }

void PlayRow() {
    if (SongEnded())
        return;
    int position = music.rowCounter / 64;
    int row = music.rowCounter % 64;
    int pattern = music.header.order[position];
    // An order entry naming a pattern the file does not hold ends the song.
    if (pattern >= music.patternCount) {
        music.rowCounter = songEnd();
        return;
    }
    const unsigned char* rowData = music.patterns + pattern * patternBytes + row * channelCount * 4;
    int next = -1;
    for (int c = 0; c < channelCount; ++c) {
        Cell cell = decode(rowData + c * 4);
        MusicChannel& channel = music.channels[c];
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
    music.rowCounter = next >= 0 ? next : music.rowCounter + 1;
}
