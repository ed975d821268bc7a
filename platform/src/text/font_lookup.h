// Which file holds a Windows face: the one seam between the text layer and the system's
// fonts. fontconfig where the system has it, else a fixed table of the fonts we depend on.
#pragma once

#include <string>

namespace luma {

struct FontFile {
    std::string path;
    int index = 0; // the face inside a collection
    std::string family;
};

// The outline font for a face name: the face itself, else its metric-compatible free twin
// ("Arial" and "MS Sans Serif" → Liberation Sans), else a sans face that draws.
bool findFontFile(const std::string& faceName, bool bold, bool italic, FontFile& file);

// The free face drawn to a Windows face's metrics, so text lays out alike; null for none.
const char* metricTwinOf(const std::string& faceName);

} // namespace luma
