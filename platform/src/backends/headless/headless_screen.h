// The headless display: one virtual screen whose shown page is kept for capture.
#pragma once

#include "display/screen.h"

#include <cstdint>
#include <vector>

namespace luma {

class HeadlessBackend;

// A copy of a shown page, rows packed without padding.
struct ShownPage {
    int width = 0;
    int height = 0;
    PixelLayout layout = PixelLayout::rgb565;
    std::vector<uint16_t> pixels;
    uint64_t frameNumber = 0; // how many pages were shown, this one included
};

class HeadlessScreen : public Screen {
public:
    explicit HeadlessScreen(HeadlessBackend& backend) : owner(backend) {}

    std::vector<std::string> displayNames() override { return {"Headless display"}; }
    // Padded rows everywhere: code that ignores the pitch shows it at once.
    int rowPadding() const override { return 48; }
    // Keeps the page and moves the virtual clock on by one frame.
    void present(const Page& page) override;
    // Keeps the page; time stands still.
    void update(const Page& page) override { keep(page); }
    // The virtual display has no beam to wait for.
    void waitForVerticalBlank() override {}

    const ShownPage& lastPage() const { return shown; }

private:
    void keep(const Page& page);

    HeadlessBackend& owner;
    ShownPage shown;
};

} // namespace luma
