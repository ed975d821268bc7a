// The settings dialog laid out from its dialog units and painted in the classic look.
#include "settings_dialog_fixture.h"

#include "dialogs/dialog_painter.h"
#include "text/font_lines.h"

#include <cstdio>
#include <cstdlib>

using namespace luma;

namespace {

constexpr uint32_t black = 0x000000;
constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t face = 0xC0C0C0;
constexpr uint32_t shadow = 0x808080;

// Set LUMA_DIALOG_PICTURE to a file name to look at the painted dialog (binary PPM).
void saveWhenAsked(const PixelImage& image) {
    const char* path = std::getenv("LUMA_DIALOG_PICTURE");
    FILE* file = path ? std::fopen(path, "wb") : nullptr;
    if (!file)
        return;
    std::fprintf(file, "P6\n%d %d\n255\n", image.width, image.height);
    for (uint32_t pixel : image.pixels) {
        unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                static_cast<unsigned char>(pixel >> 8),
                                static_cast<unsigned char>(pixel)};
        std::fwrite(rgb, 1, 3, file);
    }
    std::fclose(file);
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

class DialogPainterTest : public SettingsDialogTest {
protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        painter = std::make_unique<DialogPainter>(*dialog);
        ASSERT_TRUE(painter->ready());
    }
    size_t indexOf(int id) {
        return static_cast<size_t>(dialog->control(id) - &dialog->controls()[0]);
    }
    RECT rectOf(int id) { return painter->controlRect(indexOf(id)); }
    PixelImage paint(DialogHit pressed = {}) {
        PixelImage image;
        painter->paint(image, pressed);
        saveWhenAsked(image);
        return image;
    }
    // The top-left pixel of the round mark of a radio button, and its centre.
    POINT markOf(int id) {
        RECT area = rectOf(id);
        return POINT{area.left, area.top + (area.bottom - area.top - 12) / 2};
    }

    std::unique_ptr<DialogPainter> painter;
};

TEST(DialogText, MnemonicMarksAreTakenOutAndDoubledAmpersandsKept) {
    struct Case {
        const char* text;
        const char* shown;
        int mnemonic;
    };
    for (const Case& wanted :
         {Case{"&Ja, ich will!", "Ja, ich will!", 0},
          Case{"Sound &deaktivieren", "Sound deaktivieren", 6},
          Case{"Salt && Pepper", "Salt & Pepper", -1}, Case{"&&&x", "&x", 1},
          Case{"a&b&c", "abc", 1}, Case{"end&", "end&", -1}, Case{"", "", -1}}) {
        LabelText label = parseLabel(wanted.text);
        EXPECT_EQ(label.shown, wanted.shown) << wanted.text;
        EXPECT_EQ(label.mnemonic, wanted.mnemonic) << wanted.text;
    }
}

TEST(DialogText, MulDivRoundsHalfAwayFromZeroAsWindowsDoes) {
    EXPECT_EQ(mulDiv(8, 96, 72), 11);   // 10.67: the 8-point font is 11 pixels high
    EXPECT_EQ(mulDiv(143, 7, 4), 250);  // 250.25
    EXPECT_EQ(mulDiv(113, 12, 8), 170); // 169.5
    EXPECT_EQ(mulDiv(-113, 12, 8), -170);
    EXPECT_EQ(mulDiv(5, 1, 0), -1);
}

TEST_F(DialogPainterTest, BaseUnitsComeFromTheEightPointFont) {
    const FontFace& font = painter->textFont();
    EXPECT_EQ(font.pixelsPerEm(), 11);
    EXPECT_EQ(painter->baseUnitY(), font.height());
    int letters = 0;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters += font.measure(std::string(1, c)) + font.measure(std::string(1, c + 32));
    EXPECT_EQ(painter->baseUnitX(), (letters / 26 + 1) / 2);
}

