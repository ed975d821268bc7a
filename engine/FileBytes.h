// Reading a file's bytes where a short file must not leave memory uninitialised.
#pragma once

#include <windows.h>

#include <cstring>

// Reads up to `count` bytes; whatever the file does not hold is set to 0. False when the file
// held fewer than `count`.
inline bool readOrZero(HANDLE file, void* buffer, DWORD count) {
    DWORD bytesRead = 0;
    if (!ReadFile(file, buffer, count, &bytesRead, nullptr) || bytesRead > count)
        bytesRead = 0;
    std::memset(static_cast<unsigned char*>(buffer) + bytesRead, 0, count - bytesRead);
    return bytesRead == count;
}
