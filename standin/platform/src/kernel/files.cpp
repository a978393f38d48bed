// Files: CreateFileW with Windows' dispositions and sharing rules, ReadFile, WriteFile,
// SetFilePointer, GetFileSize, CloseHandle, DeleteFileW; and the attribute bits Linux lacks.
#include "kernel_internal.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace standin {
namespace kernel {
namespace {

// Hidden, system and archive bits by Linux path (read-only lives in the file's mode bits).
std::map<std::string, DWORD>& ExtraAttributes() {
    static std::map<std::string, DWORD> extra;
    return extra;
}

constexpr DWORD kExtraAttributeMask =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

DWORD ErrorFromErrno(int code) {
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

// Windows refuses an open when an existing handle's sharing does not allow the new access, or the
// new sharing does not allow an existing handle's access.
bool SharingConflicts(const std::string& linuxPath, DWORD access, DWORD share) {
    for (const OpenFile* open : FilesOpenAt(linuxPath)) {
        if ((access & GENERIC_READ) && !(open->share & FILE_SHARE_READ))
            return true;
        if ((access & GENERIC_WRITE) && !(open->share & FILE_SHARE_WRITE))
            return true;
        if ((open->access & GENERIC_READ) && !(share & FILE_SHARE_READ))
            return true;
        if ((open->access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE))
            return true;
    }
    return false;
}

} // namespace

DWORD AttributesOf(const std::string& linuxPath, bool isDirectory, unsigned mode) {
    DWORD attributes = isDirectory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    auto found = ExtraAttributes().find(linuxPath);
    if (found != ExtraAttributes().end())
        attributes = (isDirectory ? FILE_ATTRIBUTE_DIRECTORY : 0) | found->second;
    if (IsReadOnlyMode(mode))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

void ForgetAttributes(const std::string& linuxPath) {
    ExtraAttributes().erase(linuxPath);
}

bool IsReadOnlyMode(unsigned mode) {
    return (mode & S_IWUSR) == 0;
}

void StoreExtraAttributes(const std::string& linuxPath, DWORD attributes) {
    ExtraAttributes()[linuxPath] = attributes & kExtraAttributeMask;
}

void ResetFiles() {
    CloseAllObjects();
    ExtraAttributes().clear();
}

} // namespace kernel
} // namespace standin

using namespace standin::kernel;

HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                          LPSECURITY_ATTRIBUTES, DWORD creationDisposition,
                          DWORD flagsAndAttributes, HANDLE) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("CreateFileW", &code))
        return Fail(static_cast<DWORD>(code), INVALID_HANDLE_VALUE);
    if (creationDisposition < CREATE_NEW || creationDisposition > TRUNCATE_EXISTING)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    if (creationDisposition == TRUNCATE_EXISTING && !(desiredAccess & GENERIC_WRITE))
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    ResolvedPath path;
    DWORD error = 0;
    if (!ResolvePath(fileName, &path, &error))
        return Fail(error, INVALID_HANDLE_VALUE);
    if (path.driveRoot)
        return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    if (!path.parentExists)
        return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);

    struct stat info;
    bool exists = stat(path.linuxPath.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    if (path.trailingSeparator)
        return Fail(ERROR_INVALID_NAME, INVALID_HANDLE_VALUE);
    if (!exists &&
        (creationDisposition == OPEN_EXISTING || creationDisposition == TRUNCATE_EXISTING))
        return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    if (exists && creationDisposition == CREATE_NEW)
        return Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
    bool truncates =
        creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
    if (exists && IsReadOnlyMode(info.st_mode) && ((desiredAccess & GENERIC_WRITE) || truncates))
        return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    if (exists && SharingConflicts(path.linuxPath, desiredAccess, shareMode))
        return Fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);

    int flags = O_RDWR | O_CLOEXEC | O_CREAT | (truncates ? O_TRUNC : 0);
    int fd = open(path.linuxPath.c_str(), flags, 0666);
    if (fd < 0)
        return Fail(ErrorFromErrno(errno), INVALID_HANDLE_VALUE);
    if (!exists || truncates) {
        ForgetAttributes(path.linuxPath);
        if (!exists && (flagsAndAttributes & FILE_ATTRIBUTE_READONLY))
            fchmod(fd, 0444);
    }
    OpenFile file;
    file.fd = fd;
    file.linuxPath = path.linuxPath;
    file.access = desiredAccess;
    file.share = shareMode;
    HANDLE handle = AddFile(file);
    SetLastError(
        exists && (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS)
            ? ERROR_ALREADY_EXISTS
            : ERROR_SUCCESS);
    return handle;
}

BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                     LPOVERLAPPED) {
    EnsureRegistered();
    if (bytesRead)
        *bytesRead = 0;
    long code = 0;
    if (standin::TakeFault("ReadFile", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    OpenFile* open = FindFile(file);
    if (!open)
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (!(open->access & GENERIC_READ))
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (!buffer && bytesToRead)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    DWORD total = 0;
    while (total < bytesToRead) {
        ssize_t got = read(open->fd, static_cast<char*>(buffer) + total, bytesToRead - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Fail(ErrorFromErrno(errno), FALSE);
        if (got == 0)
            break;
        total += static_cast<DWORD>(got);
    }
    if (bytesRead)
        *bytesRead = total;
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                      LPOVERLAPPED) {
    EnsureRegistered();
    if (bytesWritten)
        *bytesWritten = 0;
    long code = 0;
    if (standin::TakeFault("WriteFile", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    OpenFile* open = FindFile(file);
    if (!open)
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (!(open->access & GENERIC_WRITE))
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (!buffer && bytesToWrite)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    DWORD total = 0;
    while (total < bytesToWrite) {
        ssize_t put =
            write(open->fd, static_cast<const char*>(buffer) + total, bytesToWrite - total);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return Fail(put < 0 ? ErrorFromErrno(errno) : ERROR_DISK_FULL, FALSE);
        total += static_cast<DWORD>(put);
    }
    if (bytesWritten)
        *bytesWritten = total;
    return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("SetFilePointer", &code))
        return Fail(static_cast<DWORD>(code), INVALID_SET_FILE_POINTER);
    OpenFile* open = FindFile(file);
    if (!open)
        return Fail(ERROR_INVALID_HANDLE, INVALID_SET_FILE_POINTER);
    if (moveMethod > FILE_END)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
    long long offset =
        distanceHigh
            ? static_cast<long long>(
                  (static_cast<unsigned long long>(static_cast<unsigned long>(*distanceHigh))
                   << 32) |
                  static_cast<unsigned long>(distance))
            : static_cast<long long>(distance);
    long long base = 0;
    if (moveMethod == FILE_CURRENT)
        base = lseek64(open->fd, 0, SEEK_CUR);
    else if (moveMethod == FILE_END)
        base = lseek64(open->fd, 0, SEEK_END);
    long long target = base + offset;
    if (target < 0)
        return Fail(ERROR_NEGATIVE_SEEK, INVALID_SET_FILE_POINTER);
    if (lseek64(open->fd, target, SEEK_SET) < 0)
        return Fail(ErrorFromErrno(errno), INVALID_SET_FILE_POINTER);
    if (distanceHigh)
        *distanceHigh = static_cast<LONG>(target >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(target & 0xFFFFFFFF);
}

DWORD WINAPI GetFileSize(HANDLE file, LPDWORD fileSizeHigh) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("GetFileSize", &code))
        return Fail(static_cast<DWORD>(code), INVALID_FILE_SIZE);
    OpenFile* open = FindFile(file);
    struct stat info;
    if (!open || fstat(open->fd, &info) != 0)
        return Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
    unsigned long long size = static_cast<unsigned long long>(info.st_size);
    if (fileSizeHigh)
        *fileSizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size & 0xFFFFFFFF);
}

BOOL WINAPI CloseHandle(HANDLE object) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("CloseHandle", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    if (object == INVALID_HANDLE_VALUE) // the current-process pseudo handle: nothing to close
        return TRUE;
    if (object && object == ConsoleHandleValue())
        return TRUE;
    if (!FindFile(object))
        return Fail(ERROR_INVALID_HANDLE, FALSE); // searches end with FindClose
    RemoveObject(object);
    return TRUE;
}

BOOL WINAPI DeleteFileW(LPCWSTR fileName) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("DeleteFileW", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    ResolvedPath path;
    DWORD error = 0;
    if (!ResolvePath(fileName, &path, &error))
        return Fail(error, FALSE);
    struct stat info;
    if (lstat(path.linuxPath.c_str(), &info) != 0)
        return Fail(path.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND, FALSE);
    // A file link is deleted itself (never its target); a folder link is refused, as a folder.
    if (S_ISDIR(info.st_mode) || IsReadOnlyMode(info.st_mode) ||
        (S_ISLNK(info.st_mode) && (LinkAttributes(path.linuxPath) & FILE_ATTRIBUTE_DIRECTORY)))
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    for (const OpenFile* open : FilesOpenAt(path.linuxPath))
        if (!(open->share & FILE_SHARE_DELETE))
            return Fail(ERROR_SHARING_VIOLATION, FALSE);
    if (unlink(path.linuxPath.c_str()) != 0)
        return Fail(ErrorFromErrno(errno), FALSE);
    ForgetAttributes(path.linuxPath);
    return TRUE;
}