TEST_F(DialogPainterTest, ControlsArePlacedFromTheirDialogUnits) {
    int x = painter->baseUnitX();
    int y = painter->baseUnitY();
    RECT client = painter->clientRect();
    EXPECT_EQ(client.right - client.left, mulDiv(143, x, 4));
    EXPECT_EQ(client.bottom - client.top, mulDiv(113, y, 8));
    // IDOK at 4, 96, 84 × 14 units; the 44 KHz radio at 12, 72, 44 × 12 units.
    RECT ok = rectOf(IDOK);
    EXPECT_EQ(ok.left, client.left + mulDiv(4, x, 4));
    EXPECT_EQ(ok.top, client.top + mulDiv(96, y, 8));
    EXPECT_EQ(ok.right - ok.left, mulDiv(84, x, 4));
    EXPECT_EQ(ok.bottom - ok.top, mulDiv(14, y, 8));
    RECT radio = rectOf(103);
    EXPECT_EQ(radio.left, client.left + mulDiv(12, x, 4));
    EXPECT_EQ(radio.top, client.top + mulDiv(72, y, 8));
    EXPECT_EQ(radio.bottom - radio.top, mulDiv(12, y, 8));

    RECT group = painter->controlRect(3);
    for (size_t i = 0; i < dialog->controls().size(); ++i)
        EXPECT_TRUE(inside(painter->controlRect(i), client)) << i;
    for (int id : {101, 102, 103})
        EXPECT_TRUE(inside(rectOf(id), group)) << id;
    // The caption and the frame lie around the client area, the boxes inside the caption.
    EXPECT_EQ(painter->width(), client.right + client.left);
    EXPECT_TRUE(inside(painter->closeBoxRect(), painter->captionRect()));
    EXPECT_TRUE(inside(painter->helpBoxRect(), painter->captionRect()));
    EXPECT_LE(painter->captionRect().bottom, client.top);
}

TEST_F(DialogPainterTest, TheWarningIsWrappedInsideItsBoxWithNothingCut) {
    PixelImage image = paint();
    RECT text = painter->controlRect(2);
    RECT client = painter->clientRect();
    int inkInside = 0;
    for (int y = client.top; y < rectOf(IDOK).top; ++y) {
        for (int x = client.left; x < client.right; ++x) {
            if (image.at(x, y) != black)
                continue;
            bool inBox = pointInRect(text, x, y);
            bool inGroup = pointInRect(painter->controlRect(3), x, y);
            EXPECT_TRUE(inBox || inGroup) << x << "," << y;
            inkInside += inBox ? 1 : 0;
        }
    }
    EXPECT_GT(inkInside, 500);
    // The lines the text needs fit the box's height.
    const FontFace& font = painter->textFont();
    LabelText label = parseLabel(dialog->controls()[2].text);
    std::vector<TextLine> lines = wrapLines(font, label.shown, text.right - text.left);
    EXPECT_GE(lines.size(), 3u);
    EXPECT_LE(static_cast<int>(lines.size()) * font.height(), text.bottom - text.top);
    // The last line has ink.
    int lastTop = text.top + (static_cast<int>(lines.size()) - 1) * font.height();
    int lastInk = 0;
    for (int y = lastTop; y < lastTop + font.height(); ++y)
        for (int x = text.left; x < text.right; ++x)
            lastInk += image.at(x, y) == black ? 1 : 0;
    EXPECT_GT(lastInk, 20);
}

TEST_F(DialogPainterTest, TheCheckedRadioShowsItsDot) {
    auto dotAt = [&](const PixelImage& image, int id) {
        POINT mark = markOf(id);
        return image.at(mark.x + 5, mark.y + 5) == black;
    };
    PixelImage before = paint();
    EXPECT_FALSE(dotAt(before, 101));
    EXPECT_TRUE(dotAt(before, 102));
    EXPECT_FALSE(dotAt(before, 103));
    POINT mark = markOf(101);
    EXPECT_EQ(before.at(mark.x + 5, mark.y + 5), white); // the well
    EXPECT_EQ(before.at(mark.x + 5, mark.y), shadow);    // the sunken ring's top
    EXPECT_EQ(before.at(mark.x + 5, mark.y + 11), white);

    dialog->click(103);
    PixelImage after = paint();
    EXPECT_FALSE(dotAt(after, 102));
    EXPECT_TRUE(dotAt(after, 103));
    // Held down by the mouse, the well turns grey.
    PixelImage pushed = paint(DialogHit{DialogHit::Control, 101});
    EXPECT_EQ(pushed.at(mark.x + 5, mark.y + 5), face);
}

