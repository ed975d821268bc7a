// A program's resources as C++ tables: what a resource script gives a program on Windows.
#pragma once

#include <windef.h>

struct LumaStringResource {
    UINT id;
    const char* text; // Windows-1252, as the A-functions take it
};

struct LumaDialogControl {
    int id;
    const char* windowClass; // "BUTTON" or "STATIC"
    const char* text;
    short x, y, width, height; // dialog units
    DWORD style;               // WS_CHILD | WS_VISIBLE are implied
};

struct LumaDialogTemplate {
    int id;
    DWORD style;
    DWORD exStyle;
    short x, y, width, height; // dialog units
    const char* caption;
    const char* fontName;
    int pointSize;
    const LumaDialogControl* controls;
    int controlCount;
};

struct LumaResources {
    const LumaStringResource* strings;
    int stringCount;
    const LumaDialogTemplate* dialogs;
    int dialogCount;
};

// Attaches the tables to the program's module (GetModuleHandleA(NULL)).
LUMA_API void LumaRegisterResources(const LumaResources* resources);
