// SDL's keys as Windows virtual keys.
#pragma once

#include <SDL.h>
#include <windows.h>

namespace luma {

UINT virtualKeyOf(SDL_Keycode key);

} // namespace luma
