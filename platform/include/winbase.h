// Kernel operations: module, clock, files.
#pragma once

#include <windef.h>

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MORE_DATA 234L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

LUMA_API HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);
LUMA_API DWORD WINAPI GetTickCount(void);
LUMA_API void WINAPI Sleep(DWORD milliseconds);
LUMA_API DWORD WINAPI GetLastError(void);

LUMA_API HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                                   LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                   DWORD flagsAndAttributes, HANDLE templateFile);
LUMA_API BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                              LPOVERLAPPED overlapped);
LUMA_API BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite,
                               LPDWORD bytesWritten, LPOVERLAPPED overlapped);
LUMA_API DWORD WINAPI GetFileSize(HANDLE file, LPDWORD fileSizeHigh);
LUMA_API DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, LPLONG distanceHigh,
                                     DWORD moveMethod);
LUMA_API BOOL WINAPI CloseHandle(HANDLE object);
