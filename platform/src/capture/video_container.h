// The video files --record makes, chosen by the file's extension: the container ffmpeg
// writes and the codecs that suit it.
#pragma once

#include <cstring>
#include <string>
#include <strings.h>

namespace luma {

struct VideoContainer {
    const char* extension;
    const char* format;     // ffmpeg's name of the container
    const char* videoCodec; // encoder arguments for the frames, yuv420p
    const char* soundCodec; // encoder arguments for the sound
    // Where the sound waits, encoded, for the video: a container that keeps the codec's
    // start delay, so that the sound stays in step once copied beside the frames.
    const char* soundFormat;
    const char* soundExtension;
    const char* muxOptions; // for the container, when the sound is added
};

inline constexpr VideoContainer videoContainers[] = {
    {".mp4", "mp4", "-c:v libx264 -preset veryfast -crf 18", "-c:a aac -b:a 160k", "mp4", ".m4a",
     "-movflags +faststart"},
    {".mkv", "matroska", "-c:v libx264 -preset veryfast -crf 18", "-c:a aac -b:a 160k", "mp4",
     ".m4a", ""},
    {".mov", "mov", "-c:v libx264 -preset veryfast -crf 18", "-c:a aac -b:a 160k", "mp4", ".m4a",
     "-movflags +faststart"},
    {".webm", "webm", "-c:v libvpx-vp9 -crf 32 -b:v 0 -deadline realtime -cpu-used 8 -row-mt 1",
     "-c:a libopus -b:a 128k", "matroska", ".mka", ""},
};

// The container for a file name, by its extension in any letter case; null when none fits.
inline const VideoContainer* videoContainerFor(const std::string& path) {
    size_t dot = path.rfind('.');
    size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return nullptr;
    for (const VideoContainer& container : videoContainers)
        if (::strcasecmp(path.c_str() + dot, container.extension) == 0)
            return &container;
    return nullptr;
}

} // namespace luma
