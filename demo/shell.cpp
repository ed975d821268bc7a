#include "shell.h"

#include "banner.h"
#include "command_line.h"
#include "demo_state.h"
#include "music/module.h"
#include "music/music_player.h"
#include "resource_ids.h"
#include "surroundings.h"
#include "timeline.h"

#include <TDirectDraw.h>
#include <TDirectSound.h>
#include <TLumaBase.h>

HINSTANCE instanceHandle;
HWND mainWindow;
int soundEnabled;
int sampleRate;
int samplesPerRow;
TLumaBase* lumaBase;
TDirectDraw* directDraw;
TDirectSound* directSound;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    instanceHandle = instance;
    sceneByte = 255;
    ReadCommandLine(commandLine);

    lumaBase = new TLumaBase(instance, IDS_PROGRAM_NAME, IDS_REGISTRY_KEY, true);

    if (DialogBoxParamA(instance, MAKEINTRESOURCE(IDD_SETTINGS), 0, SettingsDlgProc, 0) ==
        IDCANCEL) {
        delete lumaBase;
        lumaBase = 0;
        return 0;
    }

    for (int line = 0; line < bannerLineCount; ++line)
        lumaBase->DebugOut("%s", bannerLines[line]);

    if (!InitWindow(instance, showCommand)) {
        delete lumaBase;
        lumaBase = 0;
        return 0;
    }

    InitScenes();
    LoadModule("Media\\Glimmerfall.mod");

    MSG message;
    for (;;) {
        if (PeekMessageA(&message, 0, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&message, 0, 0, 0))
                break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            UpdateMusic();
            RunSceneSwitch();
        }
    }

    lumaBase->DebugOut("\n");
    lumaBase->DebugOut("[over]\n");
    delete lumaBase;
    lumaBase = 0;
    return static_cast<int>(message.wParam);
}

INT_PTR CALLBACK SettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CheckDlgButton(dialog, IDC_SOUND_22KHZ, BST_CHECKED);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            soundEnabled = 0;
            if (IsDlgButtonChecked(dialog, IDC_SOUND_22KHZ) == BST_CHECKED) {
                soundEnabled = 1;
                sampleRate = 22050;
                samplesPerRow = 2646;
            } else if (IsDlgButtonChecked(dialog, IDC_SOUND_44KHZ) == BST_CHECKED) {
                soundEnabled = 1;
                sampleRate = 44100;
                samplesPerRow = 5292;
            }
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        break;
    }
    return 0;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_KEYDOWN:
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        FreeModule();
        FreeScenes();
        ReleaseEngine();
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SETCURSOR:
        SetCursor(0);
        return 1;
    case WM_ACTIVATEAPP:
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool InitWindow(HINSTANCE instance, int showCommand) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "Glimmerfall";
    RegisterClassA(&windowClass);

    mainWindow = CreateWindowExA(WS_EX_TOPMOST, "Glimmerfall", "Glimmerfall", WS_POPUP, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0, 0,
                                 instance, 0);
    if (!mainWindow)
        return false;

    ShowWindow(mainWindow, showCommand);
    SetCursor(0);
    UpdateWindow(mainWindow);

    if (CoInitialize(0) < 0) {
        ReleaseEngine();
        return false;
    }

    // The display takes its window from the base object when it is made.
    lumaBase->hWnd = mainWindow;
    directDraw = new TDirectDraw(lumaBase, 1);
    if (soundEnabled) {
        directSound = new TDirectSound(lumaBase);
        if (!directSound->lpDS)
            TellUser("sound is off: a run that could not open a sound device saved "
                     "\"TDirectSound::dwDisable\" in the settings; run once with "
                     "--reset-settings to turn it back on");
    }
    return true;
}

void ReleaseEngine() {
    if (directSound) {
        delete directSound;
        directSound = 0;
    }
    delete directDraw;
    directDraw = 0;
    CoUninitialize();
}
