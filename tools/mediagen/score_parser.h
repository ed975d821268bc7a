#pragma once

#include "mod_writer.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace mediagen {

// The song as written in the score: which instrument sits in which sample slot, the patterns
// (compiled to cells) and the order in which they play.
struct SampleSlot {
    int number = 0; // 1..31
    std::string instrument;
    int volume = 0;
};

struct Score {
    std::string title;
    std::vector<SampleSlot> samples;
    std::vector<Pattern> patterns;
    std::vector<std::string> sections; // per pattern: the part of the song it belongs to
    std::vector<int> order;
};

class ScoreError : public std::runtime_error {
public:
    ScoreError(int line, const std::string& what)
        : std::runtime_error("score line " + std::to_string(line) + ": " + what) {}
};

// The marker instrument: its notes carry the scene and sync cues.
constexpr int kMarkerSample = 31;

// Score text, line by line (";" starts a comment):
//   title TEXT
//   sample NUMBER INSTRUMENT VOLUME
//   phrase NAME [INSTRUMENT]      then lines of row tokens, one token per row:
//       .  empty row              ^  note cut
//       =V volume V               C-3, C#3:clap, B-3=20, G-2:hato=40  a note, with the phrase's
//                                 instrument unless one is named, and an optional volume
//       scene:N  sync:N           marker notes;  TOKEN*N repeats a token;  | is a bar line
//       pan:N                     stereo position 0..255 for trackers (the demo plays mono)
//   pattern NAME [SECTION]        then lines "CHANNEL PHRASE [PHRASE...]": the phrases play one
//                                 after another and repeat to fill the 64 rows; PHRASE+N or
//                                 PHRASE-N plays the phrase's notes N semitones higher or
//                                 lower. SECTION names the part of the song (intro, drop,
//                                 breakdown, ...) for the checks that listen to it
//   order PATTERN...              (may be given on several lines)
Score parseScore(const std::string& text);

} // namespace mediagen
