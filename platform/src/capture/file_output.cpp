#include "capture/file_output.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace luma {

namespace {

const char* const standardOutput = "-";

// What a path stands for, found before anything is written to it.
struct Target {
    bool stream = false;
    std::string file; // the name at the end of any symbolic links; not for streams
};

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string partialName(const std::string& folder, const std::string& name) {
    return folder + "." + name + ".partial-" + std::to_string(::getpid());
}

std::string cannotWrite(const std::string& path, const std::string& why) {
    return path == standardOutput ? "cannot write to standard output: " + why
                                  : "cannot write " + path + ": " + why;
}

// Follows symbolic links to the name at their end, which need not exist yet. Loops were
// refused by stat() before this is called; the bound is the system's own.
std::string endOfLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        char link[PATH_MAX];
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        ssize_t length = ::readlink(path.c_str(), link, sizeof link);
        if (length <= 0 || static_cast<size_t>(length) >= sizeof link)
            return path;
        std::string next(link, static_cast<size_t>(length));
        path = next[0] == '/' ? next : folderOf(path) + next;
    }
    return path;
}

bool findTarget(const std::string& path, Target& target, std::string& problem) {
    if (path == standardOutput) {
        target.stream = true;
        return true;
    }
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        // Nothing there yet, or a link to a file not made yet.
        if (errno != ENOENT) {
            problem = cannotWrite(path, std::strerror(errno));
            return false;
        }
        target.file = endOfLinks(path);
        return true;
    }
    if (S_ISREG(info.st_mode)) {
        target.file = endOfLinks(path);
        return true;
    }
    if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)) {
        target.stream = true;
        return true;
    }
    problem =
        cannotWrite(path, S_ISDIR(info.st_mode) ? "it is a folder"
                                                : "it is not a file, a pipe or a character device");
    return false;
}

// Every byte, or the error that stopped it.
int writeAll(int descriptor, const uint8_t* bytes, size_t count) {
    while (count > 0) {
        ssize_t written = ::write(descriptor, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return 0;
}

// A reader that went away shows as a failed write rather than ending the process.
class PipeSignalIgnored {
public:
    PipeSignalIgnored() {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGPIPE, &ignore, &previous);
    }
    ~PipeSignalIgnored() { ::sigaction(SIGPIPE, &previous, nullptr); }
    PipeSignalIgnored(const PipeSignalIgnored&) = delete;
    PipeSignalIgnored& operator=(const PipeSignalIgnored&) = delete;

private:
    struct sigaction previous = {};
};

// Opens the stream (a pipe's open waits for its reader), hands it to `write` and closes it;
// standard output stays open.
template <typename Write>
bool writeStream(const std::string& path, Write write, std::string& problem) {
    PipeSignalIgnored whileWriting;
    bool own = path != standardOutput;
    int descriptor = own ? ::open(path.c_str(), O_WRONLY | O_CLOEXEC) : STDOUT_FILENO;
    if (descriptor < 0) {
        problem = cannotWrite(path, std::strerror(errno));
        return false;
    }
    int error = write(descriptor);
    if (own && ::close(descriptor) != 0 && !error)
        error = errno;
    if (error)
        problem = cannotWrite(path, std::strerror(error));
    return !error;
}

// Copies a finished file into a stream.
int copyInto(int descriptor, const std::string& from) {
    int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return errno;
    uint8_t chunk[65536];
    int error = 0;
    while (!error) {
        ssize_t got = ::read(source, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        error = writeAll(descriptor, chunk, static_cast<size_t>(got));
    }
    ::close(source);
    return error;
}

} // namespace

std::string temporaryNameFor(const std::string& path) {
    Target target;
    std::string ignored;
    if (findTarget(path, target, ignored) && target.stream) {
        std::error_code error;
        std::string folder = std::filesystem::temp_directory_path(error).string();
        return partialName((error ? "/tmp" : folder) + "/",
                           path == standardOutput ? "stdout" : nameOf(path));
    }
    std::string file = target.file.empty() ? path : target.file;
    return partialName(folderOf(file), nameOf(file));
}

bool canCreate(const std::string& path, std::string& problem) {
    if (path == standardOutput) {
        if (::fcntl(STDOUT_FILENO, F_GETFL) < 0) {
            problem = cannotWrite(path, "it is closed");
            return false;
        }
        if (::isatty(STDOUT_FILENO)) {
            problem = cannotWrite(path, "it is a terminal; send it into a pipe or a file");
            return false;
        }
        return true;
    }
    Target target;
    if (!findTarget(path, target, problem))
        return false;
    std::string checked = target.stream ? path : folderOf(target.file);
    if (::access(checked.empty() ? "." : checked.c_str(), W_OK) == 0)
        return true;
    problem = cannotWrite(path, std::strerror(errno));
    return false;
}

bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& problem) {
    Target target;
    if (!findTarget(path, target, problem))
        return false;
    if (target.stream)
        return writeStream(
            path, [&](int descriptor) { return writeAll(descriptor, bytes.data(), bytes.size()); },
            problem);
    std::string temporary = partialName(folderOf(target.file), nameOf(target.file));
    int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        problem = cannotWrite(path, std::strerror(errno));
        return false;
    }
    int error = writeAll(descriptor, bytes.data(), bytes.size());
    // A full disk may show only when the file is closed.
    if (::close(descriptor) != 0 && !error)
        error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        problem = cannotWrite(path, std::strerror(error));
        return false;
    }
    return moveIntoPlace(temporary, path, problem);
}

bool moveIntoPlace(const std::string& temporary, const std::string& path, std::string& problem) {
    Target target;
    bool placed = findTarget(path, target, problem);
    if (placed && target.stream) {
        placed = writeStream(
            path, [&](int descriptor) { return copyInto(descriptor, temporary); }, problem);
    } else if (placed && std::rename(temporary.c_str(), target.file.c_str()) != 0) {
        problem = cannotWrite(path, std::strerror(errno));
        placed = false;
    }
    if (!placed || target.stream)
        std::remove(temporary.c_str());
    return placed;
}

} // namespace luma
