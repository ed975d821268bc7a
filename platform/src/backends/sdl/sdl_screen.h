// The shown page in the sdl backend's window, scaled with its aspect kept, at the display's
// refresh: at whole multiples drawn into the window's own pixels, elsewhere a streaming
// RGB565 texture smoothed by the renderer.
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
    // Each returns whether showing the page waited for the vertical blank.
    bool draw();
    bool drawOnWindowSurface(); // false: not a whole multiple, or no window pixels to use
    bool drawWithRenderer();
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
