// Files that appear complete or not at all: written under a temporary name in the same
// folder and renamed into place once everything is on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace luma {

// A name beside `path` that no finished file has: ".NAME.partial-PID".
std::string temporaryNameFor(const std::string& path);

// Whether a file can be made at `path`: its folder exists and takes new files.
bool canCreate(const std::string& path, std::string& problem);

bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& problem);

// Renames a finished temporary file into place.
bool moveIntoPlace(const std::string& temporary, const std::string& path, std::string& problem);

} // namespace luma
