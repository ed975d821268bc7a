// Running programs as a user runs them, from the shell, and reading what they wrote.
#pragma once

#include <string>

struct CommandResult {
    int status = -1;    // the exit status; -1 when the command did not exit by itself
    std::string output; // stdout and stderr together
};

CommandResult runCommand(const std::string& command);

// The whole file; empty when there is none.
std::string readFile(const std::string& path);
