// The page around the program: its viewport, its canvas and the browser's frames.
#pragma once

#include <cstdint>

namespace luma {

// The page's viewport in device pixels.
void viewportSize(int& width, int& height);

// Puts RGBA pixels into the canvas and places the canvas on the page: the largest size of
// the page's aspect that fits, black bars around it, sharp at whole multiples.
void showOnCanvas(const uint32_t* rgba, int width, int height);

// Tells the page (and a test watching it) how many pages were presented.
void countPresentedFrame(uint64_t framesPresented);

// Gives the browser its turn until it draws its next frame.
void waitForAnimationFrame();

} // namespace luma
