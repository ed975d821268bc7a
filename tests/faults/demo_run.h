// Runs the demo as a user would, in a directory of its own with its own settings.
#pragma once

#include <string>

struct DemoRun {
    int status = -1;
    std::string output; // stdout and stderr together
    std::string log;    // Glimmerfall.log, empty when none was written
};

// Runs it in `directory`; `environment` goes before the command, as in a shell. The program
// is a copy with its libraries and no data folder beside it, so that only the directory's
// own Media counts.
DemoRun runDemo(const std::string& directory, const std::string& arguments,
                const std::string& environment = "");

// Runs the build tree's own program, which finds its media through its data folder.
DemoRun runBuiltDemo(const std::string& directory, const std::string& arguments);
