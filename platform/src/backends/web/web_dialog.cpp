#include "backends/web/web_dialog.h"

#include "backends/web/web_keys.h"
#include "backends/web/web_page.h"
#include "backends/web/web_pointer.h"
#include "dialogs/dialog_input.h"
#include "dialogs/dialog_painter.h"

#include <emscripten.h>

#include <string>
#include <vector>

namespace luma {

namespace {

// The page's buttons, in the canvas's pixels, for whoever drives the page from outside (a
// test clicks them): "id left top right bottom", one button after another.
EM_JS(void, setDialogButtons, (const char* buttons), {
    const dataset = Module.canvas.dataset;
    if (buttons)
        dataset.dialogButtons = UTF8ToString(buttons);
    else
        delete dataset.dialogButtons;
});

std::string buttonsOf(Dialog& dialog, const DialogPainter& painter) {
    std::string buttons;
    const std::vector<DialogControl>& controls = dialog.controls();
    for (size_t i = 0; i < controls.size(); ++i) {
        ControlKind kind = controls[i].kind;
        if (kind == ControlKind::GroupBox || kind == ControlKind::StaticText)
            continue;
        RECT area = painter.controlRect(i);
        buttons += (buttons.empty() ? "" : ";") + std::to_string(controls[i].id) + " " +
                   std::to_string(area.left) + " " + std::to_string(area.top) + " " +
                   std::to_string(area.right) + " " + std::to_string(area.bottom);
    }
    return buttons;
}

// 0xRRGGBB as the bytes R, G, B, A that a canvas takes (WebAssembly is little-endian).
void toRgba(const PixelImage& picture, std::vector<uint32_t>& rgba) {
    constexpr uint32_t opaque = 0xFF000000;
    rgba.resize(picture.pixels.size());
    for (size_t i = 0; i < rgba.size(); ++i) {
        uint32_t colour = picture.pixels[i];
        rgba[i] = opaque | (colour & 0x00FF00) | (colour >> 16 & 0xFF) | (colour & 0xFF) << 16;
    }
}

// Placed anew each frame: the page may have changed its size.
void show(const DialogPainter& painter, const std::vector<uint32_t>& rgba) {
    int viewportWidth = 0, viewportHeight = 0;
    viewportSize(viewportWidth, viewportHeight);
    int scale = dialogScale(painter, viewportHeight, viewportWidth, viewportHeight);
    showCentredOnCanvas(rgba.data(), painter.width(), painter.height(), scale);
}

// True when anything the user did changed what the dialog shows.
bool feed(DialogInput& input) {
    bool fed = false;
    PageKey key;
    while (takePageKey(key)) {
        input.keyDown(key.virtualKey, key.shift, key.alt);
        // With Alt held the key itself was the mnemonic.
        if (!key.alt && !key.text.empty())
            input.typed(key.text);
        fed = true;
    }
    PagePointer pointer;
    while (takePagePointer(pointer)) {
        switch (pointer.kind) {
        case PagePointer::Down:
            input.mouseDown(pointer.x, pointer.y);
            break;
        case PagePointer::Move:
            input.mouseMove(pointer.x, pointer.y);
            break;
        case PagePointer::Up:
            input.mouseUp(pointer.x, pointer.y);
            break;
        }
        fed = true;
    }
    return fed;
}

} // namespace

bool runWebDialog(Dialog& dialog) {
    DialogPainter painter(dialog);
    if (!painter.ready())
        return false;
    DialogInput input(dialog, painter);
    PixelImage picture;
    std::vector<uint32_t> rgba;
    forgetPageKeys();
    startTakingPointer();
    setDialogButtons(buttonsOf(dialog, painter).c_str());
    bool repaint = true;
    while (!dialog.ended()) {
        if (repaint) {
            painter.paint(picture, input.shownPressed());
            toRgba(picture, rgba);
        }
        show(painter, rgba);
        waitForAnimationFrame();
        repaint = feed(input);
    }
    setDialogButtons(nullptr);
    stopTakingPointer();
    return true;
}

} // namespace luma
