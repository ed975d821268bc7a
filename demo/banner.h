// The title banner at the head of the debug log.
#pragma once

const int bannerLineCount = 10;

// Format texts for DebugOut: no percent signs.
extern const char* const bannerLines[bannerLineCount];
