#include "backends/headless/headless_screen.h"

#include "backends/headless/headless_backend.h"

#include <cstring>

namespace luma {

void HeadlessScreen::present(const Page& page) {
    keep(page);
    ++shown.frameNumber;
    owner.pagePresented();
}

void HeadlessScreen::keep(const Page& page) {
    if (!keeping)
        return;
    shown.width = page.width;
    shown.height = page.height;
    shown.layout = page.layout;
    shown.pixels.resize(static_cast<size_t>(page.width) * page.height);
    for (int y = 0; y < page.height; ++y)
        std::memcpy(&shown.pixels[static_cast<size_t>(y) * page.width],
                    page.pixels + static_cast<size_t>(y) * page.pitch,
                    static_cast<size_t>(page.width) * 2);
}

} // namespace luma
