// The program's own options, from the command line WinMain receives: --seed N.
#pragma once

void ReadCommandLine(const char* commandLine);

// The seed of the random numbers: the calendar time, or --seed N.
unsigned int RandomSeed();
