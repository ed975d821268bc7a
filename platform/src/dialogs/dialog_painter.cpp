#include "dialogs/dialog_painter.h"

#include "text/font_library.h"
#include "text/font_lines.h"

#include <algorithm>
#include <cstdlib>

namespace luma {

namespace {

// The classic scheme's colours.
constexpr uint32_t faceColour = 0xC0C0C0;
constexpr uint32_t lightColour = 0xDFDFDF;
constexpr uint32_t highlightColour = 0xFFFFFF;
constexpr uint32_t shadowColour = 0x808080;
constexpr uint32_t darkShadowColour = 0x000000;
constexpr uint32_t windowColour = 0xFFFFFF;
constexpr uint32_t textColour = 0x000000;
constexpr uint32_t captionLeftColour = 0x000080;
constexpr uint32_t captionRightColour = 0x1084D0;
constexpr uint32_t captionTextColour = 0xFFFFFF;

// The classic metrics, in pixels.
constexpr int screenDpi = 96;
constexpr int frameWidth = 3; // a dialog frame: two bevels and a face-coloured line
constexpr int captionHeight = 18;
constexpr int captionGap = 1; // face-coloured line between caption and client
constexpr int captionTextIndent = 2;
constexpr int boxWidth = 16; // the caption's help and close boxes
constexpr int boxHeight = 14;
constexpr int boxMargin = 2;
constexpr int radioSize = 12;
constexpr int radioTextIndent = 17;
constexpr int groupTextIndent = 8;
constexpr int pushFocusInset = 3;
// Screens this many pixels tall and more show a dialog at a whole multiple of its size.
constexpr int screenPixelsPerScale = 720;
// A template bigger than any screen is not drawn.
constexpr int largestSide = 8192;

const char* const defaultFace = "MS Sans Serif";
constexpr int defaultPointSize = 8;

// Dialog units are measured on these letters, as Windows measures them.
const char* const baseUnitLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The round mark: 'o' outer ring, 'i' inner ring, 'w' the well; the rings are dark on the
// top-left half and light on the bottom-right, so the mark looks sunken.
// clang-format off
const char* const radioMark[radioSize] = {
    "....oooo....",
    "..ooiiiioo..",
    ".oiiwwwwiio.",
    ".oiwwwwwwio.",
    "oiwwwwwwwwio",
    "oiwwwwwwwwio",
    "oiwwwwwwwwio",
    "oiwwwwwwwwio",
    ".oiwwwwwwio.",
    ".oiiwwwwiio.",
    "..ooiiiioo..",
    "....oooo....",
};
const char* const radioDot[] = {
    ".##.",
    "####",
    "####",
    ".##.",
    nullptr,
};
const char* const closeGlyph[] = {
    "##....##",
    ".##..##.",
    "..####..",
    "...##...",
    "..####..",
    ".##..##.",
    "##....##",
    nullptr,
};
const char* const helpGlyph[] = {
    ".####.",
    "##..##",
    "...##.",
    "..##..",
    "..##..",
    "......",
    "..##..",
    nullptr,
};
// clang-format on
constexpr int radioDotOffset = 4;

bool isPushButton(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::DefaultPushButton;
}

int widthOf(const RECT& area) { return area.right - area.left; }
int heightOf(const RECT& area) { return area.bottom - area.top; }

// Draws the '#' cells of a pattern whose rows end with a null row.
void paintPattern(DialogCanvas& canvas, const char* const* rows, int x, int y, uint32_t colour) {
    for (int row = 0; rows[row]; ++row)
        for (int column = 0; rows[row][column]; ++column)
            if (rows[row][column] == '#')
                canvas.pixel(x + column, y + row, colour);
}

void paintRaised(DialogCanvas& canvas, const RECT& area) {
    canvas.frame(area, highlightColour, darkShadowColour);
    canvas.frame(insetRect(area, 1), lightColour, shadowColour);
}

void paintSunken(DialogCanvas& canvas, const RECT& area) {
    canvas.frame(area, darkShadowColour, highlightColour);
    canvas.frame(insetRect(area, 1), shadowColour, lightColour);
}

} // namespace

int dialogScale(const DialogPainter& painter, int screenHeight, int roomWidth, int roomHeight) {
    int scale = std::max(1, screenHeight / screenPixelsPerScale);
    while (scale > 1 &&
           (painter.width() * scale > roomWidth || painter.height() * scale > roomHeight))
        --scale;
    return scale;
}

LabelText parseLabel(const std::string& text) {
    LabelText label;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && label.mnemonic < 0)
                label.mnemonic = static_cast<int>(label.shown.size());
        }
        label.shown += text[i];
    }
    return label;
}

int mulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    long long product = static_cast<long long>(number) * numerator;
    long long half = denominator / 2;
    bool negative = (product < 0) != (denominator < 0);
    long long magnitude = (std::llabs(product) + std::llabs(half)) / std::llabs(denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogPainter::DialogPainter(Dialog& shownDialog) : dialog(shownDialog) {
    const LumaDialogTemplate& source = dialog.dialogTemplate();
    FontRequest request;
    request.faceName = source.fontName ? source.fontName : defaultFace;
    int points = source.fontName ? source.pointSize : defaultPointSize;
    request.height = -mulDiv(points, screenDpi, 72);
    font = openFont(request);
    request.bold = true;
    captionFont = openFont(request);
    if (!font || !captionFont) {
        font.reset();
        return;
    }
    baseX = (font->measure(baseUnitLetters) / 26 + 1) / 2;
    baseY = font->height();
    layOut();
    if (size.cx > largestSide || size.cy > largestSide || size.cx <= 2 * frameWidth ||
        size.cy <= client.top + frameWidth)
        font.reset();
}

void DialogPainter::layOut() {
    const LumaDialogTemplate& source = dialog.dialogTemplate();
    int clientWidth = mulDiv(source.width, baseX, 4);
    int clientHeight = mulDiv(source.height, baseY, 8);
    int clientTop = frameWidth + captionHeight + captionGap;
    size.cx = clientWidth + 2 * frameWidth;
    size.cy = clientTop + clientHeight + frameWidth;
    client = RECT{frameWidth, clientTop, frameWidth + clientWidth, clientTop + clientHeight};
    caption = RECT{frameWidth, frameWidth, size.cx - frameWidth, frameWidth + captionHeight};

    int boxTop = caption.top + boxMargin;
    closeBox = RECT{caption.right - boxMargin - boxWidth, boxTop, caption.right - boxMargin,
                    boxTop + boxHeight};
    // Only a dialog that offers context help has the "?" box beside the close box.
    helpBox = RECT{closeBox.left, boxTop, closeBox.left, boxTop};
    if (source.style & DS_CONTEXTHELP)
        helpBox = RECT{closeBox.left - boxMargin - boxWidth, boxTop, closeBox.left - boxMargin,
                       boxTop + boxHeight};

    controls.clear();
    for (const DialogControl& control : dialog.controls()) {
        const RECT& units = control.units;
        int left = client.left + mulDiv(units.left, baseX, 4);
        int top = client.top + mulDiv(units.top, baseY, 8);
        controls.push_back(RECT{left, top, left + mulDiv(units.right - units.left, baseX, 4),
                                top + mulDiv(units.bottom - units.top, baseY, 8)});
    }
}

DialogHit DialogPainter::hitTest(int x, int y) const {
    DialogHit hit;
    if (pointInRect(closeBox, x, y)) {
        hit.part = DialogHit::CloseBox;
    } else if (pointInRect(helpBox, x, y)) {
        hit.part = DialogHit::HelpBox;
    } else if (pointInRect(caption, x, y)) {
        hit.part = DialogHit::Caption;
    } else {
        std::vector<DialogControl>& items = dialog.controls();
        for (size_t i = 0; i < items.size(); ++i) {
            bool clickable =
                isPushButton(items[i].kind) || items[i].kind == ControlKind::RadioButton;
            if (clickable && pointInRect(controls[i], x, y)) {
                hit.part = DialogHit::Control;
                hit.id = items[i].id;
                break;
            }
        }
    }
    return hit;
}

// The focused push button carries the heavy frame; with the focus elsewhere, the default one.
int DialogPainter::heavyFramedButton() const {
    std::vector<DialogControl>& items = dialog.controls();
    int focused = dialog.focus();
    if (focused >= 0 && focused < static_cast<int>(items.size()) &&
        isPushButton(items[focused].kind))
        return focused;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].kind == ControlKind::DefaultPushButton)
            return static_cast<int>(i);
    return -1;
}

