#include "command_line.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

bool seedGiven;
unsigned int seedValue;

} // namespace

void ReadCommandLine(const char* commandLine) {
    seedGiven = false;
    const char* option = commandLine ? std::strstr(commandLine, "--seed") : 0;
    if (!option)
        return;
    char* end = 0;
    unsigned long value = std::strtoul(option + 6, &end, 10);
    if (end != option + 6) {
        seedGiven = true;
        seedValue = static_cast<unsigned int>(value);
    }
}

unsigned int RandomSeed() {
    return seedGiven ? seedValue : static_cast<unsigned int>(std::time(0));
}
