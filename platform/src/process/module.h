// The program's module and its registered resources.
#pragma once

#include <windows.h>

#include <luma/resources.h>

namespace luma {

HINSTANCE programInstance();
const LumaResources* resourcesOf(HINSTANCE instance);
const LumaDialogTemplate* findDialog(HINSTANCE instance, LPCSTR name);

} // namespace luma
