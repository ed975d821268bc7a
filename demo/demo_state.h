// The program-wide state of the demo: zero (or null) when the process starts.
#pragma once

#include <windows.h>

class TLumaBase;
class TDirectDraw;
class TDirectSound;

extern HINSTANCE instanceHandle;
extern HWND mainWindow;
extern int soundEnabled;
extern int sampleRate;
extern int samplesPerRow; // output samples in a row of the song (120 ms)
extern TLumaBase* lumaBase;
extern TDirectDraw* directDraw;
extern TDirectSound* directSound;
extern unsigned char sceneByte;
extern unsigned char syncByte;
