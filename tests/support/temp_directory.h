// A fresh directory for one test, made the current directory while the test runs,
// with the settings kept inside it. Removed afterwards.
#pragma once

#include <string>

class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();

    const std::string& path() const { return root; }
    std::string file(const std::string& name) const { return root + "/" + name; }
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::string& contents) const;

    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

private:
    std::string root;
    std::string previousDirectory;
    std::string previousConfigHome;
    bool hadConfigHome = false;
};
