// Whether a path names an existing file (not a folder).
#pragma once

#include <windows.h>

// True when the path's attributes can be read and it is not a directory; false for a null or
// empty path, a directory, or any failure to read the attributes.
bool FileExists(LPCWSTR path);
