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

// Reads the decimal digits at `text` (at least one) and moves past them; false above `limit`.
bool readNumber(const char*& text, unsigned long limit, unsigned long& value) {
    if (*text < '0' || *text > '9')
        return false;
    value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + static_cast<unsigned long>(*text - '0');
        if (value > limit)
            return false;
    }
    return true;
}

} // namespace

bool ReadHold(const char* text, HoldRequest& request) {
    unsigned long scene = 0, milliseconds = 0, sync = 0;
    if (!readNumber(text, 255, scene) || *text++ != ':' ||
        !readNumber(text, 0x7FFFFFFFul, milliseconds))
        return false;
    if (*text == ':' && !readNumber(++text, 255, sync))
        return false;
    if (*text != '\0' && *text != ' ')
        return false;
    request.active = true;
    request.scene = static_cast<unsigned char>(scene);
    request.time = static_cast<int>(milliseconds);
    request.sync = static_cast<unsigned char>(sync);
    return true;
}

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
        if (!ReadHold(held, hold))
            hold = HoldRequest();
}

unsigned int RandomSeed() {
    return seedGiven ? seedValue : static_cast<unsigned int>(std::time(0));
}

HoldRequest& Hold() { return hold; }
