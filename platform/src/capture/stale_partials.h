// What a killed capture leaves: its partial files (".NAME.partial-PID…" beside the output).
// Nothing the process does can remove them once it is killed, so the next run of the same
// output does.
#pragma once

#include <string>

namespace luma {

// Removes the partial files of `path` whose process has ended.
void removeStalePartials(const std::string& path);

} // namespace luma
