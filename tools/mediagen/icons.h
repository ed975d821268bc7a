#pragma once

#include <string>

namespace mediagen {

// Writes the program's icon at 64, 128 and 256 px as DIR/NxN/apps/glimmerfall.png, the
// layout of the hicolor icon theme.
void writeIcons(const std::string& dir);

} // namespace mediagen
