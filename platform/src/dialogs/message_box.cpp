// MessageBoxA: modal where the backend can show it, on stderr where it cannot.
#include "core/platform.h"

using namespace luma;

LUMA_API int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    std::string body = text ? text : "";
    std::string title = caption ? caption : "Error";
    if (!backend().messageBox(body, title, type))
        writeBoxToStderr(body, title);
    return IDOK;
}
