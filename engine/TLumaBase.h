// The engine's base object: host instance and window, debug log, string table,
// registry key; and the GUID text of the devices.
#pragma once

#include <windows.h>

#include "LumaExport.h"

class LUMABASE_API TLumaBase {
public:
    HWND hWnd;
    HINSTANCE hInstance;
    char* lpName;
    HKEY hKey;
    bool bNoDebug;
    char* lpString;
    char* lpDebug;
    HANDLE hDebugFile;

    TLumaBase(void* hInstance, unsigned int idName, unsigned int idRegKey, bool debug);
    ~TLumaBase();

    char* getString(unsigned int id);
    void InitDebug();
    void DebugOut(const char* format, ...) LUMABASE_PRINTF(2, 3);

    TLumaBase(const TLumaBase&) = delete;
    TLumaBase& operator=(const TLumaBase&) = delete;
};

// 38 characters and a terminator: the GUID's 16 bytes in memory order, grouped 4-2-2-2-6.
LUMABASE_API void GUID2str(GUID guid, char* text);
LUMABASE_API void str2GUID(const char* text, GUID* guid);