TEST_F(DialogPainterTest, TheHeavyFrameAndTheFocusDotsFollowTheFocus) {
    auto heavy = [&](const PixelImage& image, int id) {
        RECT area = rectOf(id);
        return image.at(area.left, area.top) == black;
    };
    auto dotted = [&](const PixelImage& image, int id) {
        RECT area = rectOf(id);
        return image.at(area.left + 3, area.top + 3) == black &&
               image.at(area.left + 4, area.top + 3) != black &&
               image.at(area.left + 5, area.top + 3) == black;
    };
    PixelImage first = paint(); // focus on IDOK
    EXPECT_TRUE(heavy(first, IDOK));
    EXPECT_TRUE(dotted(first, IDOK));
    EXPECT_FALSE(heavy(first, IDCANCEL));
    EXPECT_EQ(first.at(rectOf(IDCANCEL).left, rectOf(IDCANCEL).top), white);

    pressKey(VK_TAB); // IDCANCEL
    PixelImage second = paint();
    EXPECT_FALSE(heavy(second, IDOK));
    EXPECT_FALSE(dotted(second, IDOK));
    EXPECT_TRUE(heavy(second, IDCANCEL));
    EXPECT_TRUE(dotted(second, IDCANCEL));

    pressKey(VK_TAB); // a radio button: the default button takes the frame back
    PixelImage third = paint();
    EXPECT_TRUE(heavy(third, IDOK));
    EXPECT_FALSE(dotted(third, IDOK));
    EXPECT_FALSE(heavy(third, IDCANCEL));
}

TEST_F(DialogPainterTest, TheGroupLabelIsCutIntoTheEtchedFrame) {
    PixelImage image = paint();
    RECT group = painter->controlRect(3);
    const FontFace& font = painter->textFont();
    int line = group.top + font.height() / 2;
    EXPECT_EQ(image.at(group.left + 3, line), shadow);
    EXPECT_EQ(image.at(group.left + 3, line + 1), white);
    EXPECT_EQ(image.at(group.right - 2, group.bottom - 2), shadow);
    EXPECT_EQ(image.at(group.right - 1, group.bottom - 1), white);
    int labelRight = group.left + 8 + font.measure("Sound");
    for (int x = group.left + 7; x <= labelRight; ++x)
        EXPECT_NE(image.at(x, line + 1), white) << x;
    EXPECT_EQ(image.at(labelRight + 3, line), shadow);
}

TEST_F(DialogPainterTest, MnemonicLettersAreUnderlined) {
    PixelImage image = paint();
    const FontFace& font = painter->textFont();
    RECT ok = rectOf(IDOK);
    int textLeft = ok.left + (ok.right - ok.left - font.measure("Ja, ich will!")) / 2;
    int underline = ok.top + (ok.bottom - ok.top - font.height()) / 2 + font.ascent() + 1;
    for (int x = textLeft; x < textLeft + font.measure("J"); ++x)
        EXPECT_EQ(image.at(x, underline), black) << x;
    // Only the mnemonic: nothing under the "a".
    EXPECT_NE(image.at(textLeft + font.measure("Ja") - 2, underline), black);
    // "&&" would be a literal ampersand; the group label has no mnemonic and no underline.
    RECT group = painter->controlRect(3);
    for (int x = group.left + 8; x < group.left + 8 + font.measure("Sound"); ++x)
        EXPECT_NE(image.at(x, group.top + font.ascent() + 1), black) << x;
}

