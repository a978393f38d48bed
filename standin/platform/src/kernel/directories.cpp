// Directories, attributes and FindFirstFileW/FindNextFileW/FindClose.
// A search lists ".", ".." (except at a drive's root) and then the entries sorted by name without
// regard to case; it ends with ERROR_NO_MORE_FILES (18).
// A symbolic link in the sandbox is a Windows link: searches and GetFileAttributesW report it
// with FILE_ATTRIBUTE_REPARSE_POINT (and FILE_ATTRIBUTE_DIRECTORY when it leads to a folder),
// RemoveDirectoryW removes a folder link itself, and a path through it reaches its target.
#include "kernel_internal.h"

#include "standin/sandbox.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace standin {
namespace kernel {

bool IsLink(const std::string& linuxPath) {
    struct stat info;
    return lstat(linuxPath.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

DWORD LinkAttributes(const std::string& linuxPath) {
    struct stat target;
    const bool folder = stat(linuxPath.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    return FILE_ATTRIBUTE_REPARSE_POINT |
           (folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE);
}

namespace {

bool IsSeparator(WCHAR unit) {
    return unit == L'\\' || unit == L'/';
}

char16_t FoldCase(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 32) : unit;
}

// Windows wildcard match ('*' any run, '?' one unit), ignoring ASCII case. "*.*" matches every
// name, also names without a dot.
bool Matches(const std::u16string& pattern, const std::u16string& name) {
    if (pattern == u"*.*" || pattern == u"*")
        return true;
    size_t p = 0, n = 0, starP = std::u16string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == u'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

void UnixTimeToFileTime(time_t seconds, FILETIME* fileTime) {
    unsigned long long ticks =
        (static_cast<unsigned long long>(seconds) + 11644473600ULL) * 10000000ULL;
    fileTime->dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    fileTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
}

WIN32_FIND_DATAW EntryData(const std::string& linuxPath, const std::u16string& name) {
    WIN32_FIND_DATAW data;
    std::memset(&data, 0, sizeof data);
    struct stat info;
    if (IsLink(linuxPath)) {
        data.dwFileAttributes = LinkAttributes(linuxPath);
        data.dwReserved0 = IO_REPARSE_TAG_SYMLINK;
    } else if (stat(linuxPath.c_str(), &info) == 0) {
        bool isDirectory = S_ISDIR(info.st_mode);
        data.dwFileAttributes = AttributesOf(linuxPath, isDirectory, info.st_mode);
        if (!isDirectory) {
            unsigned long long size = static_cast<unsigned long long>(info.st_size);
            data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
            data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
        }
        UnixTimeToFileTime(info.st_mtime, &data.ftCreationTime);
        UnixTimeToFileTime(info.st_atime, &data.ftLastAccessTime);
        UnixTimeToFileTime(info.st_mtime, &data.ftLastWriteTime);
    }
    size_t units = std::min<size_t>(name.size(), MAX_PATH - 1);
    for (size_t i = 0; i < units; ++i)
        data.cFileName[i] = static_cast<WCHAR>(name[i]);
    return data;
}

bool StatPath(LPCWSTR name, ResolvedPath* path, struct stat* info, DWORD* error) {
    if (!ResolvePath(name, path, error))
        return false;
    if (stat(path->linuxPath.c_str(), info) != 0) {
        *error = path->parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        return false;
    }
    if (path->trailingSeparator && !S_ISDIR(info->st_mode)) {
        *error = ERROR_INVALID_NAME;
        return false;
    }
    return true;
}

} // namespace
} // namespace kernel
} // namespace standin

using namespace standin::kernel;

BOOL WINAPI CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("CreateDirectoryW", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    ResolvedPath path;
    DWORD error = 0;
    if (!ResolvePath(pathName, &path, &error))
        return Fail(error, FALSE);
    struct stat info;
    if (path.driveRoot || lstat(path.linuxPath.c_str(), &info) == 0)
        return Fail(ERROR_ALREADY_EXISTS, FALSE);
    if (!path.parentExists)
        return Fail(ERROR_PATH_NOT_FOUND, FALSE);
    if (mkdir(path.linuxPath.c_str(), 0777) != 0)
        return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED, FALSE);
    ForgetAttributes(path.linuxPath);
    return TRUE;
}

BOOL WINAPI RemoveDirectoryW(LPCWSTR pathName) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("RemoveDirectoryW", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    ResolvedPath path;
    struct stat info;
    DWORD error = 0;
    if (!ResolvePath(pathName, &path, &error))
        return Fail(error, FALSE);
    if (lstat(path.linuxPath.c_str(), &info) != 0)
        return Fail(path.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND, FALSE);
    if (S_ISLNK(info.st_mode)) { // a folder link goes, its target stays
        if (!(LinkAttributes(path.linuxPath) & FILE_ATTRIBUTE_DIRECTORY))
            return Fail(ERROR_DIRECTORY, FALSE);
        if (unlink(path.linuxPath.c_str()) != 0)
            return Fail(ERROR_ACCESS_DENIED, FALSE);
        ForgetAttributes(path.linuxPath);
        return TRUE;
    }
    if (!S_ISDIR(info.st_mode))
        return Fail(ERROR_DIRECTORY, FALSE);
    if (path.driveRoot || IsReadOnlyMode(info.st_mode))
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (rmdir(path.linuxPath.c_str()) != 0)
        return Fail(errno == ENOTEMPTY || errno == EEXIST ? ERROR_DIR_NOT_EMPTY
                                                          : ERROR_ACCESS_DENIED,
                    FALSE);
    ForgetAttributes(path.linuxPath);
    return TRUE;
}

DWORD WINAPI GetFileAttributesW(LPCWSTR fileName) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("GetFileAttributesW", &code))
        return Fail(static_cast<DWORD>(code), INVALID_FILE_ATTRIBUTES);
    ResolvedPath path;
    DWORD error = 0;
    if (!ResolvePath(fileName, &path, &error))
        return Fail(error, INVALID_FILE_ATTRIBUTES);
    // The link itself is asked about, unless a closing '\' names the folder it leads to.
    if (!path.trailingSeparator && IsLink(path.linuxPath))
        return LinkAttributes(path.linuxPath);
    struct stat info;
    if (!StatPath(fileName, &path, &info, &error))
        return Fail(error, INVALID_FILE_ATTRIBUTES);
    return AttributesOf(path.linuxPath, S_ISDIR(info.st_mode), info.st_mode);
}

