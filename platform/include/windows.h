// The Win32 operations that LumaBase and its programs use, provided by LumaPlatform.
#pragma once

#include <windef.h>
#include <winbase.h>
#include <wingdi.h>
#include <winreg.h>
#include <winuser.h>
#include <objbase.h>
