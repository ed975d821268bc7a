// The headless clock exactly: whole frames and the milliseconds slept, in thousandths of a
// frame, so that frame k (k * 1000), millisecond m (m * fps) and sample n of a device
// (n * 1000 * fps / rate) all fall on whole numbers or compare exactly.
#pragma once

#include <cstdint>

namespace luma {

struct VirtualTime {
    uint64_t frameThousandths = 0;
    int framesPerSecond = 60;

    // How many samples at `rate` have sounded by now.
    uint64_t samplesAt(uint32_t rate) const {
        return frameThousandths * rate / (1000u * static_cast<uint64_t>(framesPerSecond));
    }
    uint64_t milliseconds() const {
        return frameThousandths / static_cast<uint64_t>(framesPerSecond);
    }
};

} // namespace luma
