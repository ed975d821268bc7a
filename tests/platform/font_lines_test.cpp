// Word wrapping as a static control wraps its text.
#include "text/font_library.h"
#include "text/font_lines.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace luma;

namespace {

std::unique_ptr<FontFace> dialogFont() {
    FontRequest request;
    request.faceName = "MS Sans Serif";
    request.height = -11;
    return openFont(request);
}

std::vector<std::string> wordsOf(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

} // namespace

TEST(WrapLines, LinesFitTheWidthAndKeepEveryWordInOrder) {
    std::unique_ptr<FontFace> font = dialogFont();
    const std::string text = "ACHTUNG: Diese Demo kann schwere Bewu\xdftseinsst\xf6rungen "
                             "hervorrufen, da sie entgegen den Regeln der Kunst entworfen wurde.";
    for (int width : {120, 204, 300}) {
        std::vector<TextLine> lines = wrapLines(*font, text, width);
        ASSERT_GT(lines.size(), 1u) << width;
        std::string joined;
        for (const TextLine& line : lines) {
            std::string shown = text.substr(line.start, line.length);
            // Only a single word too wide for the box may overhang it.
            if (shown.find(' ') != std::string::npos) {
                EXPECT_LE(font->measure(shown), width) << shown;
            }
            EXPECT_NE(shown.front(), ' ');
            EXPECT_NE(shown.back(), ' ');
            joined += shown + " ";
        }
        EXPECT_EQ(wordsOf(joined), wordsOf(text));
    }
    // A wider box never needs more lines.
    EXPECT_LE(wrapLines(*font, text, 300).size(), wrapLines(*font, text, 204).size());
}

TEST(WrapLines, TextThatFitsStaysOnOneLine) {
    std::unique_ptr<FontFace> font = dialogFont();
    std::vector<TextLine> lines = wrapLines(*font, "Sound aus", 1000);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].start, 0u);
    EXPECT_EQ(lines[0].length, 9u);
}

TEST(WrapLines, LineFeedsBreakAndAWordTooWideKeepsALineOfItsOwn) {
    std::unique_ptr<FontFace> font = dialogFont();
    const std::string text = "eins\r\nzwei\n\nBewu\xdftseinsst\xf6rungen da";
    std::vector<TextLine> lines = wrapLines(*font, text, font->measure("zwei da"));
    std::vector<std::string> shown;
    for (const TextLine& line : lines)
        shown.push_back(text.substr(line.start, line.length));
    EXPECT_EQ(shown,
              (std::vector<std::string>{"eins", "zwei", "", "Bewu\xdftseinsst\xf6rungen", "da"}));
}
