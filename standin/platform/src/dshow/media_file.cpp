// Reading a media file for RenderFile: the path is mapped into the sandbox like every stand-in
// file (without going through the counted, fault-injectable file calls), the bytes are read (at
// most kMaxBytes; a longer file keeps its headers and loses real pixels beyond that point) and
// parsed.
#include "media_file.h"

#include "standin/sandbox.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace standin {
namespace dshow {
namespace {

const size_t kMaxBytes = 64u << 20;

bool ParentExists(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return true;
    struct stat info;
    return stat(slash == 0 ? "/" : path.substr(0, slash).c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode);
}

} // namespace

HRESULT LoadMediaFile(LPCWSTR path, MediaInfo* info) {
    *info = MediaInfo();
    if (!path)
        return E_POINTER;
    if (!path[0])
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    std::string host;
    DWORD error = ERROR_PATH_NOT_FOUND;
    if (!SandboxPath(path, &host, &error))
        return HRESULT_FROM_WIN32(error);
    struct stat status;
    if (stat(host.c_str(), &status) != 0) {
        if (errno == ENOENT && ParentExists(host))
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        if (errno == EACCES)
            return E_ACCESSDENIED;
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    }
    if (S_ISDIR(status.st_mode))
        return E_ACCESSDENIED;
    FILE* file = std::fopen(host.c_str(), "rb");
    if (!file)
        return errno == EACCES ? E_ACCESSDENIED : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    std::vector<uint8_t> bytes;
    uint8_t block[65536];
    size_t got;
    while (bytes.size() < kMaxBytes && (got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    std::fclose(file);
    if (bytes.size() > kMaxBytes)
        bytes.resize(kMaxBytes);
    return ParseMedia(std::move(bytes), info);
}

} // namespace dshow
} // namespace standin
