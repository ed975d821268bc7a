#include "registry/registry_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace luma {

namespace {

const char* const header = "REGEDIT4";

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// Reads a quoted string at `at`; leaves `at` after the closing quote.
bool readQuoted(const std::string& line, size_t& at, std::string& text) {
    if (at >= line.size() || line[at] != '"')
        return false;
    text.clear();
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c == '\\') {
            if (++at >= line.size())
                return false;
            c = line[at];
        }
        text += c;
    }
    return false;
}

bool readHexBytes(const std::string& text, std::vector<BYTE>& bytes) {
    bytes.clear();
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        if (item.size() != 2 || !std::isxdigit(static_cast<unsigned char>(item[0])) ||
            !std::isxdigit(static_cast<unsigned char>(item[1])))
            return false;
        bytes.push_back(static_cast<BYTE>(std::stoul(item, nullptr, 16)));
    }
    return true;
}

bool parseValue(const std::string& line, RegistryValue& value) {
    size_t at = 0;
    if (!readQuoted(line, at, value.name) || at >= line.size() || line[at] != '=')
        return false;
    std::string rest = line.substr(at + 1);
    if (!rest.empty() && rest[0] == '"') {
        size_t position = 0;
        std::string text;
        if (!readQuoted(rest, position, text) || position != rest.size())
            return false;
        value.type = REG_SZ;
        value.data.assign(text.begin(), text.end());
        return true;
    }
    if (rest.rfind("dword:", 0) == 0) {
        std::string digits = rest.substr(6);
        if (digits.size() != 8 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        uint32_t number = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
        value.type = REG_DWORD;
        value.data.resize(4);
        std::memcpy(value.data.data(), &number, 4);
        return true;
    }
    if (rest.rfind("hex:", 0) == 0) {
        value.type = REG_BINARY;
        return readHexBytes(rest.substr(4), value.data);
    }
    if (rest.rfind("hex(", 0) == 0) {
        size_t close = rest.find("):");
        if (close == std::string::npos)
            return false;
        std::string typeText = rest.substr(4, close - 4);
        if (typeText.empty() ||
            typeText.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos ||
            typeText.size() > 8)
            return false;
        value.type = static_cast<DWORD>(std::stoul(typeText, nullptr, 16));
        return readHexBytes(rest.substr(close + 2), value.data);
    }
    return false;
}

std::string formatValue(const RegistryValue& value) {
    std::string line = quoted(value.name) + "=";
    // A line break inside quotes would split the line and make the whole file unreadable:
    // such text is kept in the hex(1) form instead.
    bool breaksLine = std::find_if(value.data.begin(), value.data.end(), [](BYTE c) {
                          return c == '\n' || c == '\r';
                      }) != value.data.end();
    if (value.type == REG_SZ && !breaksLine) {
        std::string text(value.data.begin(), value.data.end());
        return line + quoted(text);
    }
    char buffer[16];
    if (value.type == REG_DWORD && value.data.size() == 4) {
        uint32_t number;
        std::memcpy(&number, value.data.data(), 4);
        std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
        return line + buffer;
    }
    if (value.type == REG_BINARY) {
        line += "hex:";
    } else {
        std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(value.type));
        line += buffer;
    }
    for (size_t i = 0; i < value.data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%s%02x", i ? "," : "", value.data[i]);
        line += buffer;
    }
    return line;
}

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

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool parseRegistry(const std::string& text, RegistryTree& tree, std::string& problem) {
    tree.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    bool seenHeader = false;
    RegistryKey* current = nullptr;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (!seenHeader) {
            if (line != header) {
                problem = "not a registry export";
                tree.clear();
                return false;
            }
            seenHeader = true;
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3) {
                problem = "line " + std::to_string(number) + " is not a key";
                tree.clear();
                return false;
            }
            std::string path = line.substr(1, line.size() - 2);
            RegistryKey& key = tree[lowerCase(path)];
            if (key.path.empty())
                key.path = path;
            current = &key;
            continue;
        }
        RegistryValue value;
        if (!current || !parseValue(line, value)) {
            problem = "line " + std::to_string(number) + " is not a value";
            tree.clear();
            return false;
        }
        current->values[lowerCase(value.name)] = value;
    }
    if (!seenHeader) {
        problem = "empty file";
        return false;
    }
    return true;
}

std::string formatRegistry(const RegistryTree& tree) {
    std::string text = std::string(header) + "\n";
    for (const auto& entry : tree) {
        text += "\n[" + entry.second.path + "]\n";
        for (const auto& value : entry.second.values)
            text += formatValue(value.second) + "\n";
    }
    return text;
}

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
