// Other programs the capture runs: found on PATH, started with a pipe to their input,
// waited for.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace luma {

// The program's path on PATH, or "" when it is not there.
std::string findProgram(const std::string& name);

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program; with `feedInput` its standard input is a pipe from us. Its
    // standard output is discarded, its errors go to ours.
    bool start(const std::string& program, const std::vector<std::string>& arguments,
               bool feedInput, std::string& problem);
    // Writes all of `bytes` to its input; false when it no longer reads.
    bool write(const void* bytes, size_t count);
    // Closes its input and waits for it to end: true when it ended with status 0.
    bool finish(std::string& problem);
    // Ends it at once.
    void kill();
    bool running() const { return child > 0; }

private:
    pid_t child = -1;
    int input = -1;
    std::string name;
};

// Runs the program to its end: true when it ended with status 0.
bool runProgram(const std::string& program, const std::vector<std::string>& arguments,
                std::string& problem);

} // namespace luma
