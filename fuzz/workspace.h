// A private directory for one fuzzing process on the headless backend: the current directory,
// holding the logs, the settings and the file each input is written to. Removed at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzWorkspace {
public:
    FuzzWorkspace();
    ~FuzzWorkspace();

    // Replaces the input file with these bytes; returns its name.
    const char* writeInput(const uint8_t* data, size_t size);

    FuzzWorkspace(const FuzzWorkspace&) = delete;
    FuzzWorkspace& operator=(const FuzzWorkspace&) = delete;

private:
    std::string root;
    std::string previousDirectory;
    std::string inputName;
};
