#include "capture/screenshot_list.h"

namespace luma {

void ScreenshotList::add(uint64_t milliseconds, const std::string& path) {
    shots.push_back({milliseconds, path, false});
}

std::vector<Screenshot*> ScreenshotList::due(VirtualTime now) {
    std::vector<Screenshot*> result;
    for (Screenshot& shot : shots)
        if (!shot.taken && now.isPast(shot.milliseconds))
            result.push_back(&shot);
    return result;
}

std::vector<const Screenshot*> ScreenshotList::notTaken() const {
    std::vector<const Screenshot*> result;
    for (const Screenshot& shot : shots)
        if (!shot.taken)
            result.push_back(&shot);
    return result;
}

} // namespace luma
