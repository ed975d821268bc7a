// The calling thread's last error, as GetLastError reports it.
#pragma once

#include <windows.h>

namespace luma {

void setLastError(DWORD error);

} // namespace luma
