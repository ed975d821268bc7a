// How LumaBase's classes and functions are exported from the library.
#pragma once

#if defined(_WIN32)
#if defined(LUMABASE_BUILD)
#define LUMABASE_API __declspec(dllexport)
#else
#define LUMABASE_API __declspec(dllimport)
#endif
#else
#define LUMABASE_API __attribute__((visibility("default")))
#endif

// Lets the compiler check the arguments of printf-style methods (counting `this`).
#if defined(__GNUC__)
#define LUMABASE_PRINTF(formatIndex, firstArgument)                                                \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define LUMABASE_PRINTF(formatIndex, firstArgument)
#endif
