// Text broken into lines at word boundaries to fit a width, as DrawTextA's DT_WORDBREAK does.
#pragma once

#include "text/font_face.h"

#include <string>
#include <vector>

namespace luma {

struct TextLine {
    size_t start = 0;  // into the text
    size_t length = 0; // without the spaces or line break that end it
};

// Breaks at spaces and at line feeds ("\r\n" too); a word wider than the whole line keeps a
// line of its own and overhangs it.
std::vector<TextLine> wrapLines(const FontFace& font, const std::string& text, int width);

} // namespace luma
