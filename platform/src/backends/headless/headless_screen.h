// The headless display: one virtual screen whose shown page is kept for capture.
#pragma once

#include "display/screen.h"
#include "display/shown_page.h"

namespace luma {

class HeadlessBackend;

class HeadlessScreen : public Screen {
public:
    explicit HeadlessScreen(HeadlessBackend& backend) : owner(backend) {}

    std::vector<std::string> displayNames() override { return {"Headless display"}; }
    // Padded rows everywhere: code that ignores the pitch shows it at once.
    int rowPadding() const override { return 48; }
    // Keeps the page and moves the virtual clock on by one step.
    void present(const Page& page) override;
    // Keeps the page; time stands still.
    void update(const Page& page) override { keep(page); }
    // The virtual display has no beam to wait for.
    void waitForVerticalBlank() override {}

    const ShownPage& lastPage() const { return shown; }
    // Whether shown pages are copied for someone to read (a capture); without, only their
    // count is kept, which spares a copy of every page.
    void keepPages(bool keep) { keeping = keep; }

private:
    void keep(const Page& page);

    HeadlessBackend& owner;
    ShownPage shown;
    bool keeping = false;
};

} // namespace luma
