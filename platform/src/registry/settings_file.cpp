#include "registry/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace luma {

namespace {

bool makeParentFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string folder = path.substr(0, slash);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

// The whole file; false with the reason in `error` (EISDIR for a folder).
bool readWholeFile(const std::string& path, std::string& text, int& error) {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        error = errno;
        return false;
    }
    struct stat info;
    if (::fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(descriptor);
        error = EISDIR;
        return false;
    }
    text.clear();
    char chunk[4096];
    for (;;) {
        ssize_t got = ::read(descriptor, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = errno;
            ::close(descriptor);
            return false;
        }
        if (got == 0)
            break;
        text.append(chunk, static_cast<size_t>(got));
    }
    ::close(descriptor);
    return true;
}

// Replaces the file at once: written under a temporary name, flushed to the disk, renamed.
bool replaceFile(const std::string& path, const std::string& text, std::string& problem) {
    std::string temporary = path + ".tmp" + std::to_string(::getpid());
    int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        problem = std::strerror(errno);
        return false;
    }
    size_t written = 0;
    int error = 0;
    while (written < text.size()) {
        ssize_t put = ::write(descriptor, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            error = put < 0 ? errno : EIO;
            break;
        }
        written += static_cast<size_t>(put);
    }
    if (!error && ::fsync(descriptor) != 0)
        error = errno;
    if (::close(descriptor) != 0 && !error)
        error = errno;
    if (!error && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        problem = std::strerror(error);
        return false;
    }
    return true;
}

} // namespace

void applyChange(RegistryTree& tree, const RegistryChange& change) {
    std::string index = lowerCase(change.keyPath);
    if (change.kind == RegistryChange::deleteValue) {
        auto key = tree.find(index);
        if (key != tree.end())
            key->second.values.erase(lowerCase(change.value.name));
        return;
    }
    RegistryKey& key = tree[index];
    if (key.path.empty())
        key.path = change.keyPath;
    if (change.kind == RegistryChange::setValue)
        key.values[lowerCase(change.value.name)] = change.value;
}

RegistryTree SettingsFile::load() {
    RegistryTree tree;
    std::string text;
    int error = 0;
    if (!readWholeFile(path, text, error)) {
        if (error == EISDIR) {
            std::fprintf(stderr,
                         "warning: the settings file %s is a folder; settings are neither read "
                         "nor saved while it is there.\n",
                         path.c_str());
            saveProblemSaid = true;
        } else if (error != ENOENT) {
            std::fprintf(stderr,
                         "warning: cannot read the settings file %s (%s); using defaults.\n",
                         path.c_str(), std::strerror(error));
        }
        return tree;
    }
    std::string problem;
    if (!parseRegistry(text, tree, problem))
        std::fprintf(stderr,
                     "warning: the settings file %s is damaged (%s); using defaults. "
                     "It is replaced when settings are next saved.\n",
                     path.c_str(), problem.c_str());
    return tree;
}

bool SettingsFile::save(const RegistryChange& change) {
    std::string problem;
    if (saveLocked(change, problem))
        return true;
    if (!saveProblemSaid)
        std::fprintf(stderr,
                     "warning: cannot save settings to %s (%s); this run's changes to them "
                     "are lost.\n",
                     path.c_str(), problem.c_str());
    saveProblemSaid = true;
    return false;
}

bool SettingsFile::saveLocked(const RegistryChange& change, std::string& problem) {
    if (!makeParentFolders(path)) {
        problem = std::strerror(errno);
        return false;
    }
    // The lock is on a file of its own: the settings file itself is replaced by every save.
    // It goes with the descriptor, so a killed run never leaves it held.
    int lock = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0) {
        problem = std::strerror(errno);
        return false;
    }
    while (::flock(lock, LOCK_EX) != 0 && errno == EINTR) {
    }
    removeTemporariesOfEndedRuns();
    RegistryTree tree;
    std::string text;
    int error = 0;
    bool saved = false;
    if (readWholeFile(path, text, error)) {
        // A damaged file gives way to this run's values; it was reported when it was read.
        std::string damage;
        parseRegistry(text, tree, damage);
        applyChange(tree, change);
        saved = replaceFile(path, formatRegistry(tree), problem);
    } else if (error == ENOENT) {
        applyChange(tree, change);
        saved = replaceFile(path, formatRegistry(tree), problem);
    } else {
        // A file that cannot be read is kept: its settings may still be good.
        problem = error == EISDIR ? "it is a folder" : std::strerror(error);
    }
    ::close(lock);
    return saved;
}

// A run killed between writing its temporary file and renaming it leaves the file behind.
// Runs that are still alive may be writing theirs.
void SettingsFile::removeTemporariesOfEndedRuns() const {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string prefix = path.substr(slash == std::string::npos ? 0 : slash + 1) + ".tmp";
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return;
    while (const dirent* entry = ::readdir(listing)) {
        std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string digits = name.substr(prefix.size());
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        pid_t owner = static_cast<pid_t>(std::stol(digits));
        if (owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH)
            ::unlink((folder + name).c_str());
    }
    ::closedir(listing);
}

} // namespace luma
