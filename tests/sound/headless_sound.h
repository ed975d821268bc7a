// Driving the headless sound device from a test: its virtual clock, what it played, and
// buffers filled with known samples.
#pragma once

#include <dsound.h>

#include <cstdint>
#include <vector>

// The rate every layer test's device plays at.
const DWORD deviceRate = 22050;

// What the device plays from the moment it is made on.
class Recorder {
public:
    Recorder();
    std::vector<int16_t> played() const;

private:
    DWORD mark;
};

// Lets the virtual clock run.
void letTimePass(DWORD milliseconds);
// Moves the clock on to a millisecond at which a whole number of frames has played
// (every 20 ms at 22050 Hz), so that frame counts of later stretches are exact.
void startOnWholeFrame();

LPDIRECTSOUNDBUFFER makeBuffer(LPDIRECTSOUND device, DWORD rate, const std::vector<uint8_t>& bytes,
                               WORD bits = 16, WORD channels = 1);
LPDIRECTSOUNDBUFFER makeBuffer(LPDIRECTSOUND device, DWORD rate,
                               const std::vector<int16_t>& samples);
