#include "capture/file_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace luma {

std::string temporaryNameFor(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".partial-" + std::to_string(::getpid());
}

bool canCreate(const std::string& path, std::string& problem) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    if (::access(folder.c_str(), W_OK) == 0)
        return true;
    problem = "cannot write " + path + ": " + std::strerror(errno);
    return false;
}

bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& problem) {
    std::string temporary = temporaryNameFor(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        problem = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int writeError = errno;
    // fclose flushes: a full disk may show only here.
    if (std::fclose(file) != 0 && written) {
        written = false;
        writeError = errno;
    }
    if (!written) {
        std::remove(temporary.c_str());
        problem = "cannot write " + path + ": " + std::strerror(writeError);
        return false;
    }
    return moveIntoPlace(temporary, path, problem);
}

bool moveIntoPlace(const std::string& temporary, const std::string& path, std::string& problem) {
    if (std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    problem = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
}

} // namespace luma
