// The screen of a page: the shown page drawn into a canvas, which the page letterboxes.
#pragma once

#include "display/screen.h"

#include <cstdint>
#include <vector>

namespace luma {

class WebScreen : public Screen {
public:
    std::vector<std::string> displayNames() override { return {"Browser canvas"}; }
    int rowPadding() const override { return 0; }
    // Draws the page and waits for the browser's next frame, the page's vertical blank.
    void present(const Page& page) override;
    // Draws the page at once.
    void update(const Page& page) override;
    void waitForVerticalBlank() override;

    // Whether a page was presented since the last time this was asked.
    bool takePresentedSinceAsked();

private:
    void draw(const Page& page);

    std::vector<uint32_t> rgba;
    uint64_t framesPresented = 0;
    bool presentedSinceAsked = false;
};

} // namespace luma
