// What the demo tells its surroundings besides its log: how long it runs (a capture shows
// its progress), and what the person at the terminal must know when it cannot play as
// intended. Where the surroundings have no such place (Windows), these do nothing.
#pragma once

void ExpectRunLength(unsigned long milliseconds);

// One line on the terminal, after the program's name.
void TellUser(const char* text);

// Logs where the media came from when it was not the current folder.
void LogMediaFolder();
