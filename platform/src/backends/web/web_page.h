// The page around the program: its viewport, its canvas and the browser's frames.
#pragma once

#include <cstdint>

namespace luma {

// The page's viewport in device pixels.
void viewportSize(int& width, int& height);

// Puts RGBA pixels into the canvas and places the canvas on the page: the largest size of
// the page's aspect that fits, black bars around it, sharp at whole multiples.
void showOnCanvas(const uint32_t* rgba, int width, int height);

// Puts RGBA pixels into the canvas and shows each as a square of `scale` device pixels in
// the middle of the page.
void showCentredOnCanvas(const uint32_t* rgba, int width, int height, int scale);

// Tells the page (and a test watching it) how many pages were presented.
void countPresentedFrame(uint64_t framesPresented);

// Asks the browser to show the page on the whole screen; it may refuse.
void askForFullScreen();

// The page says that the program has ended, and plays it again at a click.
void sayProgramEnded(int status);

// Gives the browser its turn until it draws its next frame.
void waitForAnimationFrame();

} // namespace luma
