#include "TLumaBase.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const unsigned int nameSize = 80;
const unsigned int textSize = 1024;

std::string creationProblem(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return "access denied";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "the folder does not exist";
    default:
        return "error " + std::to_string(error);
    }
}

} // namespace

TLumaBase::TLumaBase(void* instance, unsigned int idName, unsigned int idRegKey, bool debug) {
    hInstance = static_cast<HINSTANCE>(instance);
    hWnd = 0;

    lpString = new char[textSize]();
    lpDebug = new char[textSize]();

    // A name too long for its buffer is cut; a missing one is empty (and gives no log).
    lpName = new char[nameSize]();
    if (const char* name = getString(idName))
        std::snprintf(lpName, nameSize, "%s", name);

    hDebugFile = 0;
    bNoDebug = true;
    if (debug)
        InitDebug();

    hKey = 0;
    char keyClass[] = "";
    DWORD disposition = 0;
    if (const char* path = getString(idRegKey))
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, keyClass, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, 0, &hKey, &disposition);
}

TLumaBase::~TLumaBase() {
    if (hDebugFile) {
        CloseHandle(hDebugFile);
        hDebugFile = 0;
    }
    delete[] lpName;
    lpName = 0;
    delete[] lpString;
    lpString = 0;
    delete[] lpDebug;
    lpDebug = 0;
    if (hKey)
        RegCloseKey(hKey);
}

char* TLumaBase::getString(unsigned int id) {
    if (!lpString)
        return 0;
    if (LoadStringA(hInstance, id, lpString, textSize - 1) == 0)
        return 0;
    return lpString;
}

void TLumaBase::InitDebug() {
    if (!lpName || !lpName[0])
        return;
    char fileName[MAX_PATH];
    std::snprintf(fileName, sizeof fileName, "%s.log", lpName);
    HANDLE file =
        CreateFileA(fileName, GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) {
        // The run goes on without a log, but says so: nothing else would tell.
        std::fprintf(stderr,
                     "warning: cannot create the log file %s (%s); going on without a log.\n",
                     fileName, creationProblem(GetLastError()).c_str());
        bNoDebug = true;
        hDebugFile = 0;
    } else {
        hDebugFile = file;
        bNoDebug = false;
    }
}

void TLumaBase::DebugOut(const char* format, ...) {
    if (bNoDebug)
        return;
    // Texts longer than the buffer are cut, never overflowed.
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(lpDebug, textSize, format, arguments);
    va_end(arguments);
    DWORD written = 0;
    WriteFile(hDebugFile, lpDebug, static_cast<DWORD>(std::strlen(lpDebug)), &written, 0);
}

void GUID2str(GUID guid, char* text) {
    unsigned char bytes[16];
    std::memcpy(bytes, &guid, sizeof bytes);
    std::snprintf(
        text, 39, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
        bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8],
        bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
}

// Reads hexadecimal pairs, stepping over "{", "-" and "}". It stops at the end of the
// text, and a pair that is not hexadecimal gives 0: a short or bad text never reads
// past its end.
void str2GUID(const char* text, GUID* guid) {
    unsigned char bytes[16] = {0};
    int count = 0;
    const char* at = text;
    while (at && *at && count < 16) {
        if (*at == '-' || *at == '{' || *at == '}') {
            ++at;
            continue;
        }
        if (!at[1])
            break;
        unsigned int value = 0;
        if (std::isxdigit(static_cast<unsigned char>(at[0])) &&
            std::isxdigit(static_cast<unsigned char>(at[1]))) {
            char pair[3] = {at[0], at[1], 0};
            std::sscanf(pair, "%X", &value);
        }
        bytes[count++] = static_cast<unsigned char>(value & 0xFF);
        at += 2;
    }
    std::memcpy(guid, bytes, sizeof bytes);
}
