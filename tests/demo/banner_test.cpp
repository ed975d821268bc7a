#include "banner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Banner, EightArtLinesThenTheGroupThenAnEmptyLine) {
    for (int line = 0; line < 8; ++line) {
        std::string art = bannerLines[line];
        EXPECT_EQ(art.size(), 62u) << "line " << line;
        EXPECT_EQ(art.back(), '\n');
        // Format texts: a percent sign would be read as a conversion.
        EXPECT_EQ(art.find('%'), std::string::npos);
        EXPECT_NE(art.find_first_not_of(" \n"), std::string::npos) << "line " << line;
    }
    EXPECT_EQ(std::string(bannerLines[8]), std::string(50, ' ') + "Korvani\n");
    EXPECT_EQ(std::string(bannerLines[9]), "\n");
}

TEST(Banner, ArtSpellsElevenLettersSeparatedByBlankColumns) {
    // Columns blank in every art line split the letters: G L I M M E R F A L L.
    int letters = 0;
    bool inLetter = false;
    for (int column = 0; column < 61; ++column) {
        bool blank = true;
        for (int line = 0; line < 8; ++line)
            blank = blank && bannerLines[line][column] == ' ';
        if (!blank && !inLetter)
            ++letters;
        inLetter = !blank;
    }
    EXPECT_EQ(letters, 11);
}

} // namespace
