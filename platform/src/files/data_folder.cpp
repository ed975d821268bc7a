#include "files/data_folder.h"

#include "files/paths.h"

#include <luma/platform.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace luma {

namespace {

// Only the program's thread reads data files.
struct DataFiles {
    std::string usedFolder;
    std::set<std::string> saidMissing;
};

DataFiles& dataFiles() {
    static DataFiles files;
    return files;
}

bool isFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string currentFolder() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? buffer : ".";
}

} // namespace

const std::string& programDataFolder() {
    static const std::string folder = [] {
        char buffer[PATH_MAX];
        ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        if (length <= 0)
            return std::string();
        std::string executable(buffer, static_cast<size_t>(length));
        std::string name = executable.substr(executable.rfind('/') + 1);
        for (char& c : name)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return folderOf(folderOf(executable)) + "/share/" + name;
    }();
    return folder;
}

const std::string& dataFolderUsed() { return dataFiles().usedFolder; }

std::string resolveDataPath(const std::string& windowsPath) {
    std::string here = resolvePath(windowsPath);
    if (here.empty() || here[0] == '/' || isFile(here))
        return here;
    const std::string& folder = programDataFolder();
    std::string there = folder.empty() ? std::string() : resolvePath(folder + "/" + here);
    DataFiles& files = dataFiles();
    if (!there.empty() && isFile(there)) {
        files.usedFolder = folder;
        return there;
    }
    if (files.saidMissing.insert(here).second)
        std::fprintf(stderr, "%s: cannot find %s in %s%s%s\n", program_invocation_short_name,
                     here.c_str(), currentFolder().c_str(), folder.empty() ? "" : " or ",
                     folder.c_str());
    return here;
}

} // namespace luma

LUMA_API const char* LumaDataFolderUsed(void) {
    const std::string& folder = luma::dataFolderUsed();
    return folder.empty() ? nullptr : folder.c_str();
}
