#include "score_parser.h"

#include "period_table.h"

#include <map>
#include <sstream>

namespace mediagen {

namespace {

constexpr int kEffectSync = 0x8; // sync on the marker, stereo position elsewhere
constexpr int kEffectVolume = 0xC;
constexpr int kEffectExtended = 0xE;
constexpr int kNoteCut = 0xC0;
const char* const kMarkerNote = "C-2";

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

int parseNumber(const std::string& text, int low, int high, int line, const char* what) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty())
        throw ScoreError(line,
                         std::string("expected a number for ") + what + ", found '" + text + "'");
    if (value < low || value > high)
        throw ScoreError(line, std::string(what) + " " + text + " is outside " +
                                   std::to_string(low) + ".." + std::to_string(high));
    return value;
}

bool dividesPattern(size_t length) {
    return length > 0 && length <= kRowsPerPattern && kRowsPerPattern % length == 0;
}

class Parser {
public:
    Score run(const std::string& text) {
        std::istringstream in(text);
        std::string raw;
        while (std::getline(in, raw)) {
            ++line_;
            std::vector<std::string> words = splitWords(raw.substr(0, raw.find(';')));
            if (!words.empty())
                handle(words, raw);
        }
        finishPhrase();
        if (score_.order.empty())
            throw ScoreError(line_, "the score has no order");
        return score_;
    }

private:
    enum class Block { None, Phrase, Pattern };

    void handle(const std::vector<std::string>& words, const std::string& raw) {
        const std::string& keyword = words[0];
        if (keyword == "title") {
            finishPhrase();
            size_t start = raw.find_first_not_of(" \t", raw.find("title") + 5);
            score_.title = start == std::string::npos
                               ? ""
                               : raw.substr(start, raw.find_last_not_of(" \t\r") - start + 1);
            block_ = Block::None;
        } else if (keyword == "sample") {
            finishPhrase();
            declareSample(words);
            block_ = Block::None;
        } else if (keyword == "phrase") {
            finishPhrase();
            startPhrase(words);
        } else if (keyword == "pattern") {
            finishPhrase();
            startPattern(words);
        } else if (keyword == "order") {
            finishPhrase();
            block_ = Block::None;
            for (size_t i = 1; i < words.size(); ++i)
                score_.order.push_back(patternIndex(words[i]));
        } else if (block_ == Block::Phrase) {
            for (const std::string& token : words)
                addTokens(token);
        } else if (block_ == Block::Pattern) {
            fillChannel(words);
        } else {
            throw ScoreError(line_, "unexpected '" + keyword + "'");
        }
    }

    void declareSample(const std::vector<std::string>& words) {
        if (words.size() != 4)
            throw ScoreError(line_, "expected: sample NUMBER INSTRUMENT VOLUME");
        SampleSlot slot;
        slot.number = parseNumber(words[1], 1, kSampleSlots, line_, "sample number");
        slot.instrument = words[2];
        slot.volume = parseNumber(words[3], 0, 64, line_, "volume");
        for (const SampleSlot& other : score_.samples)
            if (other.number == slot.number || other.instrument == slot.instrument)
                throw ScoreError(line_, "sample " + words[1] + " or instrument " + words[2] +
                                            " declared twice");
        if ((slot.instrument == "marker") != (slot.number == kMarkerSample))
            throw ScoreError(line_, "the marker instrument belongs in sample 31");
        score_.samples.push_back(slot);
    }

    int sampleNumber(const std::string& instrument) const {
        for (const SampleSlot& slot : score_.samples)
            if (slot.instrument == instrument)
                return slot.number;
        throw ScoreError(line_, "unknown instrument '" + instrument + "'");
    }

    void startPhrase(const std::vector<std::string>& words) {
        if (words.size() < 2 || words.size() > 3)
            throw ScoreError(line_, "expected: phrase NAME [INSTRUMENT]");
        if (phrases_.count(words[1]))
            throw ScoreError(line_, "phrase '" + words[1] + "' defined twice");
        phraseName_ = words[1];
        phraseInstrument_ = words.size() == 3 ? sampleNumber(words[2]) : 0;
        phraseStartLine_ = line_;
        phrases_[phraseName_];
        block_ = Block::Phrase;
    }

    void finishPhrase() {
        if (block_ != Block::Phrase)
            return;
        size_t length = phrases_[phraseName_].size();
        if (!dividesPattern(length))
            throw ScoreError(phraseStartLine_,
                             "phrase '" + phraseName_ + "' has " + std::to_string(length) +
                                 " rows; a phrase must fill 64 rows a whole number of times");
        block_ = Block::None;
    }

    void addTokens(const std::string& token) {
        if (token == "|")
            return;
        size_t star = token.find('*');
        int repeat = 1;
        std::string single = token;
        if (star != std::string::npos) {
            repeat = parseNumber(token.substr(star + 1), 1, kRowsPerPattern, line_, "repeat count");
            single = token.substr(0, star);
        }
        Cell cell = parseCell(single);
        for (int i = 0; i < repeat; ++i)
            phrases_[phraseName_].push_back(cell);
    }

