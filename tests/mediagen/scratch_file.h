#pragma once

// Files the tests write for the tools to read. ctest runs the tests of one suite in parallel
// processes, so every process gets names of its own.

#include <cstdint>
#include <string>
#include <vector>

// A path in the tests' output folder that no other test process uses.
std::string scratchPath(const std::string& name);

// A scratch file, deleted when this goes out of scope; with bytes, it is written at once.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name);
    ScratchFile(const std::string& name, const std::vector<uint8_t>& bytes);
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile();
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
