#include "capture/png_queue.h"

#include "capture/png_writer.h"

namespace luma {

PngQueue::PngQueue() : writer([this] { writeAll(); }) {}

PngQueue::~PngQueue() {
    std::string ignored;
    finish(ignored);
}

bool PngQueue::add(const std::string& path, const RgbFrame& frame, std::string& problem) {
    std::unique_lock<std::mutex> guard(lock);
    changed.wait(guard, [this] { return jobs.size() < mostQueued || !failure.empty(); });
    if (!failure.empty()) {
        problem = failure;
        return false;
    }
    jobs.push_back({path, frame});
    changed.notify_all();
    return true;
}

bool PngQueue::finish(std::string& problem) {
    {
        std::lock_guard<std::mutex> guard(lock);
        closing = true;
        changed.notify_all();
    }
    if (writer.joinable())
        writer.join();
    problem = failure;
    return failure.empty();
}

void PngQueue::writeAll() {
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        changed.wait(guard, [this] { return !jobs.empty() || closing; });
        if (jobs.empty())
            return;
        Job job = std::move(jobs.front());
        jobs.pop_front();
        changed.notify_all();
        // After a failure the rest is dropped: the run is ending anyway.
        if (!failure.empty())
            continue;
        guard.unlock();
        std::string problem;
        bool written = writePng(job.path, job.frame, problem);
        guard.lock();
        if (!written && failure.empty())
            failure = problem;
        changed.notify_all();
    }
}

} // namespace luma
