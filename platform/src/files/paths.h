// Windows paths on a POSIX file system: "\" separates, and names match regardless of case.
#pragma once

#include <string>

namespace luma {

// The real path for a Windows-style one. Each existing component is found without
// regard to case; the rest is kept as written, so new files can still be created.
std::string resolvePath(const std::string& windowsPath);

} // namespace luma
