// The headless clock exactly. It moves in steps of 1 / stepsPerSecond s: a whole number of
// steps make each capture frame, and there are at least 60 steps a second whatever the frame
// rate, so that a program topping its sound up once a step is never left behind. Time is
// counted in thousandths of a step, so that frame k, millisecond m (m * stepsPerSecond) and
// sample n of a device (n * 1000 * stepsPerSecond / rate) all fall on whole numbers or
// compare exactly.
#pragma once

#include <cstdint>

namespace luma {

struct VirtualTime {
    uint64_t stepThousandths = 0;
    int framesPerSecond = 60;
    int stepsPerFrame = 1;

    // Steps of at most 1/60 s: 1 at 60 frames a second or more, 60 at one frame a second.
    static int stepsPerFrameAt(int framesPerSecond) {
        return framesPerSecond >= 60 ? 1 : (60 + framesPerSecond - 1) / framesPerSecond;
    }

    uint64_t stepsPerSecond() const {
        return static_cast<uint64_t>(framesPerSecond) * static_cast<uint64_t>(stepsPerFrame);
    }
    // How many samples at `rate` have sounded by now.
    uint64_t samplesAt(uint32_t rate) const {
        return stepThousandths * rate / (1000u * stepsPerSecond());
    }
    uint64_t milliseconds() const { return stepThousandths / stepsPerSecond(); }
    // Whether millisecond m of the run lies before now.
    bool isPast(uint64_t milliseconds) const {
        return milliseconds * stepsPerSecond() < stepThousandths;
    }
    // How many capture frames start before now: frame k starts at k / framesPerSecond s.
    uint64_t framesStarted() const {
        uint64_t frameLength = 1000u * static_cast<uint64_t>(stepsPerFrame);
        return (stepThousandths + frameLength - 1) / frameLength;
    }
};

} // namespace luma