    Cell marker(int effect, const std::string& value) const {
        Cell c;
        c.sample = sampleNumber("marker");
        c.period = periodOfNote(kMarkerNote);
        c.effect = effect;
        c.parameter = parseNumber(value, 0, 255, line_, "cue value");
        return c;
    }

    Cell parseCell(const std::string& token) const {
        Cell c;
        if (token == ".")
            return c;
        if (token == "^") {
            c.effect = kEffectExtended;
            c.parameter = kNoteCut;
            return c;
        }
        if (token[0] == '=') {
            c.effect = kEffectVolume;
            c.parameter = parseNumber(token.substr(1), 0, 64, line_, "volume");
            return c;
        }
        if (token.rfind("scene:", 0) == 0)
            return marker(kEffectVolume, token.substr(6));
        if (token.rfind("sync:", 0) == 0)
            return marker(kEffectSync, token.substr(5));
        if (token.rfind("pan:", 0) == 0) {
            // Without a sample the demo's player ignores it; trackers place the channel.
            c.effect = kEffectSync;
            c.parameter = parseNumber(token.substr(4), 0, 255, line_, "pan position");
            return c;
        }
        c.period = periodOfNote(token.substr(0, 3));
        if (!c.period)
            throw ScoreError(line_, "'" + token + "' is not a note of C-1..B-3");
        std::string rest = token.substr(3);
        size_t equals = rest.find('=');
        if (equals != std::string::npos) {
            c.effect = kEffectVolume;
            c.parameter = parseNumber(rest.substr(equals + 1), 0, 64, line_, "volume");
            rest = rest.substr(0, equals);
        }
        if (!rest.empty()) {
            if (rest[0] != ':')
                throw ScoreError(line_, "cannot read '" + token + "'");
            c.sample = sampleNumber(rest.substr(1));
        } else {
            c.sample = phraseInstrument_;
        }
        if (!c.sample)
            throw ScoreError(line_, "note '" + token + "' names no instrument");
        return c;
    }

    void startPattern(const std::vector<std::string>& words) {
        if (words.size() < 2 || words.size() > 3)
            throw ScoreError(line_, "expected: pattern NAME [SECTION]");
        if (patternNames_.count(words[1]))
            throw ScoreError(line_, "pattern '" + words[1] + "' defined twice");
        patternNames_[words[1]] = static_cast<int>(score_.patterns.size());
        score_.patterns.emplace_back();
        score_.sections.push_back(words.size() == 3 ? words[2] : "");
        channelsUsed_.assign(kChannels, false);
        block_ = Block::Pattern;
    }

    void fillChannel(const std::vector<std::string>& words) {
        int channel = parseNumber(words[0], 1, kChannels, line_, "channel");
        if (channelsUsed_[channel - 1])
            throw ScoreError(line_, "channel " + words[0] + " filled twice");
        channelsUsed_[channel - 1] = true;
        std::vector<Cell> cells;
        for (size_t i = 1; i < words.size(); ++i) {
            size_t sign = words[i].find_last_of("+-");
            bool shifted = sign != std::string::npos && sign > 0 && sign + 1 < words[i].size() &&
                           words[i].find_first_not_of("0123456789", sign + 1) == std::string::npos;
            std::string name = shifted ? words[i].substr(0, sign) : words[i];
            int semitones =
                shifted ? parseNumber(words[i].substr(sign), -35, 35, line_, "transposition") : 0;
            auto it = phrases_.find(name);
            if (it == phrases_.end())
                throw ScoreError(line_, "unknown phrase '" + name + "'");
            for (Cell cell : it->second)
                cells.push_back(transposed(cell, semitones));
        }
        if (!dividesPattern(cells.size()))
            throw ScoreError(line_, "channel " + words[0] + " gets " +
                                        std::to_string(cells.size()) +
                                        " rows, which do not fill 64 rows a whole number of times");
        Pattern& pattern = score_.patterns.back();
        for (int row = 0; row < kRowsPerPattern; ++row)
            pattern.rows[row][channel - 1] = cells[row % cells.size()];
    }

    // Markers keep their note: they carry cues, not pitch.
    Cell transposed(Cell cell, int semitones) const {
        if (semitones == 0 || cell.period == 0 || cell.sample == kMarkerSample)
            return cell;
        cell.period = transposedPeriod(cell.period, semitones);
        if (!cell.period)
            throw ScoreError(line_, "transposing by " + std::to_string(semitones) +
                                        " leaves the notes of C-1..B-3");
        return cell;
    }

    int patternIndex(const std::string& name) const {
        auto it = patternNames_.find(name);
        if (it == patternNames_.end())
            throw ScoreError(line_, "unknown pattern '" + name + "'");
        return it->second;
    }

    Score score_;
    int line_ = 0;
    Block block_ = Block::None;
    std::map<std::string, std::vector<Cell>> phrases_;
    std::string phraseName_;
    int phraseInstrument_ = 0;
    int phraseStartLine_ = 0;
    std::map<std::string, int> patternNames_;
    std::vector<bool> channelsUsed_;
};

} // namespace

Score parseScore(const std::string& text) { return Parser().run(text); }

} // namespace mediagen
