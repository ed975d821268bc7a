#include "demo_run.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

DemoRun runDemo(const std::string& directory, const std::string& arguments,
                const std::string& environment) {
    DemoRun run;
    std::string command = "cd '" + directory + "' && XDG_CONFIG_HOME='" + directory + "/config' " +
                          environment + " timeout 300 '" GLIMMERFALL_EXE "' " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        run.output.append(chunk, got);
    int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream log(directory + "/Glimmerfall.log", std::ios::binary);
    std::ostringstream text;
    text << log.rdbuf();
    run.log = text.str();
    return run;
}
