// Where captured files go. A file appears complete or not at all: it is written under a
// temporary name in the same folder and renamed into place once everything is written. A
// symbolic link is written through (the file it names is replaced, the link stays); a pipe
// or a character device, and "-" for standard output, are written directly, as a stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace luma {

// A name that no finished file has, for the bytes of `path` while they are written:
// ".NAME.partial-PID" beside the file (beside the file a link names); in the temporary
// folder for a stream.
std::string temporaryNameFor(const std::string& path);

// Whether `path` can be written: a file whose folder takes new files, or a stream that
// takes bytes.
bool canCreate(const std::string& path, std::string& problem);

bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& problem);

// Puts a finished temporary file in place: renamed over the file, or copied into the
// stream and removed.
bool moveIntoPlace(const std::string& temporary, const std::string& path, std::string& problem);

} // namespace luma
