#include "instruments.h"

#include "drums.h"
#include "tones.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

namespace mediagen {

namespace {

using Recipe = std::function<ModSample()>;

Recipe chord(const char* name, std::vector<double> semitones) {
    return [name, semitones] { return pad(name, semitones); };
}

// The marker's notes carry cues, not sound.
ModSample marker() {
    ModSample s;
    s.name = "marker";
    s.data = {0, 0};
    return s;
}

const std::map<std::string, Recipe>& recipes() {
    static const std::map<std::string, Recipe> table = {
        {"kick", kick},
        {"snare", snare},
        {"clap", clap},
        {"hatc", closedHat},
        {"hato", openHat},
        {"crash", crash},
        {"riser", riser},
        {"bass", bass},
        {"pluck", pluck},
        {"lead", lead},
        {"bell", bell},
        {"pad_am", chord("pad am", {-3, 0, 4, 9})},
        {"pad_f", chord("pad f", {-7, -3, 0, 5})},
        {"pad_c", chord("pad c", {-5, 0, 4, 7})},
        {"pad_g", chord("pad g", {-5, -1, 2, 7})},
        {"pad_em", chord("pad em", {-8, -5, -1, 4})},
        {"pad_dm", chord("pad dm", {-10, -7, -3, 2})},
        {"chord_bm",
         [] {
             return ringingChord("chord bm", {-13, -1, 2, 6, 9}, 6.8);
         }},
        {"marker", marker},
    };
    return table;
}

} // namespace

ModSample makeInstrument(const std::string& name) {
    auto it = recipes().find(name);
    if (it == recipes().end())
        throw std::runtime_error("unknown instrument '" + name + "'");
    return it->second();
}

} // namespace mediagen
