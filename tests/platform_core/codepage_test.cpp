#include "text/codepage.h"

#include <gtest/gtest.h>

namespace {

TEST(Codepage, GermanTextGoesBothWays) {
    std::string windows = "Bewu\xdftseinsst\xf6rungen \x80";
    std::string utf8 = "Bewu\xc3\x9ftseinsst\xc3\xb6rungen \xe2\x82\xac";
    EXPECT_EQ(luma::windows1252ToUtf8(windows), utf8);
    EXPECT_EQ(luma::utf8ToWindows1252(utf8), windows);
}

TEST(Codepage, CharactersWithoutAByteAndBrokenSequencesAreDropped) {
    EXPECT_EQ(luma::utf8ToWindows1252("a\xe6\x97\xa5z"), "az"); // a CJK character
    EXPECT_EQ(luma::utf8ToWindows1252("a\xc3"), "a");           // cut in the middle
    EXPECT_EQ(luma::utf8ToWindows1252("a\xff\xfez"), "az");     // not UTF-8 at all
}

} // namespace
