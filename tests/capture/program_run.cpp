#include "program_run.h"

CommandResult runProgram(const std::string& arguments, const std::string& environment) {
    return runCommand("timeout 600 env " + environment + " '" GLIMMERFALL_EXE "' " + arguments);
}
