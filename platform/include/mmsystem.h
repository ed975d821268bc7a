// Multimedia file I/O (winmm): reading RIFF files such as wave files, and the wave format.
#pragma once

#include <windef.h>

typedef UINT MMRESULT;
typedef DWORD FOURCC;
typedef char* HPSTR;

#define mmioFOURCC(ch0, ch1, ch2, ch3)                                                             \
    ((FOURCC)(BYTE)(ch0) | ((FOURCC)(BYTE)(ch1) << 8) | ((FOURCC)(BYTE)(ch2) << 16) |              \
     ((FOURCC)(BYTE)(ch3) << 24))
#define FOURCC_RIFF mmioFOURCC('R', 'I', 'F', 'F')
#define FOURCC_LIST mmioFOURCC('L', 'I', 'S', 'T')

#define MMSYSERR_NOERROR 0
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_INVALPARAM 11
#define MMIOERR_BASE 256
#define MMIOERR_CANNOTSEEK (MMIOERR_BASE + 7)
#define MMIOERR_CHUNKNOTFOUND (MMIOERR_BASE + 9)

// mmioOpenA: only reading is provided.
#define MMIO_READ 0x00000000
#define MMIO_ALLOCBUF 0x00010000
// mmioDescend: what to look for.
#define MMIO_FINDCHUNK 0x0010
#define MMIO_FINDRIFF 0x0020
#define MMIO_FINDLIST 0x0040

typedef struct _MMCKINFO {
    FOURCC ckid;
    DWORD cksize; // never more than the file holds
    FOURCC fccType;
    DWORD dwDataOffset;
    DWORD dwFlags;
} MMCKINFO, *LPMMCKINFO;
typedef const MMCKINFO* LPCMMCKINFO;

// Custom I/O procedures and buffers are not provided: pass NULL.
typedef struct _MMIOINFO MMIOINFO, *LPMMIOINFO;

LUMA_API HMMIO WINAPI mmioOpenA(LPSTR fileName, LPMMIOINFO info, DWORD flags);
LUMA_API MMRESULT WINAPI mmioDescend(HMMIO file, LPMMCKINFO chunk, LPCMMCKINFO parent, UINT flags);
LUMA_API LONG WINAPI mmioRead(HMMIO file, HPSTR buffer, LONG count);
LUMA_API MMRESULT WINAPI mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT flags);
LUMA_API MMRESULT WINAPI mmioClose(HMMIO file, UINT flags);

#define WAVE_FORMAT_PCM 1

#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
} WAVEFORMATEX, *LPWAVEFORMATEX;
#pragma pack(pop)
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is packed as on Windows");
