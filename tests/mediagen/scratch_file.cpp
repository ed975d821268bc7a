#include "scratch_file.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

std::string scratchPath(const std::string& name) {
    return std::string(TEST_OUTPUT_DIR) + "/" + std::to_string(getpid()) + "-" + name;
}

ScratchFile::ScratchFile(const std::string& name) : path_(scratchPath(name)) {}

ScratchFile::ScratchFile(const std::string& name, const std::vector<uint8_t>& bytes)
    : ScratchFile(name) {
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

ScratchFile::~ScratchFile() { std::remove(path_.c_str()); }
