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

// A program's own command-line option, beside the platform's (--headless, --window, ...).
struct LumaProgramOption {
    const char* name;     // "--sound"
    const char* argument; // the value's form for --help ("off|22|44"); null: it takes none
    const char* help;     // one line for --help
    // Takes the value (null for an option without one); FALSE refuses it, and `refusal` is
    // the one-line reason shown. Accepted options go on to WinMain's command line, as they
    // would on Windows.
    BOOL (*take)(const char* value);
    const char* refusal;
};

struct LumaProgramOptions {
    const char* about; // what the program does and which keys it takes: --help's first lines
    const LumaProgramOption* options;
    int count;
};

struct LumaResources {
    const LumaStringResource* strings;
    int stringCount;
    const LumaDialogTemplate* dialogs;
    int dialogCount;
    const LumaProgramOptions* options; // null: the platform's options only
};

// Attaches the tables to the program's module (GetModuleHandleA(NULL)).
LUMA_API void LumaRegisterResources(const LumaResources* resources);
