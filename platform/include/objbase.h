// COM initialisation.
#pragma once

#include <windef.h>

LUMA_API HRESULT WINAPI CoInitialize(LPVOID reserved);
LUMA_API void WINAPI CoUninitialize(void);
