// Where a program finds the data it reads by relative paths ("Media\Elle.tga"): the current
// folder first, as on Windows, then the program's own data folder beside its executable,
// <exe folder>/../share/<program name in lower case>, and nowhere else. An installed copy
// keeps its data there; the build tree holds a link to the source tree's media there.
#pragma once

#include <string>

namespace luma {

// The real path to read a Windows-style path from. A relative path found in neither folder
// is said once on stderr (the program goes on and meets the failure as on Windows); its
// current-folder path comes back then.
std::string resolveDataPath(const std::string& windowsPath);

// The program's data folder; empty when the executable's own folder is unknown.
const std::string& programDataFolder();
// The data folder when any file was read from it so far; empty otherwise.
const std::string& dataFolderUsed();

} // namespace luma
