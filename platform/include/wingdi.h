// GDI: device contexts, bitmaps and the pixel operations on them.
#pragma once

#include <windef.h>

#define CLR_INVALID 0xFFFFFFFF
#define GDI_ERROR 0xFFFFFFFFL
#define HGDI_ERROR ((HANDLE)(intptr_t)-1)

// Raster operations.
#define SRCCOPY 0x00CC0020

// Background modes.
#define TRANSPARENT 1
#define OPAQUE 2

// Object types.
#define OBJ_BITMAP 7

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
} BITMAPFILEHEADER;
#pragma pack(pop)

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L

static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER is 14 bytes");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");

LUMA_API HDC WINAPI CreateCompatibleDC(HDC reference);
LUMA_API BOOL WINAPI DeleteDC(HDC dc);
LUMA_API HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
LUMA_API BOOL WINAPI DeleteObject(HGDIOBJ object);
LUMA_API int WINAPI GetObjectA(HANDLE object, int size, LPVOID buffer);
LUMA_API BOOL WINAPI StretchBlt(HDC dest, int destX, int destY, int destWidth, int destHeight,
                                HDC source, int sourceX, int sourceY, int sourceWidth,
                                int sourceHeight, DWORD rop);
LUMA_API COLORREF WINAPI GetPixel(HDC dc, int x, int y);
LUMA_API COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF colour);
