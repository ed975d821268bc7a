#include "command_line.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

bool seedGiven;
unsigned int seedValue;
HoldRequest hold;

// The text after an option's name, or null when the option is not given.
const char* valueOf(const char* commandLine, const char* option) {
    const char* found = commandLine ? std::strstr(commandLine, option) : 0;
    return found ? found + std::strlen(option) : 0;
}

// Reads "SCENE:MS[:SYNC]"; false for anything else.
bool readHold(const char* text, HoldRequest& request) {
    char* end = 0;
    unsigned long scene = std::strtoul(text, &end, 10);
    if (end == text || *end != ':' || scene > 255)
        return false;
    const char* time = end + 1;
    unsigned long milliseconds = std::strtoul(time, &end, 10);
    if (end == time || milliseconds > 0x7FFFFFFFul)
        return false;
    unsigned long sync = 0;
    if (*end == ':') {
        const char* syncText = end + 1;
        sync = std::strtoul(syncText, &end, 10);
        if (end == syncText || sync > 255)
            return false;
    }
    request.active = true;
    request.scene = static_cast<unsigned char>(scene);
    request.time = static_cast<int>(milliseconds);
    request.sync = static_cast<unsigned char>(sync);
    return true;
}

} // namespace

void ReadCommandLine(const char* commandLine) {
    seedGiven = false;
    if (const char* seed = valueOf(commandLine, "--seed ")) {
        char* end = 0;
        unsigned long value = std::strtoul(seed, &end, 10);
        if (end != seed) {
            seedGiven = true;
            seedValue = static_cast<unsigned int>(value);
        }
    }
    hold = HoldRequest();
    if (const char* held = valueOf(commandLine, "--hold "))
        if (!readHold(held, hold))
            hold = HoldRequest();
}

unsigned int RandomSeed() {
    return seedGiven ? seedValue : static_cast<unsigned int>(std::time(0));
}

HoldRequest& Hold() { return hold; }
