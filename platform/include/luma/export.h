// Symbol visibility of the platform library.
#pragma once

#if defined(LUMA_PLATFORM_BUILD)
#define LUMA_PLATFORM_API __attribute__((visibility("default")))
#else
#define LUMA_PLATFORM_API
#endif

#ifdef __cplusplus
#define LUMA_EXTERN_C extern "C"
#else
#define LUMA_EXTERN_C
#endif

// Everything the platform exports has C linkage, as on Windows.
#define LUMA_API LUMA_EXTERN_C LUMA_PLATFORM_API
