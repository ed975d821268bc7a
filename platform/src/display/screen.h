// What a backend does for the display: which displays exist, how surface rows are laid
// out, and showing a page.
#pragma once

#include "display/pixel_format.h"

#include <string>
#include <vector>

namespace luma {

// A page of 16-bit pixels to show, rows `pitch` bytes apart.
struct Page {
    const uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    PixelLayout layout = PixelLayout::rgb565;
};

class Screen {
public:
    virtual ~Screen() = default;

    // The connected displays, the first being the primary one.
    virtual std::vector<std::string> displayNames() = 0;
    // Bytes added to every surface row beyond its pixels.
    virtual int rowPadding() const = 0;
    // Shows the page; returns once it is on screen (at the display's vertical blank).
    virtual void present(const Page& page) = 0;
    // The shown page was drawn on directly: show it as it is now, without counting a frame.
    virtual void update(const Page& page) = 0;
    // Returns at the start of the next vertical blank.
    virtual void waitForVerticalBlank() = 0;
};

} // namespace luma
