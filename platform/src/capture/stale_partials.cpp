#include "capture/stale_partials.h"

#include "capture/file_output.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace luma {

namespace {

// Whether the process that wrote a partial file is gone.
bool processEnded(const std::string& digits) {
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    long pid = std::strtol(digits.c_str(), nullptr, 10);
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

void removeStalePartials(const std::string& path) {
    // Our own partial name ends in our process number: what comes before it is the same for
    // every run of this output.
    std::filesystem::path ours(temporaryNameFor(path));
    std::string own = std::to_string(::getpid());
    std::string name = ours.filename().string();
    if (name.size() <= own.size() || name.compare(name.size() - own.size(), own.size(), own) != 0)
        return;
    std::string prefix = name.substr(0, name.size() - own.size());
    std::filesystem::path folder = ours.has_parent_path() ? ours.parent_path() : ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string other = entry.path().filename().string();
        if (other.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string rest = other.substr(prefix.size());
        std::string digits = rest.substr(0, rest.find_first_not_of("0123456789"));
        if (processEnded(digits))
            std::filesystem::remove(entry.path(), error);
    }
}

} // namespace luma
