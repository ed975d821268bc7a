// Readable texts for DirectSound's result codes, and the message box that shows them.
#include "TDirectSound.h"

#include "TLumaBase.h"

#include <cstdio>

namespace {

struct ErrorText {
    HRESULT code;
    const char* text;
};

const ErrorText errorTexts[] = {
    {DSERR_ALLOCATED, "Already allocated!"},
    {DSERR_ALREADYINITIALIZED, "Object already initialized!"},
    {DSERR_BADFORMAT, "The specified wave format is not supported!"},
    {DSERR_BUFFERLOST, "The buffer memory has been lost!"},
    {DSERR_CONTROLUNAVAIL, "The control is not available!"},
    {DSERR_GENERIC, "Undetermined error occurred inside DirectSound subsystem!"},
    {DSERR_INVALIDCALL, "Function not valid for current state of object!"},
    {DSERR_INVALIDPARAM, "Invalid parameter!"},
    {DSERR_NOAGGREGATION, "Object does not support aggregation!"},
    {DSERR_NODRIVER, "No sound driver is available for use!"},
    {DSERR_NOINTERFACE, "The requested COM interface is not available!"},
    {DSERR_OTHERAPPHASPRIO,
     "Another application has a higher priority level, preventing this call from succeeding!"},
    {DSERR_OUTOFMEMORY, "Out of memory!"},
    {DSERR_PRIOLEVELNEEDED,
     "You don't have the priority level required for the function to succeed!"},
    {DSERR_UNINITIALIZED, "IDirectSound::Initialize method has been called/called successfully!"},
    {DSERR_UNSUPPORTED, "Function not supported!"},
};

const size_t errorTextSize = 512;
const size_t messageSize = 1024;

} // namespace

bool TDirectSound::ErrorMessage(int result, const char* text) {
    char errorText[errorTextSize];
    getErrorString(result, errorText);
    char message[messageSize];
    std::snprintf(message, sizeof message, "%s\n\n%s", text, errorText);
    MessageBoxA(base->hWnd, message, "DirectSound", MB_OK | MB_ICONERROR);
    return false;
}

void TDirectSound::getErrorString(int result, char* out) {
    for (const ErrorText& entry : errorTexts) {
        if (entry.code == result) {
            std::snprintf(out, errorTextSize, "%s", entry.text);
            return;
        }
    }
    std::snprintf(out, errorTextSize, "Unknown HRESULT(0x%08x)", static_cast<unsigned>(result));
}
