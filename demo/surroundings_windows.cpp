// On Windows the demo runs as described: nothing to tell beyond its log.
#include "surroundings.h"

void ExpectRunLength(unsigned long) {}

void TellUser(const char*) {}

void LogMediaFolder() {}
