#pragma once

#include <string>

// Runs a shell command and returns what it printed on stdout and stderr; `status` receives
// its exit status.
std::string runTool(const std::string& command, int* status = nullptr);

// Quotes a path for the shell.
std::string shellQuoted(const std::string& path);
