// The program and the tools the capture tests check its files with, run as a user runs them.
#pragma once

#include <string>

struct CommandResult {
    int status = -1;
    std::string output; // stdout and stderr together
};

// Runs a shell command line.
CommandResult runCommand(const std::string& command);

// Runs the program headless with the given options, after `environment` (VAR=value ...).
CommandResult runProgram(const std::string& arguments, const std::string& environment = "");

std::string readFile(const std::string& path);
