// Multimedia file I/O for reading RIFF files. Every chunk is measured against the file and
// its parent: a size that claims more than is there is cut to what is there, so readers
// never go past the data that exists.
#include "files/data_folder.h"

#include <mmsystem.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <set>

namespace {

struct RiffFile {
    int descriptor;
    uint64_t size;
    uint64_t position = 0;
};

class OpenFiles {
public:
    HMMIO add(RiffFile* file) {
        std::lock_guard<std::mutex> hold(lock);
        files.insert(file);
        return reinterpret_cast<HMMIO>(file);
    }
    RiffFile* find(HMMIO handle) {
        std::lock_guard<std::mutex> hold(lock);
        auto found = files.find(reinterpret_cast<RiffFile*>(handle));
        return found == files.end() ? nullptr : *found;
    }
    bool remove(RiffFile* file) {
        std::lock_guard<std::mutex> hold(lock);
        return files.erase(file) == 1;
    }

private:
    std::mutex lock;
    std::set<RiffFile*> files;
};

OpenFiles& openFiles() {
    static OpenFiles table;
    return table;
}

// Reads exactly `count` bytes at `offset`, or fails.
bool readAt(const RiffFile& file, uint64_t offset, uint8_t* out, size_t count) {
    if (offset > file.size || count > file.size - offset)
        return false;
    while (count > 0) {
        ssize_t got = ::pread(file.descriptor, out, count, static_cast<off_t>(offset));
        if (got <= 0)
            return false;
        out += got;
        offset += static_cast<uint64_t>(got);
        count -= static_cast<size_t>(got);
    }
    return true;
}

DWORD littleEndian32(const uint8_t* bytes) {
    return static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 |
           static_cast<DWORD>(bytes[2]) << 16 | static_cast<DWORD>(bytes[3]) << 24;
}

// Read-only opening with any sharing mode; writing, creating and parsing are not provided.
constexpr DWORD readOnlyFlags = MMIO_READ | MMIO_ALLOCBUF | 0x70;

bool matches(UINT flags, FOURCC id, FOURCC type, bool hasType, const MMCKINFO& wanted) {
    if (flags & MMIO_FINDRIFF)
        return id == FOURCC_RIFF && hasType && type == wanted.fccType;
    if (flags & MMIO_FINDLIST)
        return id == FOURCC_LIST && hasType && type == wanted.fccType;
    if (flags & MMIO_FINDCHUNK)
        return id == wanted.ckid;
    return true;
}

} // namespace

LUMA_API HMMIO WINAPI mmioOpenA(LPSTR fileName, LPMMIOINFO, DWORD flags) {
    if (!fileName || (flags & ~readOnlyFlags) != 0)
        return nullptr;
    std::string path = luma::resolveDataPath(fileName);
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat info;
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    return openFiles().add(new RiffFile{descriptor, static_cast<uint64_t>(info.st_size)});
}

// Looks from the current position, within the parent chunk (or the file), for the chunk
// that `flags` asks for, and enters it: the position moves to its data (after the form type
// of a RIFF or LIST chunk).
LUMA_API MMRESULT WINAPI mmioDescend(HMMIO handle, LPMMCKINFO chunk, LPCMMCKINFO parent,
                                     UINT flags) {
    RiffFile* file = openFiles().find(handle);
    if (!file)
        return MMSYSERR_INVALHANDLE;
    if (!chunk)
        return MMSYSERR_INVALPARAM;
    // RIFF offsets are 32-bit: nothing beyond 4 GB is reachable.
    uint64_t end = std::min<uint64_t>(file->size, 0xFFFFFFFFu);
    if (parent)
        end = std::min(end, static_cast<uint64_t>(parent->dwDataOffset) + parent->cksize);
    uint64_t at = file->position;
    while (at + 8 <= end) {
        uint8_t header[8];
        if (!readAt(*file, at, header, sizeof header))
            break;
        FOURCC id = littleEndian32(header);
        uint64_t declared = littleEndian32(header + 4);
        uint64_t data = at + 8;
        uint64_t size = std::min(declared, end - data);
        bool isList = id == FOURCC_RIFF || id == FOURCC_LIST;
        uint8_t typeBytes[4];
        bool hasType = isList && size >= 4 && readAt(*file, data, typeBytes, sizeof typeBytes);
        FOURCC type = hasType ? littleEndian32(typeBytes) : 0;
        if (matches(flags, id, type, hasType, *chunk)) {
            chunk->ckid = id;
            chunk->cksize = static_cast<DWORD>(size);
            chunk->fccType = type;
            chunk->dwDataOffset = static_cast<DWORD>(data);
            chunk->dwFlags = 0;
            file->position = data + (hasType ? 4 : 0);
            return MMSYSERR_NOERROR;
        }
        // Chunks start at even offsets: an odd-sized chunk is followed by a pad byte.
        at = data + declared + (declared & 1);
    }
    return MMIOERR_CHUNKNOTFOUND;
}

LUMA_API LONG WINAPI mmioRead(HMMIO handle, HPSTR buffer, LONG count) {
    RiffFile* file = openFiles().find(handle);
    if (!file || !buffer || count < 0)
        return -1;
    uint64_t left = file->size - std::min(file->position, file->size);
    size_t wanted = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(count), left));
    if (!readAt(*file, file->position, reinterpret_cast<uint8_t*>(buffer), wanted))
        return -1;
    file->position += wanted;
    return static_cast<LONG>(wanted);
}

// Leaves the chunk: the position moves past its data and pad byte.
LUMA_API MMRESULT WINAPI mmioAscend(HMMIO handle, LPMMCKINFO chunk, UINT) {
    RiffFile* file = openFiles().find(handle);
    if (!file)
        return MMSYSERR_INVALHANDLE;
    if (!chunk)
        return MMSYSERR_INVALPARAM;
    uint64_t end = static_cast<uint64_t>(chunk->dwDataOffset) + chunk->cksize + (chunk->cksize & 1);
    file->position = std::min(end, file->size);
    return MMSYSERR_NOERROR;
}

LUMA_API MMRESULT WINAPI mmioClose(HMMIO handle, UINT) {
    RiffFile* file = openFiles().find(handle);
    if (!file || !openFiles().remove(file))
        return MMSYSERR_INVALHANDLE;
    ::close(file->descriptor);
    delete file;
    return MMSYSERR_NOERROR;
}
