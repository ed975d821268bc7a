// What a backend gives the sound layer: its output devices and an open device that plays
// what a mixer makes.
#pragma once

#include <windef.h>

#include <string>

namespace luma {

struct AudioDeviceInfo {
    std::string name;   // as the backend knows it (UTF-8)
    std::string module; // the driver behind it
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Frames per second the device plays; 0 while it waits for a program's first buffer.
    virtual DWORD rate() const = 0;
    // A program made a buffer at `rate`: a device without a rate of its own takes it.
    virtual void bufferMade(DWORD rate) = 0;
    // Plays up to the present: the work of a device without a thread of its own.
    virtual void catchUp() = 0;
    // Frames the mixer made that the device has not played yet.
    virtual DWORD queuedFrames() const { return 0; }
};

} // namespace luma
