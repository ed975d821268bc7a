#pragma once

#include <string>

namespace mediagen {

// The usual tracker period table (finetune 0): C-1 = 856 to B-3 = 113. The player runs a
// sample at 3424000 / period samples per second, so C-2 (428) plays it at 8000 per second.
constexpr int kLowestOctave = 1;
constexpr int kHighestOctave = 3;
constexpr int kPlayerClock = 3424000;

// Period of a note written as in a tracker ("C-2", "F#3"); 0 when the text is not a note of
// the table.
int periodOfNote(const std::string& note);

// Samples per second at which the player runs a sample for the note.
int playbackRate(const std::string& note);

// Period of the note `semitones` above (or below) the note of `period`; 0 when either note
// is outside the table.
int transposedPeriod(int period, int semitones);

} // namespace mediagen
