#include "backends/web/web_page.h"

#include "display/display_settings.h"
#include "display/page_placement.h"

#include <emscripten.h>

namespace luma {

namespace {

EM_JS(double, devicePixelsPerCssPixel, (), { return window.devicePixelRatio || 1; });

EM_JS(int, viewportCssWidth, (), { return window.innerWidth; });

EM_JS(int, viewportCssHeight, (), { return window.innerHeight; });

EM_JS(void, putCanvasPixels, (const uint32_t* rgba, int width, int height), {
    const canvas = Module.canvas;
    if (canvas.width != width || canvas.height != height) {
        canvas.width = width;
        canvas.height = height;
    }
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    canvas.getContext('2d').putImageData(new ImageData(bytes, width, height), 0, 0);
});

EM_JS(void, placeCanvas, (double left, double top, double width, double height, bool sharp), {
    const style = Module.canvas.style;
    style.left = left + 'px';
    style.top = top + 'px';
    style.width = width + 'px';
    style.height = height + 'px';
    style.imageRendering = sharp ? 'pixelated' : 'auto';
});

EM_JS(void, setFramesPresented, (double frames),
      { Module.canvas.dataset.framesPresented = frames; });

EM_JS(void, requestFullScreen, (), {
    const page = document.documentElement;
    if (page.requestFullscreen)
        page.requestFullscreen().catch(function(){});
});

EM_JS(void, showEnd, (int status), { Module.pageEnded(status); });

// Plain functions: the C++ formatter would split JavaScript's arrows.
EM_ASYNC_JS(void, nextAnimationFrame, (), {
    await new Promise(function(resolve) { requestAnimationFrame(function() { resolve(); }); });
});

// Places the canvas on a rectangle of the viewport given in device pixels.
void placeInDevicePixels(const PlacedRect& placed, bool sharp) {
    double scale = devicePixelsPerCssPixel();
    placeCanvas(placed.x / scale, placed.y / scale, placed.width / scale, placed.height / scale,
                sharp);
}

} // namespace

void viewportSize(int& width, int& height) {
    double scale = devicePixelsPerCssPixel();
    width = static_cast<int>(viewportCssWidth() * scale + 0.5);
    height = static_cast<int>(viewportCssHeight() * scale + 0.5);
}

void showOnCanvas(const uint32_t* rgba, int width, int height) {
    putCanvasPixels(rgba, width, height);
    int outputWidth = 0, outputHeight = 0;
    viewportSize(outputWidth, outputHeight);
    if (outputWidth <= 0 || outputHeight <= 0)
        return;
    PlacedRect placed = letterbox(outputWidth, outputHeight, width, height, integerScaling());
    placeInDevicePixels(placed, isWholeMultiple(placed, width, height));
}

void showCentredOnCanvas(const uint32_t* rgba, int width, int height, int scale) {
    putCanvasPixels(rgba, width, height);
    int outputWidth = 0, outputHeight = 0;
    viewportSize(outputWidth, outputHeight);
    if (outputWidth <= 0 || outputHeight <= 0)
        return;
    PlacedRect placed;
    placed.width = width * scale;
    placed.height = height * scale;
    // On whole device pixels, so that every square stays sharp.
    placed.x = (outputWidth - placed.width) / 2;
    placed.y = (outputHeight - placed.height) / 2;
    placeInDevicePixels(placed, true);
}

void countPresentedFrame(uint64_t framesPresented) {
    setFramesPresented(static_cast<double>(framesPresented));
}

void askForFullScreen() { requestFullScreen(); }

void sayProgramEnded(int status) { showEnd(status); }

void waitForAnimationFrame() { nextAnimationFrame(); }

} // namespace luma
