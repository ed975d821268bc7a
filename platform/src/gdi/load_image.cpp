// LoadImageA for bitmaps: resources of the program, or files with LR_LOADFROMFILE.
#include "core/last_error.h"
#include "files/data_folder.h"
#include "gdi/bmp_reader.h"

#include <fstream>
#include <iterator>

using namespace luma;

namespace {

// Far larger than a picture of the largest size the reader accepts.
constexpr std::streamoff largestFile = 300 << 20;
// The most pixels a stretched picture may have: as many as the reader accepts.
constexpr int64_t largestPixelCount = 64 << 20;

bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || size > largestFile)
        return false;
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<size_t>(size));
    return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
}

std::unique_ptr<Bitmap> scaled(const Bitmap& picture, int width, int height) {
    auto result = std::make_unique<Bitmap>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            result->setPixel(
                x, y,
                picture.pixel(static_cast<int>(int64_t{x} * picture.width() / width),
                              static_cast<int>(int64_t{y} * picture.height() / height)));
    return result;
}

} // namespace

LUMA_API HANDLE WINAPI LoadImageA(HINSTANCE, LPCSTR name, UINT type, int width, int height,
                                  UINT flags) {
    if (!name || type != IMAGE_BITMAP || width < 0 || height < 0 ||
        int64_t{width} * height > largestPixelCount) {
        setLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // Programs here register no bitmap resources: only files are found.
    if (!(flags & LR_LOADFROMFILE) || IS_INTRESOURCE(name)) {
        setLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    std::vector<uint8_t> bytes;
    if (!readFile(resolveDataPath(name), bytes)) {
        setLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    std::unique_ptr<Bitmap> picture = readBmp(bytes);
    if (!picture) {
        setLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A size of 0 keeps the picture's own.
    int wantedWidth = width ? width : picture->width();
    int wantedHeight = height ? height : picture->height();
    if (wantedWidth != picture->width() || wantedHeight != picture->height())
        picture = scaled(*picture, wantedWidth, wantedHeight);
    return addGdiObject(std::move(picture));
}
