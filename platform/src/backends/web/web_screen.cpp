#include "backends/web/web_screen.h"

#include "backends/web/web_page.h"
#include "backends/web/web_pixels.h"

namespace luma {

void WebScreen::present(const Page& page) {
    draw(page);
    ++framesPresented;
    countPresentedFrame(framesPresented);
    presentedSinceAsked = true;
    waitForAnimationFrame();
}

void WebScreen::update(const Page& page) { draw(page); }

void WebScreen::waitForVerticalBlank() { waitForAnimationFrame(); }

bool WebScreen::takePresentedSinceAsked() {
    bool presented = presentedSinceAsked;
    presentedSinceAsked = false;
    return presented;
}

void WebScreen::draw(const Page& page) {
    pageToRgba(page, rgba);
    showOnCanvas(rgba.data(), page.width, page.height);
}

} // namespace luma
