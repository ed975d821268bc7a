// A dialog laid out from its dialog units and painted in the classic 3-D look: a grey face,
// a caption bar with its boxes, bevelled push buttons, round radio marks, an etched group
// frame. Backends show the picture and ask what lies under the mouse.
#pragma once

#include "dialogs/dialog.h"
#include "dialogs/dialog_canvas.h"
#include "text/font_face.h"

#include <memory>
#include <string>
#include <vector>

namespace luma {

// A control's text with its "&" marks taken out: "&x" underlines x, "&&" shows one "&".
struct LabelText {
    std::string shown;
    int mnemonic = -1; // index into `shown` of the underlined character
};
LabelText parseLabel(const std::string& text);

// Windows' MulDiv: the product over the divisor, rounded half away from zero.
int mulDiv(int number, int numerator, int denominator);

// What lies under a point of the picture.
struct DialogHit {
    enum Part { Nothing, Caption, HelpBox, CloseBox, Control };
    Part part = Nothing;
    int id = 0; // of the control

    bool operator==(const DialogHit& other) const { return part == other.part && id == other.id; }
};

class DialogPainter;

// The whole multiple of its size a dialog is shown at: larger on screens 720 pixels tall and
// more, never larger than the room there is for it.
int dialogScale(const DialogPainter& painter, int screenHeight, int roomWidth, int roomHeight);

class DialogPainter {
public:
    explicit DialogPainter(Dialog& dialog);

    // False when the dialog cannot be drawn: no font, or a size no screen holds.
    bool ready() const { return font != nullptr; }
    const FontFace& textFont() const { return *font; }
    int width() const { return size.cx; }
    int height() const { return size.cy; }

    // Pixels per 4 horizontal and per 8 vertical dialog units.
    int baseUnitX() const { return baseX; }
    int baseUnitY() const { return baseY; }

    // Places in the picture.
    RECT clientRect() const { return client; }
    RECT captionRect() const { return caption; }
    RECT helpBoxRect() const { return helpBox; }
    RECT closeBoxRect() const { return closeBox; }
    RECT controlRect(size_t index) const { return controls[index]; }

    // Only push and radio buttons answer as controls; the caption answers so it can be dragged.
    DialogHit hitTest(int x, int y) const;

    // `pressed` is shown pushed in: the part the mouse holds down while over it.
    void paint(PixelImage& image, const DialogHit& pressed) const;

private:
    void layOut();
    void paintFrameAndCaption(DialogCanvas& canvas, const DialogHit& pressed) const;
    void paintCaptionBox(DialogCanvas& canvas, const RECT& box, const char* const* glyph,
                         bool pushed) const;
    void paintStatic(DialogCanvas& canvas, const DialogControl& control, const RECT& area) const;
    void paintGroupBox(DialogCanvas& canvas, const DialogControl& control, const RECT& area) const;
    void paintRadio(DialogCanvas& canvas, const DialogControl& control, const RECT& area,
                    bool focused, bool pushed) const;
    void paintPushButton(DialogCanvas& canvas, const DialogControl& control, const RECT& area,
                         bool heavy, bool focused, bool pushed) const;
    void paintLabel(DialogCanvas& canvas, const FontFace& face, const std::string& shown,
                    int mnemonic, int x, int top, uint32_t colour, const RECT& clip) const;
    int heavyFramedButton() const;

    Dialog& dialog;
    std::unique_ptr<FontFace> font;
    std::unique_ptr<FontFace> captionFont;
    int baseX = 0;
    int baseY = 0;
    SIZE size{};
    RECT client{};
    RECT caption{};
    RECT helpBox{};
    RECT closeBox{};
    std::vector<RECT> controls;
};

} // namespace luma
