#include "capture/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace luma {

namespace {

// The most an unprivileged process may ask for (/proc/sys/fs/pipe-max-size by default).
constexpr int pipeBytes = 1 << 20;

} // namespace

std::string findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

ChildProcess::~ChildProcess() { kill(); }

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& arguments,
                         bool feedInput, std::string& problem) {
    name = program;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    if (feedInput && ::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        problem = std::string("cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    // Room for two frames of video: the encoder reads in its own rhythm, and neither side
    // waits on the other at every 64 KB. Where the system refuses, the pipe stays as it is.
    if (feedInput)
        ::fcntl(pipeEnds[1], F_SETPIPE_SZ, pipeBytes);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (feedInput)
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // A process group of its own: Ctrl+C on the terminal ends our run in order, and the
    // encoder must live on to finish the file rather than stop at the same moment.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::string found = findProgram(program);
    int result = found.empty() ? ENOENT
                               : ::posix_spawn(&child, found.c_str(), &actions, &attributes,
                                               argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (feedInput)
        ::close(pipeEnds[0]);
    if (result != 0) {
        child = -1;
        if (feedInput)
            ::close(pipeEnds[1]);
        problem = "cannot start " + program + ": " + std::strerror(result);
        return false;
    }
    input = feedInput ? pipeEnds[1] : -1;
    // A reader that went away must show as a failed write, not end our process.
    if (feedInput)
        std::signal(SIGPIPE, SIG_IGN);
    return true;
}

bool ChildProcess::write(const void* bytes, size_t count) {
    const char* next = static_cast<const char*>(bytes);
    while (count > 0) {
        ssize_t written = ::write(input, next, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

bool ChildProcess::finish(std::string& problem) {
    if (input >= 0) {
        ::close(input);
        input = -1;
    }
    if (child <= 0) {
        problem = name + " is not running";
        return false;
    }
    int status = 0;
    pid_t waited;
    do
        waited = ::waitpid(child, &status, 0);
    while (waited < 0 && errno == EINTR);
    child = -1;
    if (waited < 0) {
        problem = "lost " + name + ": " + std::strerror(errno);
        return false;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    problem = WIFEXITED(status)
                  ? name + " failed (exit status " + std::to_string(WEXITSTATUS(status)) + ")"
                  : name + " was ended by signal " + std::to_string(WTERMSIG(status));
    return false;
}

void ChildProcess::kill() {
    if (input >= 0) {
        ::close(input);
        input = -1;
    }
    if (child > 0) {
        ::kill(child, SIGTERM);
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        child = -1;
    }
}

bool runProgram(const std::string& program, const std::vector<std::string>& arguments,
                std::string& problem) {
    ChildProcess process;
    return process.start(program, arguments, false, problem) && process.finish(problem);
}

} // namespace luma
