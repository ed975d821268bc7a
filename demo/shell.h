// The program's entry, the settings dialog, the window and the release of the engine.
#pragma once

#include <windows.h>

INT_PTR CALLBACK SettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool InitWindow(HINSTANCE instance, int showCommand);
void ReleaseEngine();
