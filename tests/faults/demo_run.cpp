#include "demo_run.h"

#include "command.h"

DemoRun runDemo(const std::string& directory, const std::string& arguments,
                const std::string& environment) {
    CommandResult result =
        runCommand("cd '" + directory + "' && XDG_CONFIG_HOME='" + directory + "/config' " +
                   environment + " timeout 300 '" GLIMMERFALL_EXE "' " + arguments);
    DemoRun run;
    run.status = result.status;
    run.output = result.output;
    run.log = readFile(directory + "/Glimmerfall.log");
    return run;
}
