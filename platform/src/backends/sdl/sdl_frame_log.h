// An opt-in log for measuring live play: LUMA_FRAME_LOG=FILE writes one line per presented
// page (its time on the monotonic clock and a coarse picture of it, from which cuts between
// scenes can be found) and one line per opened sound device (its latency).
#pragma once

#include <cstdint>
#include <vector>

namespace luma {

// Whether LUMA_FRAME_LOG names a file that could be opened.
bool frameLogEnabled();
// "frame MICROSECONDS GRID": GRID is 8 x 6 two-digit hex means of the page's brightness.
void logPresentedFrame(const std::vector<uint16_t>& page565, int width, int height);
// "audio MICROSECONDS rate R period FRAMES latency FRAMES priority raised|normal".
void logAudioDevice(int rate, int periodFrames, int latencyFrames, bool priorityRaised);

} // namespace luma