TEST_F(DialogPainterTest, TheCaptionIsABlueBarWithWhiteTitleAndBoxes) {
    PixelImage image = paint();
    RECT caption = painter->captionRect();
    EXPECT_EQ(image.at(caption.left, caption.top), 0x000080u);
    int whiteInk = 0;
    for (int y = caption.top; y < caption.bottom; ++y)
        for (int x = caption.left; x < painter->helpBoxRect().left; ++x)
            whiteInk += image.at(x, y) == white ? 1 : 0;
    EXPECT_GT(whiteInk, 100);
    RECT close = painter->closeBoxRect();
    int centreX = (close.left + close.right) / 2;
    int centreY = (close.top + close.bottom) / 2;
    EXPECT_EQ(image.at(centreX, centreY), black); // the middle of the cross
    EXPECT_EQ(image.at(close.left, close.top), white);
    EXPECT_EQ(image.at(close.right - 1, close.bottom - 1), black);
    // Pressed, the box is sunken.
    PixelImage pressed = paint(DialogHit{DialogHit::CloseBox, 0});
    EXPECT_EQ(pressed.at(close.left, close.top), black);
}

TEST_F(DialogPainterTest, HitTestingFindsButtonsRadiosAndTheCaption) {
    auto centreHit = [&](const RECT& area) {
        return painter->hitTest((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    };
    for (int id : {IDOK, IDCANCEL, 101, 102, 103}) {
        DialogHit hit = centreHit(rectOf(id));
        EXPECT_EQ(hit.part, DialogHit::Control) << id;
        EXPECT_EQ(hit.id, id);
        RECT area = rectOf(id);
        EXPECT_EQ(painter->hitTest(area.right - 1, area.bottom - 1).id, id);
        EXPECT_EQ(painter->hitTest(area.left, area.top).id, id);
    }
    // Text and frames answer nothing; the group box is not a button.
    EXPECT_EQ(centreHit(painter->controlRect(2)).part, DialogHit::Nothing);
    RECT group = painter->controlRect(3);
    EXPECT_EQ(painter->hitTest(group.right - 3, group.bottom - 3).part, DialogHit::Nothing);
    EXPECT_EQ(centreHit(painter->closeBoxRect()).part, DialogHit::CloseBox);
    EXPECT_EQ(centreHit(painter->helpBoxRect()).part, DialogHit::HelpBox);
    EXPECT_EQ(
        painter->hitTest(painter->captionRect().left + 20, painter->captionRect().top + 5).part,
        DialogHit::Caption);
    EXPECT_EQ(painter->hitTest(0, 0).part, DialogHit::Nothing);
    EXPECT_EQ(painter->hitTest(-5, 40).part, DialogHit::Nothing);
    EXPECT_EQ(painter->hitTest(painter->width() + 3, 40).part, DialogHit::Nothing);
}

TEST(DialogPainterSize, TemplatesNoScreenCouldHoldAreNotDrawn) {
    for (short side : {short(0x7FFF), short(0)}) {
        LumaDialogTemplate unusual{};
        unusual.style = WS_POPUP | WS_CAPTION;
        unusual.width = unusual.height = side;
        unusual.caption = "Unusual";
        unusual.fontName = "MS Sans Serif";
        unusual.pointSize = 8;
        Dialog dialog(unusual, nullptr, nullptr);
        EXPECT_FALSE(DialogPainter(dialog).ready()) << side;
    }
}

TEST_F(DialogPainterTest, OnlyADialogWithContextHelpHasTheHelpBox) {
    RECT help = painter->helpBoxRect();
    LumaDialogTemplate plain = dialog->dialogTemplate();
    plain.style &= ~DS_CONTEXTHELP;
    Dialog withoutHelp(plain, nullptr, nullptr);
    DialogPainter plainPainter(withoutHelp);
    ASSERT_TRUE(plainPainter.ready());
    int x = (help.left + help.right) / 2;
    int y = (help.top + help.bottom) / 2;
    EXPECT_EQ(painter->hitTest(x, y).part, DialogHit::HelpBox);
    EXPECT_EQ(plainPainter.hitTest(x, y).part, DialogHit::Caption);
    PixelImage image;
    plainPainter.paint(image, DialogHit{});
    EXPECT_NE(image.at(help.left, help.top), 0xFFFFFFu); // no raised box: the caption's blue
}
