#include "text/font_lines.h"

namespace luma {

namespace {

void wrapParagraph(const FontFace& font, const std::string& text, size_t begin, size_t end,
                   int width, std::vector<TextLine>& lines) {
    size_t lineStart = begin;
    while (true) {
        size_t lineEnd = lineStart; // after the last word that fits
        size_t position = lineStart;
        while (position < end) {
            size_t wordEnd = text.find(' ', position);
            if (wordEnd == std::string::npos || wordEnd > end)
                wordEnd = end;
            bool fits = font.measure(text.substr(lineStart, wordEnd - lineStart)) <= width;
            if (!fits && lineEnd > lineStart)
                break;
            lineEnd = wordEnd;
            position = wordEnd;
            while (position < end && text[position] == ' ')
                ++position;
            if (!fits)
                break;
        }
        lines.push_back({lineStart, lineEnd - lineStart});
        lineStart = lineEnd;
        while (lineStart < end && text[lineStart] == ' ')
            ++lineStart;
        if (lineStart >= end)
            return;
    }
}

} // namespace

std::vector<TextLine> wrapLines(const FontFace& font, const std::string& text, int width) {
    std::vector<TextLine> lines;
    size_t begin = 0;
    while (true) {
        size_t feed = text.find('\n', begin);
        size_t end = feed == std::string::npos ? text.size() : feed;
        size_t contentEnd = end > begin && text[end - 1] == '\r' ? end - 1 : end;
        wrapParagraph(font, text, begin, contentEnd, width, lines);
        if (feed == std::string::npos)
            return lines;
        begin = feed + 1;
    }
}

} // namespace luma
