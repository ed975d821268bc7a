// The platform's own controls: what a Windows program gets from its surroundings
// (the desktop, the keyboard, the clock) made explicit for headless runs and tests.
#pragma once

#include <windef.h>

// Chooses the backend by name ("sdl", "headless"; LumaBackendAt lists this build's). Without a
// call, LUMA_BACKEND decides, else the first backend listed. Takes effect only before the
// platform is first used.
LUMA_API BOOL LumaSelectBackend(const char* name);
LUMA_API const char* LumaBackendName(void);
// The n-th backend of this build, the default first: its name and a line about it. FALSE
// past the last.
LUMA_API BOOL LumaBackendAt(int index, const char** name, const char** description);

// Answers every dialog without showing it: the controls named are clicked in order.
// An empty list clears the answer.
LUMA_API void LumaAnswerDialogs(const int* controlIds, int count);

// Whether the chosen backend can serve a program; `problem` (of `size` bytes) says why not.
LUMA_API BOOL LumaBackendReady(char* problem, int size);

// Frames per second of the headless clock (default 60).
LUMA_API void LumaSetFramesPerSecond(int framesPerSecond);

// A key press (Escape) for the focused window once the clock has run MS milliseconds.
LUMA_API void LumaStopAt(DWORD milliseconds);

// Milliseconds since the platform started, on the backend's clock.
LUMA_API DWORD LumaElapsed(void);

// Window placement for the sdl backend.
LUMA_API void LumaSetWindowed(BOOL windowed);

// Pixel layout of the display's surfaces: 565 or 555; 0 leaves it to LUMA_PIXEL_FORMAT
// (default 565). Takes effect for DirectDraw objects created afterwards.
LUMA_API BOOL LumaSetPixelFormat(int format);

// Scales the picture in the window by whole numbers only, with black borders (sdl backend).
LUMA_API void LumaSetIntegerScale(BOOL integerScale);

// A key as the keyboard would give it: WM_KEYDOWN (or WM_SYSKEYDOWN with alt), then
// the character that TranslateMessage makes of it (0 for none).
LUMA_API void LumaPressKey(HWND window, UINT virtualKey, char character, BOOL alt);
// The same key press, made once the clock has run MS milliseconds (LumaElapsed): for input
// that must arrive while the program already waits for it.
LUMA_API void LumaPressKeyAt(DWORD milliseconds, HWND window, UINT virtualKey, char character,
                             BOOL alt);

// Ends the run like a key press on the focused window (SIGINT and SIGTERM do this).
LUMA_API void LumaRequestStop(void);
// The signal that ended the run (SIGINT or SIGTERM), or 0.
LUMA_API int LumaStopSignal(void);

// The program has returned from WinMain with STATUS: a host that outlives it (a browser
// page) says that it has ended.
LUMA_API void LumaProgramEnded(int status);

// The program's data folder (<exe folder>/../share/<name>) when a data file the program read
// came from it, not from the current folder; null otherwise.
LUMA_API const char* LumaDataFolderUsed(void);

// Path of the per-user settings file that holds the registry.
LUMA_API const char* LumaSettingsPath(void);

// Sound: the most duplicates a sound device makes at a time (negative: no limit), for
// trying programs on scarce hardware.
LUMA_API void LumaLimitSoundDuplicates(int count);
// Sample rate of the headless sound device (8000 to 48000); without a call it takes the
// rate of the first buffer made. Fixed once chosen.
LUMA_API void LumaSetHeadlessSoundRate(DWORD rate);
// What the headless sound device has played since the platform started: mono 16-bit
// samples at *rate (0 until a rate is chosen). The samples stay valid until the next
// sound call; the result is their number.
LUMA_API DWORD LumaHeadlessSound(const short** samples, DWORD* rate);

// Capture of a headless run, asked for before LumaStartCapture: a video made by the ffmpeg
// program (H.264 with AAC sound), one PNG file per frame in a folder (made if missing), the
// sound as a WAV file, and the frame on screen at a time (MS as LumaElapsed counts them).
// Frame k is what was on screen k / fps seconds after the start; the sound is what the
// headless device played over the same frames.
LUMA_API void LumaRecordVideo(const char* path);
LUMA_API void LumaWriteFrames(const char* folder);
LUMA_API void LumaWriteSound(const char* path);
LUMA_API void LumaScreenshotAt(DWORD milliseconds, const char* path);
// Starts what was asked for (needs the headless backend); `problem` (of `size` bytes) says
// why it cannot. A failure while capturing ends the run like a key press.
LUMA_API BOOL LumaStartCapture(char* problem, int size);
// Finishes the files once the program has ended: complete and in place, or none. FALSE
// with the problem when anything failed.
LUMA_API BOOL LumaFinishCapture(char* problem, int size);

// The program's own estimate of how much longer it runs (a demo: what is left of its song),
// for the capture's progress line; a stop time that comes earlier wins.
LUMA_API void LumaExpectRunLength(DWORD milliseconds);
