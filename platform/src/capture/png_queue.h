// PNG files written on a thread of their own, so that compressing one frame overlaps drawing
// the next. The queue holds a few frames at most: a run that draws faster than the files are
// written waits for room instead of piling frames up in memory.
#pragma once

#include "capture/rgb_frame.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace luma {

class PngQueue {
public:
    PngQueue();
    ~PngQueue();
    PngQueue(const PngQueue&) = delete;
    PngQueue& operator=(const PngQueue&) = delete;

    // Queues a copy of the frame; false (with the first failure) once a file could not be
    // written.
    bool add(const std::string& path, const RgbFrame& frame, std::string& problem);
    // Writes what is queued and stops; false with the first failure.
    bool finish(std::string& problem);

private:
    struct Job {
        std::string path;
        RgbFrame frame;
    };
    static constexpr size_t mostQueued = 4;

    void writeAll();

    std::mutex lock;
    std::condition_variable changed;
    std::deque<Job> jobs;
    bool closing = false;
    std::string failure;
    std::thread writer;
};

} // namespace luma
