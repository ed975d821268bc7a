// The program's string table, as a resource script gives it on Windows, and its one option
// beside the platform's.
#include "resource_ids.h"

#include <luma/resources.h>

#include <cstdlib>

namespace {

const LumaStringResource strings[] = {
    {IDS_PROGRAM_NAME, "Circles"},
    {IDS_REGISTRY_KEY, "Software\\LumaBase Examples\\Circles"},
};

// WinMain reads the value from its command line; here it is only checked.
BOOL checkSpeed(const char* percent) {
    char* end = nullptr;
    long value = std::strtol(percent, &end, 10);
    return end != percent && *end == '\0' && value >= 1 && value <= 1000 ? TRUE : FALSE;
}

const LumaProgramOption options[] = {
    {"--speed", "PERCENT", "how fast the rings move (default 100)", checkSpeed,
     "--speed takes a percentage from 1 to 1000"},
};

const LumaProgramOptions circlesOptions = {
    "Two sets of rings that move through each other. Any key ends it.", options, 1};

} // namespace

extern const LumaResources programResources = {strings, 2, nullptr, 0, &circlesOptions};
