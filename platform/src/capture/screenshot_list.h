// The screenshots asked for: each is the frame on screen at its demo time.
#pragma once

#include "backends/virtual_time.h"

#include <cstdint>
#include <string>
#include <vector>

namespace luma {

struct Screenshot {
    uint64_t milliseconds = 0;
    std::string path;
    bool taken = false;
};

class ScreenshotList {
public:
    void add(uint64_t milliseconds, const std::string& path);
    bool empty() const { return shots.empty(); }
    // The screenshots whose time came before `now` and that are not taken yet: the page
    // shown since the clock last moved is the one on screen at their time.
    std::vector<Screenshot*> due(VirtualTime now);
    // Those not taken yet: at the end, the ones whose time the run never reached.
    std::vector<const Screenshot*> notTaken() const;

private:
    std::vector<Screenshot> shots;
};

} // namespace luma
