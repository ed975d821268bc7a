#include "backends/sdl/sdl_frame_log.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace luma {

namespace {

constexpr int gridColumns = 8;
constexpr int gridRows = 6;
constexpr int sampleStep = 4; // every 4th pixel of every 4th row: cheap and still exact enough

FILE* logFile() {
    static FILE* file = [] {
        const char* path = std::getenv("LUMA_FRAME_LOG");
        return path && *path ? std::fopen(path, "w") : nullptr;
    }();
    return file;
}

long long microseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

int brightness(uint16_t pixel) {
    int red = (pixel >> 11) << 3;
    int green = ((pixel >> 5) & 0x3F) << 2;
    int blue = (pixel & 0x1F) << 3;
    return (red + green + blue) / 3;
}

} // namespace

bool frameLogEnabled() { return logFile() != nullptr; }

void logPresentedFrame(const std::vector<uint16_t>& page565, int width, int height) {
    FILE* file = logFile();
    if (!file)
        return;
    long long now = microseconds();
    long sums[gridRows][gridColumns] = {};
    long counts[gridRows][gridColumns] = {};
    if (width > 0 && height > 0 && page565.size() >= static_cast<size_t>(width) * height)
        for (int y = 0; y < height; y += sampleStep)
            for (int x = 0; x < width; x += sampleStep) {
                int row = y * gridRows / height, column = x * gridColumns / width;
                sums[row][column] += brightness(page565[static_cast<size_t>(y) * width + x]);
                ++counts[row][column];
            }
    std::fprintf(file, "frame %lld ", now);
    for (int row = 0; row < gridRows; ++row)
        for (int column = 0; column < gridColumns; ++column)
            std::fprintf(file, "%02lx",
                         counts[row][column] ? sums[row][column] / counts[row][column] : 0L);
    std::fputc('\n', file);
    // Flushed about once a second, so a run that is killed still leaves most of its frames.
    static int unflushed = 0;
    if (++unflushed >= 60) {
        std::fflush(file);
        unflushed = 0;
    }
}

void logAudioDevice(int rate, int periodFrames, int latencyFrames, bool priorityRaised) {
    FILE* file = logFile();
    if (!file)
        return;
    std::fprintf(file, "audio %lld rate %d period %d latency %d priority %s\n", microseconds(),
                 rate, periodFrames, latencyFrames, priorityRaised ? "raised" : "normal");
    std::fflush(file);
}

} // namespace luma
