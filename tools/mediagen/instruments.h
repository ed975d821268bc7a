#pragma once

#include "mod_writer.h"

#include <string>

namespace mediagen {

// Synthesises the instrument the score names (volume left at 0: the score sets it).
// Drums are made for the notes the score plays them at (C-3, or B-3 for cymbals); pitched
// instruments sound our middle C at C-2, the bass two octaves lower.
// Throws std::runtime_error for an unknown name.
ModSample makeInstrument(const std::string& name);

} // namespace mediagen
