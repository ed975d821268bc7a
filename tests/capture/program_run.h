// The program, run headless as a user runs it, for the capture tests.
#pragma once

#include "command.h"

#include <string>

// Runs the program with the given options, after `environment` (VAR=value ...).
CommandResult runProgram(const std::string& arguments, const std::string& environment = "");
