// The program's own options, from the command line WinMain receives:
//   --seed N                 the random numbers start from N instead of the calendar time
//   --hold SCENE:MS[:SYNC]   one scene, frozen at scene time MS, with the sync byte at SYNC
#pragma once

void ReadCommandLine(const char* commandLine);

// The seed of the random numbers: the calendar time, or --seed N.
unsigned int RandomSeed();

struct HoldRequest {
    bool active;
    unsigned char scene;
    int time;
    unsigned char sync;
};

// Reads "SCENE:MS[:SYNC]" up to the end of the text or a space; false for anything else.
bool ReadHold(const char* text, HoldRequest& request);

// The scene to hold instead of following the music's markers; inactive without --hold.
// Its sync byte follows the scene's own changes (the photo frame turns 4 into 5).
HoldRequest& Hold();
