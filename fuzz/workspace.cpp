#include "workspace.h"

#include <luma/platform.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// TMPDIR when it is set (fuzz/run points it at a folder it removes afterwards, as a target that
// dies leaves its directory behind); otherwise memory-backed when the system has it, as
// millions of inputs should not wear a disk.
std::filesystem::path scratchParent() {
    const char* chosen = std::getenv("TMPDIR");
    if (chosen && *chosen)
        return chosen;
    if (::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

} // namespace

FuzzWorkspace::FuzzWorkspace() : inputName("input.bin") {
    std::string pattern = (scratchParent() / "luma-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    root = pattern;
    previousDirectory = std::filesystem::current_path().string();
    std::filesystem::current_path(root);
    ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    LumaSelectBackend("headless");
}

FuzzWorkspace::~FuzzWorkspace() {
    std::error_code ignored;
    std::filesystem::current_path(previousDirectory, ignored);
    std::filesystem::remove_all(root, ignored);
}

const char* FuzzWorkspace::writeInput(const uint8_t* data, size_t size) {
    std::ofstream out(inputName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::perror("writing the input file");
        std::abort();
    }
    return inputName.c_str();
}
