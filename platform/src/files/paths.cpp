#include "files/paths.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <vector>

namespace luma {

namespace {

bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

// The entry of a directory whose name equals the given one without regard to case.
std::string findEntry(const std::string& directory, const std::string& name) {
    DIR* folder = ::opendir(directory.empty() ? "." : directory.c_str());
    if (!folder)
        return name;
    std::string found = name;
    while (struct dirent* entry = ::readdir(folder)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(folder);
    return found;
}

} // namespace

std::string resolvePath(const std::string& windowsPath) {
    std::string path = windowsPath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    if (path.empty() || exists(path))
        return path;

    std::string resolved = path[0] == '/' ? "/" : "";
    size_t start = path[0] == '/' ? 1 : 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        std::string component = path.substr(start, end - start);
        if (!component.empty()) {
            std::string directory = resolved;
            std::string candidate = directory + component;
            if (!exists(candidate) && component != "." && component != "..")
                candidate = directory + findEntry(directory, component);
            resolved = candidate;
            if (end < path.size())
                resolved += '/';
        }
        start = end + 1;
    }
    return resolved;
}

} // namespace luma
