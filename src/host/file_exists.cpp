#include "host/file_exists.h"

bool FileExists(LPCWSTR path) {
    if (!path || !path[0])
        return false;
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
