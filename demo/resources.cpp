// The program's resources: string table and the settings dialog.
#include "resource_ids.h"

#include <windows.h>

#include <luma/resources.h>

namespace {

const LumaStringResource strings[] = {
    {IDS_PROGRAM_NAME, "Glimmerfall"},
    {IDS_REGISTRY_KEY, "Software\\Korvani\\Glimmerfall"},
};

// Windows-1252 text, as the resource compiler would store it.
const LumaDialogControl settingsControls[] = {
    {IDOK, "BUTTON", "&Ja, ich will!", 4, 96, 84, 14, BS_DEFPUSHBUTTON | BS_CENTER | WS_TABSTOP},
    {IDCANCEL, "BUTTON", "&Nein, Danke", 92, 96, 48, 14, BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP},
    {-1, "STATIC",
     "ACHTUNG: Diese Demo kann schwere Bewu\xdftseinsst\xf6rungen hervorrufen, da sie entgegen "
     "den Regeln der Kunst entworfen wurde.",
     4, 4, 136, 32, SS_LEFT},
    {-1, "BUTTON", "Sound", 8, 40, 124, 48, BS_GROUPBOX | WS_GROUP},
    {IDC_SOUND_OFF, "BUTTON", "Sound &deaktivieren", 12, 48, 80, 12,
     BS_AUTORADIOBUTTON | WS_TABSTOP},
    {IDC_SOUND_22KHZ, "BUTTON", "&22 KHz", 12, 60, 44, 12, BS_AUTORADIOBUTTON | WS_TABSTOP},
    {IDC_SOUND_44KHZ, "BUTTON", "&44 KHz", 12, 72, 44, 12, BS_AUTORADIOBUTTON | WS_TABSTOP},
};

const LumaDialogTemplate dialogs[] = {
    {IDD_SETTINGS,
     static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                        DS_SETFONT | DS_CENTER | DS_CONTEXTHELP | DS_3DLOOK),
     WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP, 0, 0, 143, 113, "Korvani - Glimmerfall",
     "MS Sans Serif", 8, settingsControls,
     static_cast<int>(sizeof settingsControls / sizeof settingsControls[0])},
};

} // namespace

// The demo's own options (options.cpp).
extern const LumaProgramOptions demoOptions;

extern const LumaResources programResources = {
    strings, static_cast<int>(sizeof strings / sizeof strings[0]), dialogs,
    static_cast<int>(sizeof dialogs / sizeof dialogs[0]), &demoOptions};
