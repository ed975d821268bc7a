// Clock, sleep and the last error.
#include "core/last_error.h"
#include "core/platform.h"

namespace luma {

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

void setLastError(DWORD error) { lastError = error; }

} // namespace luma

using namespace luma;

LUMA_API DWORD WINAPI GetTickCount(void) { return backend().ticks(); }

LUMA_API DWORD WINAPI GetLastError(void) { return lastError; }

LUMA_API void WINAPI Sleep(DWORD milliseconds) { backend().sleep(milliseconds); }

LUMA_API HRESULT WINAPI CoInitialize(LPVOID) { return S_OK; }

LUMA_API void WINAPI CoUninitialize(void) {}
