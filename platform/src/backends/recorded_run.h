// What a backend on a virtual clock offers to capture: its clock, the page on screen, the
// sound it played, and word each time the clock moves. Capture knows no backend but this.
#pragma once

#include "backends/virtual_time.h"
#include "display/shown_page.h"
#include "sound/sound_recording.h"

namespace luma {

class ClockWatcher {
public:
    // The clock moved to `now`; `page` is what was on screen since it last moved.
    virtual void clockMoved(const ShownPage& page, VirtualTime now) = 0;

protected:
    ~ClockWatcher() = default;
};

class RecordedRun {
public:
    virtual VirtualTime now() const = 0;
    // Everything the sound device played since the platform started, up to now.
    virtual const SoundRecording& soundPlayed() = 0;
    // One watcher at a time; null for none.
    virtual void watchClock(ClockWatcher* watcher) = 0;

protected:
    ~RecordedRun() = default;
};

} // namespace luma
