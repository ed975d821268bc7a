// The font look-up where the system has no fontconfig: the Liberation faces by their file
// names, in LUMA_FONT_DIR or where Debian installs them. Any other face draws as Liberation
// Sans, as fontconfig's sans-serif would.
#include "text/font_lookup.h"

#include <cstdlib>
#include <unistd.h>

namespace luma {

namespace {

const char* const fontFolders[] = {
    "/usr/share/fonts/truetype/liberation2",
    "/usr/share/fonts/truetype/liberation",
};

// "Liberation Sans" → "LiberationSans-BoldItalic.ttf"
std::string fileNameOf(const std::string& family, bool bold, bool italic) {
    std::string name;
    for (char c : family)
        if (c != ' ')
            name += c;
    const char* style = bold && italic ? "BoldItalic"
                        : bold         ? "Bold"
                        : italic       ? "Italic"
                                       : "Regular";
    return name + "-" + style + ".ttf";
}

bool findIn(const std::string& folder, const std::string& fileName, std::string& path) {
    path = folder + "/" + fileName;
    return ::access(path.c_str(), R_OK) == 0;
}

} // namespace

bool findFontFile(const std::string& faceName, bool bold, bool italic, FontFile& file) {
    const char* twin = metricTwinOf(faceName);
    std::string family = twin ? twin : "Liberation Sans";
    std::string fileName = fileNameOf(family, bold, italic);
    const char* chosenFolder = std::getenv("LUMA_FONT_DIR");
    bool found = chosenFolder && *chosenFolder && findIn(chosenFolder, fileName, file.path);
    for (const char* folder : fontFolders)
        found = found || findIn(folder, fileName, file.path);
    if (!found)
        return false;
    file.index = 0;
    file.family = family;
    return true;
}

} // namespace luma
