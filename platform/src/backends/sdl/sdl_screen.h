// The shown page in the sdl backend's window: a streaming texture in RGB565, scaled to
// the window with its aspect kept, at the display's refresh.
#pragma once

#include "display/screen.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace luma {

class SdlBackend;

class SdlScreen : public Screen {
public:
    explicit SdlScreen(SdlBackend& backend) : owner(backend) {}

    std::vector<std::string> displayNames() override;
    int rowPadding() const override { return 0; }
    void present(const Page& page) override;
    void update(const Page& page) override;
    void waitForVerticalBlank() override;

    // Shows the last page again, or black before the first: after an expose or a
    // change between full screen and window.
    void repaint();
    // The window's renderer is about to go: drop the texture made with it.
    void releaseRenderer();

private:
    void keep(const Page& page);
    void draw();
    bool rendererWaitsForVerticalBlank();
    int refreshRate();
    // Without vsync, sleeps until one refresh period after the previous page.
    void paceToRefresh();

    SdlBackend& owner;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    std::vector<uint16_t> page565; // the last page, rows packed
    int pageWidth = 0;
    int pageHeight = 0;
    Uint64 lastShown = 0;
};

} // namespace luma
