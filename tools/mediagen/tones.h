#pragma once

#include "mod_writer.h"

#include <string>
#include <vector>

namespace mediagen {

// Pitched instruments: C-2 sounds our middle C (the bass two octaves lower). Sustaining
// sounds loop over a whole number of cycles of every partial.
ModSample bass();
ModSample lead();
ModSample pluck();
ModSample bell();
// A chord of the given notes (semitones from middle C), to be played at C-2.
ModSample pad(const std::string& name, const std::vector<double>& semitones);
// A struck chord that rings for `seconds` and dies away to exact silence, played at C-2.
ModSample ringingChord(const std::string& name, const std::vector<double>& semitones,
                       double seconds);

} // namespace mediagen
