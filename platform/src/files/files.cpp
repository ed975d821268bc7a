// Kernel file handles over POSIX descriptors.
#include "files/data_folder.h"
#include "files/paths.h"
#include "core/last_error.h"

#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace luma;

namespace {

struct FileObject {
    int descriptor;
};

// Handles are checked before use: a stale or foreign handle is refused, never followed.
std::set<FileObject*>& openFiles() {
    static std::set<FileObject*> files;
    return files;
}

std::mutex& filesLock() {
    static std::mutex lock;
    return lock;
}

FileObject* fileOf(HANDLE handle) {
    std::lock_guard<std::mutex> guard(filesLock());
    auto found = openFiles().find(static_cast<FileObject*>(handle));
    return found == openFiles().end() ? nullptr : *found;
}

DWORD errorOf(int error) {
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    default:
        return ERROR_INVALID_PARAMETER;
    }
}

} // namespace

LUMA_API HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES,
                                   DWORD disposition, DWORD, HANDLE) {
    if (!fileName) {
        setLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    int flags = O_CLOEXEC;
    bool reads = access & GENERIC_READ, writes = access & GENERIC_WRITE;
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    switch (disposition) {
    case CREATE_NEW:
        flags |= O_CREAT | O_EXCL;
        break;
    case CREATE_ALWAYS:
        flags |= O_CREAT | O_TRUNC;
        break;
    case OPEN_EXISTING:
        break;
    case OPEN_ALWAYS:
        flags |= O_CREAT;
        break;
    case TRUNCATE_EXISTING:
        flags |= O_TRUNC;
        break;
    default:
        setLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    // Data the program reads may also lie in its own data folder.
    std::string path =
        disposition == OPEN_EXISTING && !writes ? resolveDataPath(fileName) : resolvePath(fileName);
    int descriptor = ::open(path.c_str(), flags, 0644);
    if (descriptor < 0) {
        setLastError(errorOf(errno));
        return INVALID_HANDLE_VALUE;
    }
    struct stat info;
    if (::fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(descriptor);
        setLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    auto* file = new FileObject{descriptor};
    std::lock_guard<std::mutex> guard(filesLock());
    openFiles().insert(file);
    return file;
}

LUMA_API BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                              LPOVERLAPPED) {
    if (bytesRead)
        *bytesRead = 0;
    FileObject* file = fileOf(handle);
    if (!file || (!buffer && bytesToRead)) {
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    DWORD total = 0;
    while (total < bytesToRead) {
        ssize_t got =
            ::read(file->descriptor, static_cast<char*>(buffer) + total, bytesToRead - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            setLastError(errorOf(errno));
            return FALSE;
        }
        if (got == 0)
            break;
        total += static_cast<DWORD>(got);
    }
    if (bytesRead)
        *bytesRead = total;
    return TRUE;
}

LUMA_API BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite,
                               LPDWORD bytesWritten, LPOVERLAPPED) {
    if (bytesWritten)
        *bytesWritten = 0;
    FileObject* file = fileOf(handle);
    if (!file || (!buffer && bytesToWrite)) {
        setLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    DWORD total = 0;
    while (total < bytesToWrite) {
        ssize_t put = ::write(file->descriptor, static_cast<const char*>(buffer) + total,
                              bytesToWrite - total);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            setLastError(errorOf(errno));
            if (bytesWritten)
                *bytesWritten = total;
            return FALSE;
        }
        total += static_cast<DWORD>(put);
    }
    if (bytesWritten)
        *bytesWritten = total;
    return TRUE;
}

LUMA_API DWORD WINAPI GetFileSize(HANDLE handle, LPDWORD fileSizeHigh) {
    FileObject* file = fileOf(handle);
    struct stat info;
    if (!file || ::fstat(file->descriptor, &info) != 0) {
        setLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    uint64_t size = static_cast<uint64_t>(info.st_size);
    if (fileSizeHigh)
        *fileSizeHigh = static_cast<DWORD>(size >> 32);
    return static_cast<DWORD>(size);
}

LUMA_API DWORD WINAPI SetFilePointer(HANDLE handle, LONG distance, LPLONG distanceHigh,
                                     DWORD moveMethod) {
    FileObject* file = fileOf(handle);
    int whence = moveMethod == FILE_CURRENT ? SEEK_CUR
                 : moveMethod == FILE_END   ? SEEK_END
                                            : SEEK_SET;
    // The two halves make one signed 64-bit distance; shifted as unsigned, which is defined.
    int64_t offset = distanceHigh
                         ? static_cast<int64_t>(
                               (static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                               static_cast<uint32_t>(distance))
                         : distance;
    off_t position = file ? ::lseek(file->descriptor, offset, whence) : -1;
    if (position < 0) {
        setLastError(file ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    if (distanceHigh)
        *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(position) >> 32);
    return static_cast<DWORD>(position);
}

LUMA_API BOOL WINAPI CloseHandle(HANDLE handle) {
    FileObject* file = nullptr;
    {
        std::lock_guard<std::mutex> guard(filesLock());
        auto found = openFiles().find(static_cast<FileObject*>(handle));
        if (found == openFiles().end()) {
            setLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        file = *found;
        openFiles().erase(found);
    }
    ::close(file->descriptor);
    delete file;
    return TRUE;
}
