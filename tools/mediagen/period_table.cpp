#include "period_table.h"

namespace mediagen {

namespace {
const int kPeriods[3][12] = {
    {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453},
    {428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226},
    {214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113},
};

int semitoneOfLetter(char letter) {
    switch (letter) {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
        return 11;
    default:
        return -1;
    }
}
} // namespace

int periodOfNote(const std::string& note) {
    if (note.size() != 3)
        return 0;
    int semitone = semitoneOfLetter(note[0]);
    if (semitone < 0 || (note[1] != '-' && note[1] != '#'))
        return 0;
    if (note[1] == '#') {
        if (note[0] == 'E' || note[0] == 'B')
            return 0;
        ++semitone;
    }
    int octave = note[2] - '0';
    if (octave < kLowestOctave || octave > kHighestOctave)
        return 0;
    return kPeriods[octave - kLowestOctave][semitone];
}

int transposedPeriod(int period, int semitones) {
    for (int octave = 0; octave < 3; ++octave) {
        for (int semitone = 0; semitone < 12; ++semitone) {
            if (kPeriods[octave][semitone] != period)
                continue;
            int target = octave * 12 + semitone + semitones;
            return target >= 0 && target < 36 ? kPeriods[target / 12][target % 12] : 0;
        }
    }
    return 0;
}

int playbackRate(const std::string& note) {
    int period = periodOfNote(note);
    return period ? kPlayerClock / period : 0;
}

} // namespace mediagen
