#pragma once

// The demo's mixer and sequencer in plain form: eight channels, integer pitch
// 3424000 / period, sum of sample x volume shifted right by 6, one row every 120 ms.

#include "module_file.h"

#include <cstdint>
#include <vector>

struct RowState {
    int orderPosition = 0;
    int row = 0;
    int scene = 255; // after the row was processed
    int sync = 0;
};

struct Rendering {
    std::vector<int16_t> samples;  // mono, starting one row before the first row, as the demo
    std::vector<RowState> rows;    // in the order they were processed
    int channelsWithoutPeriod = 0; // rows where a sounding channel had no period (undefined)
    bool reachedEnd = false;
};

// Plays the module to its end at `rate` samples per second (22050 or 44100); stops after
// `rowLimit` rows if the song has not ended by then.
Rendering renderModule(const ModuleFile& module, int rate, int rowLimit);