void DialogPainter::paint(PixelImage& image, const DialogHit& pressed) const {
    image.resize(size.cx, size.cy);
    DialogCanvas canvas(image);
    canvas.fill(RECT{0, 0, size.cx, size.cy}, faceColour);
    paintFrameAndCaption(canvas, pressed);

    std::vector<DialogControl>& items = dialog.controls();
    int heavy = heavyFramedButton();
    for (size_t i = 0; i < items.size(); ++i) {
        const DialogControl& control = items[i];
        int index = static_cast<int>(i);
        bool focused = index == dialog.focus();
        bool pushed = pressed.part == DialogHit::Control && pressed.id == control.id;
        switch (control.kind) {
        case ControlKind::StaticText:
            paintStatic(canvas, control, controls[i]);
            break;
        case ControlKind::GroupBox:
            paintGroupBox(canvas, control, controls[i]);
            break;
        case ControlKind::RadioButton:
            paintRadio(canvas, control, controls[i], focused, pushed);
            break;
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton:
            paintPushButton(canvas, control, controls[i], index == heavy, focused, pushed);
            break;
        }
    }
}

void DialogPainter::paintFrameAndCaption(DialogCanvas& canvas, const DialogHit& pressed) const {
    RECT whole{0, 0, size.cx, size.cy};
    canvas.frame(whole, lightColour, darkShadowColour);
    canvas.frame(insetRect(whole, 1), highlightColour, shadowColour);

    canvas.gradient(caption, captionLeftColour, captionRightColour);
    RECT textClip{caption.left, caption.top, helpBox.left - boxMargin, caption.bottom};
    int textTop = caption.top + (captionHeight - captionFont->height() + 1) / 2;
    // A caption has no mnemonic: its "&" shows as it is.
    const char* title = dialog.dialogTemplate().caption;
    canvas.text(captionFont->render(title ? title : ""), caption.left + captionTextIndent, textTop,
                captionTextColour, textClip);

    if (helpBox.right > helpBox.left)
        paintCaptionBox(canvas, helpBox, helpGlyph, pressed.part == DialogHit::HelpBox);
    paintCaptionBox(canvas, closeBox, closeGlyph, pressed.part == DialogHit::CloseBox);
}

void DialogPainter::paintCaptionBox(DialogCanvas& canvas, const RECT& box, const char* const* glyph,
                                    bool pushed) const {
    canvas.fill(box, faceColour);
    if (pushed)
        paintSunken(canvas, box);
    else
        paintRaised(canvas, box);
    int glyphWidth = static_cast<int>(std::string(glyph[0]).size());
    int glyphHeight = 0;
    while (glyph[glyphHeight])
        ++glyphHeight;
    int shift = pushed ? 1 : 0;
    int x = box.left + (boxWidth - glyphWidth) / 2 + shift;
    int y = box.top + (boxHeight - glyphHeight) / 2 + shift;
    paintPattern(canvas, glyph, x, y, textColour);
}

void DialogPainter::paintLabel(DialogCanvas& canvas, const FontFace& face, const std::string& shown,
                               int mnemonic, int x, int top, uint32_t colour,
                               const RECT& clip) const {
    canvas.text(face.render(shown), x, top, colour, clip);
    if (mnemonic < 0 || mnemonic >= static_cast<int>(shown.size()))
        return;
    int from = x + face.measure(shown.substr(0, mnemonic));
    int to = x + face.measure(shown.substr(0, mnemonic + 1));
    RECT underline{from, top + face.ascent() + 1, to, top + face.ascent() + 2};
    RECT visible{std::max(underline.left, clip.left), std::max(underline.top, clip.top),
                 std::min(underline.right, clip.right), std::min(underline.bottom, clip.bottom)};
    canvas.fill(visible, colour);
}

