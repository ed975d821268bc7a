// The engine as a program holds it, on the headless backend: a base object and its window,
// and the display or the sound device that a reader needs.
#pragma once

#include "workspace.h"

#include <TDirectDraw.h>
#include <TDirectSound.h>
#include <TLumaBase.h>

class EngineHost {
public:
    enum Devices { displayOnly, soundOnly };

    explicit EngineHost(Devices devices);
    ~EngineHost();

    FuzzWorkspace workspace;
    TLumaBase* base = nullptr;
    HWND window = nullptr;
    TDirectDraw* display = nullptr;
    TDirectSound* sound = nullptr;

    EngineHost(const EngineHost&) = delete;
    EngineHost& operator=(const EngineHost&) = delete;
};
