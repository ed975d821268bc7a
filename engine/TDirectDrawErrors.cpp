// DirectDraw result codes as short texts, and the error box that shows them.
#include "TDirectDraw.h"

#include <cstdio>
#include <cstring>

namespace {

struct ErrorText {
    DWORD code;
    const char* text;
};

const ErrorText errorTexts[] = {
    {0x80004001, "Operation not supported!"},
    {0x80004005, "Generic DirectDraw(tm) failure!"},
    {0x8007000E, "Out of memory!"},
    {0x80070057, "Invalid parameters!"},
    {0x88760028, "Support for requested function/object\nis currently not available!"},
    {0x88760037, "DirectDraw(tm) has encountered an exception!"},
    {0x8876005F, "Incompatible primary!"},
    {0x88760064, "Invalid caps!"},
    {0x88760082, "Invalid object!"},
    {0x88760091, "Invalid pixel format!"},
    {0x887600D4, "No cooperative level set!"},
    {0x887600DE, "Your current display driver does not\nsupport DirectDraw(tm)!\nPlease contact "
                 "your card manufacturer\nto get the latest drivers."},
    {0x887600E1, "Exclusive mode not set!"},
    {0x887600E6, "No flipping hardware present!"},
    {0x8876017C, "Out of video memory!"},
    {0x887601AE, "Surface busy, already locked!"},
    {0x887601C2, "Surface lost!"},
    {0x8876021C, "Was still drawing!"},
    {0x88760231, "Not a valid DirectDraw(tm) driver!\n(Wrong GUID!)"},
    {0x88760232, "DirectDraw(tm) has already been created!"},
    {0x88760233, "No DirectDraw(tm) hardware!"},
    {0x88760234, "Primary surface already exists!"},
    {0x88760235, "Software emulation not available!"},
    {0x8876023A, "Window handle subclassed!"},
    {0x8876023B, "Window handle already set!"},
    {0x88760245, "Exclusive mode already set!"},
    {0x8876024E, "Display mode not supported!"},
    {0x88760250, "Wrong type of surface!"},
    {0x8876026C, "DC has already been created!"},
};

} // namespace

// The buffer holds at least 126 bytes: the longest text and its terminator.
void TDirectDraw::getErrorString(int result, char* buffer) {
    DWORD code = static_cast<DWORD>(result);
    for (const ErrorText& entry : errorTexts) {
        if (entry.code == code) {
            std::strcpy(buffer, entry.text);
            return;
        }
    }
    std::sprintf(buffer, "Unknown HRESULT(0x%08x)", static_cast<unsigned int>(code));
}

bool TDirectDraw::ErrorMessage(int result, const char* text) {
    char message[1024];
    char errorText[512];
    getErrorString(result, errorText);
    std::snprintf(message, sizeof message, "%s\n\n%s", text ? text : "", errorText);
    MessageBoxA(hWnd, message, "DirectDraw", MB_OK | MB_ICONHAND);
    return false;
}
