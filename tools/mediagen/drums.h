#pragma once

#include "mod_writer.h"

namespace mediagen {

// Drums and effects, each made for the note the score plays it at: C-3, or B-3 for the
// cymbals, whose brightness needs the higher rate.
ModSample kick();
ModSample snare();
ModSample clap();
ModSample closedHat();
ModSample openHat();
ModSample crash();
ModSample riser(); // two bars of rising noise into a drop

} // namespace mediagen
