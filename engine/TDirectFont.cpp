#include "TDirectFont.h"

#include "FileBytes.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const char* const caption = "DirectFont";

// Fonts wider or taller than this, or larger in all, are not glyph strips but damaged headers
// (which could otherwise claim gigabytes from a file of a few bytes).
const int64_t largestSide = 1 << 20;
const int64_t largestPixelCount = int64_t(64) << 20;

bool isFontFormat(const BITMAPFILEHEADER& file, const BITMAPINFOHEADER& info) {
    return info.biPlanes == 1 && info.biCompression == BI_RGB && info.biBitCount == 8 &&
           file.bfType == 0x4D42;
}

bool hasUsableSize(const BITMAPINFOHEADER& info) {
    int64_t rows = info.biHeight < 0 ? -int64_t(info.biHeight) : info.biHeight;
    return info.biWidth > 0 && info.biWidth <= largestSide && rows >= 1 && rows <= largestSide &&
           info.biWidth * rows <= largestPixelCount;
}

void skipBytes(HANDLE file, int64_t count) {
    LONG high = LONG(count >> 32);
    SetFilePointer(file, LONG(count & 0xFFFFFFFF), &high, FILE_CURRENT);
}

} // namespace

TDirectFont::TDirectFont(const char* name)
    : fileName(nullptr), width(0), height(0), fontData(nullptr), spacings(nullptr), lastGlyph(0) {
    size_t length = std::strlen(name);
    fileName = static_cast<char*>(std::malloc(length + 1));
    if (fileName)
        std::memcpy(fileName, name, length + 1);
    LoadFont();
}

TDirectFont::~TDirectFont() {
    std::free(fileName);
    delete[] spacings;
    std::free(fontData);
    width = 0;
    height = 0;
}

bool TDirectFont::LoadFont() {
    HANDLE file = fileName ? CreateFileA(fileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)
                           : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxA(nullptr, "Falscher Font-Name!", caption, MB_OK);
        return false;
    }
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER info;
    readOrZero(file, &fileHeader, sizeof fileHeader);
    readOrZero(file, &info, sizeof info);
    if (!isFontFormat(fileHeader, info) || !hasUsableSize(info)) {
        CloseHandle(file);
        MessageBoxA(nullptr, "Falsches Font-Format!", caption, MB_OK);
        return false;
    }
    bool topFirst = info.biHeight < 0;
    int glyphRows = (topFirst ? -info.biHeight : info.biHeight) - 1;
    int stride = (8 * info.biWidth + 31) / 32 * 4;
    skipBytes(file, int64_t(info.biClrUsed ? info.biClrUsed : 256) * 4);

    // Rows are kept `width` bytes apart, as every consumer steps through them; the file's
    // padding is dropped, and what a short file lacks stays 0.
    std::free(fontData);
    fontData = static_cast<unsigned char*>(std::calloc(size_t(glyphRows) * info.biWidth + 1, 1));
    unsigned char* row = static_cast<unsigned char*>(std::malloc(stride));
    if (!fontData || !row) {
        std::free(row);
        std::free(fontData);
        fontData = nullptr;
        CloseHandle(file);
        MessageBoxA(nullptr, "Falsches Font-Format!", caption, MB_OK);
        return false;
    }
    width = info.biWidth;
    height = glyphRows;
    if (!topFirst)
        ReadSpacings(file, stride);
    // Once the file has run out, the rows left stay 0 without reading on.
    bool more = true;
    for (int i = 0; i < height && more; ++i) {
        int target = topFirst ? i : height - 1 - i;
        more = readOrZero(file, row, stride);
        std::memcpy(fontData + size_t(target) * width, row, width);
    }
    if (topFirst)
        ReadSpacings(file, stride);
    std::free(row);
    CloseHandle(file);
    return true;
}

void TDirectFont::ReadSpacings(HANDLE file, int rowBytes) {
    if (!spacings)
        spacings = new Spacing[glyphCount];
    std::memset(spacings, 0, sizeof(Spacing) * glyphCount);
    unsigned char* row = static_cast<unsigned char*>(std::malloc(rowBytes > 0 ? rowBytes : 1));
    if (!row) {
        lastGlyph = 0;
        return;
    }
    readOrZero(file, row, rowBytes > 0 ? rowBytes : 0);
    // Markers in the row's padding would start glyphs outside the picture.
    int columns = width > 0 && width < rowBytes ? width : rowBytes;
    int count = 0;
    int start = 0;
    for (int column = 0; column < columns && count < glyphCount; ++column) {
        if (!row[column])
            continue;
        spacings[count].pos = start;
        spacings[count].width = column - start;
        ++count;
        start = column;
    }
    // With no glyph every entry stays 0, so each query answers 0 whatever lastGlyph says.
    lastGlyph = static_cast<unsigned char>(count - 1);
    std::free(row);
}

unsigned char* TDirectFont::getFontData() { return fontData; }

const TDirectFont::Spacing* TDirectFont::glyphOf(unsigned char c) const {
    unsigned char index = static_cast<unsigned char>(c - 32);
    if (!spacings || index >= glyphCount || index > lastGlyph)
        return nullptr;
    return &spacings[index];
}

int TDirectFont::getCharPos(unsigned char c) {
    const Spacing* glyph = glyphOf(c);
    return glyph ? glyph->pos : 0;
}

int TDirectFont::getCharWidth(unsigned char c) {
    const Spacing* glyph = glyphOf(c);
    return glyph ? glyph->width : 0;
}

int TDirectFont::getStringWidth(const unsigned char* text) {
    if (!text)
        return 0;
    int sum = 0;
    for (; *text && *text != '\n' && *text != '\r'; ++text)
        sum += getCharWidth(*text);
    return sum;
}