void DialogPainter::paintStatic(DialogCanvas& canvas, const DialogControl& control,
                                const RECT& area) const {
    LabelText label = parseLabel(control.text);
    int top = area.top;
    for (const TextLine& line : wrapLines(*font, label.shown, widthOf(area))) {
        int mnemonic = label.mnemonic - static_cast<int>(line.start);
        paintLabel(canvas, *font, label.shown.substr(line.start, line.length), mnemonic, area.left,
                   top, textColour, area);
        top += font->height();
    }
}

void DialogPainter::paintGroupBox(DialogCanvas& canvas, const DialogControl& control,
                                  const RECT& area) const {
    RECT frame{area.left, area.top + font->height() / 2, area.right, area.bottom};
    canvas.frame(frame, shadowColour, highlightColour);
    canvas.frame(insetRect(frame, 1), highlightColour, shadowColour);

    LabelText label = parseLabel(control.text);
    if (label.shown.empty())
        return;
    int textLeft = area.left + groupTextIndent;
    int textWidth = font->measure(label.shown);
    canvas.fill(RECT{textLeft - 1, area.top, textLeft + textWidth + 1, area.top + font->height()},
                faceColour);
    paintLabel(canvas, *font, label.shown, label.mnemonic, textLeft, area.top, textColour, area);
}

void DialogPainter::paintRadio(DialogCanvas& canvas, const DialogControl& control, const RECT& area,
                               bool focused, bool pushed) const {
    int markLeft = area.left;
    int markTop = area.top + (heightOf(area) - radioSize) / 2;
    for (int y = 0; y < radioSize; ++y) {
        for (int x = 0; x < radioSize; ++x) {
            bool topLeftHalf = x + y < radioSize - 1;
            uint32_t colour = 0;
            switch (radioMark[y][x]) {
            case 'o':
                colour = topLeftHalf ? shadowColour : highlightColour;
                break;
            case 'i':
                colour = topLeftHalf ? darkShadowColour : lightColour;
                break;
            case 'w':
                colour = pushed ? faceColour : windowColour;
                break;
            default:
                continue;
            }
            canvas.pixel(markLeft + x, markTop + y, colour);
        }
    }
    if (control.checked)
        paintPattern(canvas, radioDot, markLeft + radioDotOffset, markTop + radioDotOffset,
                     textColour);

    LabelText label = parseLabel(control.text);
    int textLeft = area.left + radioTextIndent;
    int textTop = area.top + (heightOf(area) - font->height()) / 2;
    paintLabel(canvas, *font, label.shown, label.mnemonic, textLeft, textTop, textColour, area);
    if (focused) {
        RECT around{textLeft - 1, textTop - 1, textLeft + font->measure(label.shown) + 1,
                    textTop + font->height() + 1};
        canvas.focusFrame(RECT{std::max(around.left, area.left), std::max(around.top, area.top),
                               std::min(around.right, area.right),
                               std::min(around.bottom, area.bottom)});
    }
}

void DialogPainter::paintPushButton(DialogCanvas& canvas, const DialogControl& control,
                                    const RECT& area, bool heavy, bool focused, bool pushed) const {
    RECT face = area;
    if (heavy) {
        canvas.frame(face, darkShadowColour, darkShadowColour);
        face = insetRect(face, 1);
    }
    if (pushed)
        canvas.frame(face, shadowColour, shadowColour);
    else
        paintRaised(canvas, face);

    LabelText label = parseLabel(control.text);
    int shift = pushed ? 1 : 0;
    int textLeft = area.left + (widthOf(area) - font->measure(label.shown)) / 2 + shift;
    int textTop = area.top + (heightOf(area) - font->height()) / 2 + shift;
    paintLabel(canvas, *font, label.shown, label.mnemonic, textLeft, textTop, textColour,
               insetRect(area, 2));
    if (focused)
        canvas.focusFrame(insetRect(area, pushFocusInset));
}

} // namespace luma
