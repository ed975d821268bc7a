// Tells the surroundings how much longer the demo runs: a video capture shows how far it is.
#pragma once

void ExpectRunLength(unsigned long milliseconds);
