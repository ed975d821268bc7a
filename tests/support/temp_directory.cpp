#include "temp_directory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

TempDirectory::TempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "luma-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    root = pattern;
    previousDirectory = std::filesystem::current_path().string();
    std::filesystem::current_path(root);
    if (const char* configHome = std::getenv("XDG_CONFIG_HOME")) {
        hadConfigHome = true;
        previousConfigHome = configHome;
    }
    ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
}

TempDirectory::~TempDirectory() {
    std::filesystem::current_path(previousDirectory);
    if (hadConfigHome)
        ::setenv("XDG_CONFIG_HOME", previousConfigHome.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string TempDirectory::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

void TempDirectory::write(const std::string& name, const std::string& contents) const {
    std::ofstream out(file(name), std::ios::binary);
    out << contents;
}