BOOL WINAPI SetFileAttributesW(LPCWSTR fileName, DWORD attributes) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("SetFileAttributesW", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    ResolvedPath path;
    struct stat info;
    DWORD error = 0;
    if (!StatPath(fileName, &path, &info, &error))
        return Fail(error, FALSE);
    unsigned mode = info.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~0222u) : (mode | S_IWUSR);
    if (chmod(path.linuxPath.c_str(), mode) != 0)
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    StoreExtraAttributes(path.linuxPath, attributes);
    return TRUE;
}

HANDLE WINAPI FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW findData) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("FindFirstFileW", &code))
        return Fail(static_cast<DWORD>(code), INVALID_HANDLE_VALUE);
    if (!pattern || !findData)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    size_t length = 0;
    while (length <= MAX_PATH && pattern[length])
        ++length;
    if (length == 0)
        return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    if (length >= MAX_PATH)
        return Fail(ERROR_FILENAME_EXCED_RANGE, INVALID_HANDLE_VALUE);

    // Split "folder\namePattern"; a bare pattern searches the current folder (C:\).
    size_t split = length;
    while (split > 0 && !IsSeparator(pattern[split - 1]) && pattern[split - 1] != L':')
        --split;
    std::u16string namePattern(reinterpret_cast<const char16_t*>(pattern + split), length - split);
    if (namePattern.empty())
        return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    ResolvedPath folder;
    DWORD error = 0;
    bool resolved = split == 0 ? ResolvePath(L"C:\\", &folder, &error)
                               : ResolvePathUnits(pattern, split, &folder, &error);
    if (!resolved)
        return Fail(error, INVALID_HANDLE_VALUE);
    struct stat info;
    if (stat(folder.linuxPath.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);

    std::vector<std::pair<std::u16string, std::string>> names; // Windows name, Linux name
    if (DIR* listing = opendir(folder.linuxPath.c_str())) {
        while (dirent* entry = readdir(listing)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.emplace_back(FromUtf8(name), name);
        }
        closedir(listing);
    }
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
        std::u16string x = a.first, y = b.first;
        for (auto& unit : x)
            unit = FoldCase(unit);
        for (auto& unit : y)
            unit = FoldCase(unit);
        return x != y ? x < y : a.first < b.first;
    });
    if (!folder.driveRoot) {
        names.insert(names.begin(), {u"..", ".."});
        names.insert(names.begin(), {u".", "."});
    }
    Search search;
    for (const auto& name : names)
        if (Matches(namePattern, name.first))
            search.entries.push_back(EntryData(folder.linuxPath + "/" + name.second, name.first));
    if (search.entries.empty())
        return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    *findData = search.entries[0];
    search.next = 1;
    SetLastError(ERROR_SUCCESS);
    return AddSearch(search);
}

BOOL WINAPI FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW findData) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("FindNextFileW", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    Search* search = FindSearch(find);
    if (!search || !findData)
        return Fail(search ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE, FALSE);
    if (search->next >= search->entries.size())
        return Fail(ERROR_NO_MORE_FILES, FALSE);
    *findData = search->entries[search->next++];
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE find) {
    EnsureRegistered();
    if (!FindSearch(find))
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    RemoveObject(find);
    return TRUE;
}

// Windows keeps its temporary folder in place, so the sandbox's is made whenever it is asked for.
DWORD WINAPI GetTempPathW(DWORD bufferLength, LPWSTR buffer) {
    EnsureRegistered();
    static const WCHAR kTemporary[] = L"C:\\Temp\\";
    const DWORD length = static_cast<DWORD>(sizeof kTemporary / sizeof kTemporary[0]) - 1;
    const std::string drive = standin::SandboxRoot() + "/c";
    mkdir(drive.c_str(), 0777);
    mkdir((drive + "/Temp").c_str(), 0777);
    if (!buffer || bufferLength <= length)
        return length + 1; // the units it needs, its terminator included
    for (DWORD i = 0; i <= length; ++i)
        buffer[i] = kTemporary[i];
    return length;
}
