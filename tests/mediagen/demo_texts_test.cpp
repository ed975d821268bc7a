// The captions and greeting names fit the scenes that will draw them.

#include "run_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

struct DemoTexts {
    std::string shadeBobsCaption, photoCaption;
    std::vector<std::string> greetings;
};

DemoTexts readDemoTexts() {
    DemoTexts texts;
    std::ifstream in(DEMO_TEXTS_FILE);
    std::string line;
    auto valueOf = [&](const std::string& key, std::string& into) {
        if (line.rfind(key + ": ", 0) != 0)
            return false;
        into = line.substr(key.size() + 2);
        return true;
    };
    while (std::getline(in, line)) {
        std::string value;
        if (valueOf("greeting", value))
            texts.greetings.push_back(value);
        else
            valueOf("shade-bobs caption", texts.shadeBobsCaption) ||
                valueOf("photo caption", texts.photoCaption);
    }
    return texts;
}

// Width in pixels of bold Liberation Sans (the demo's "Arial") at a GDI cell height: the
// em is cell height x 2048 / (1854 + 434), the font's win ascent and descent.
int boldTextWidth(const std::string& text, int cellHeight) {
    double pixelsPerEm = cellHeight * 2048.0 / (1854 + 434);
    int status = -1;
    std::string out = runTool("convert -font Liberation-Sans-Bold -density 72 -pointsize " +
                                  std::to_string(pixelsPerEm) + " label:" + shellQuoted(text) +
                                  " -format %w info:",
                              &status);
    return status == 0 ? std::stoi(out) : -1;
}

bool fontAvailable() {
    return runTool("convert -list font").find("Liberation-Sans-Bold") != std::string::npos;
}

} // namespace

TEST(DemoTexts, TwoCaptionsAndElevenDistinctNamesOfFiveToNineLetters) {
    DemoTexts texts = readDemoTexts();
    EXPECT_FALSE(texts.shadeBobsCaption.empty());
    EXPECT_FALSE(texts.photoCaption.empty());
    ASSERT_EQ(texts.greetings.size(), 11u);
    std::set<std::string> distinct(texts.greetings.begin(), texts.greetings.end());
    EXPECT_EQ(distinct.size(), 11u);
    for (const std::string& name : texts.greetings) {
        EXPECT_GE(name.size(), 5u) << name;
        EXPECT_LE(name.size(), 9u) << name;
    }
}

TEST(DemoTexts, EveryTextFitsWhereItsSceneDrawsIt) {
    if (!fontAvailable())
        GTEST_SKIP() << "Liberation Sans Bold is not installed";
    DemoTexts texts = readDemoTexts();
    int bobs = boldTextWidth(texts.shadeBobsCaption, 32);
    EXPECT_GT(bobs, 0);
    EXPECT_LE(bobs, 238) << texts.shadeBobsCaption;
    int photo = boldTextWidth(texts.photoCaption, 80);
    EXPECT_GT(photo, 0);
    EXPECT_LE(photo, 640) << texts.photoCaption;
    for (const std::string& name : texts.greetings) {
        int width = boldTextWidth(name, 64);
        EXPECT_GT(width, 0);
        EXPECT_LE(width, 636) << name;
    }
}
