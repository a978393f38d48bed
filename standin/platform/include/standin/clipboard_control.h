// Test inspection of the stand-in clipboard (see standin/clipboard.h). Module code never
// includes it. Reset by standin::ResetPlatform(): closed, emptied, its memory freed.
#pragma once

#include "standin/clipboard.h"

#include <string>

namespace standin {

bool ClipboardOpen();
// The handle held for `format` (null when none), read without opening the clipboard.
HANDLE PeekClipboardData(UINT format);
// The bytes of the global-memory block held for `format`; false when there is none.
bool ClipboardBytes(UINT format, std::string* bytes);
// Successful EmptyClipboard calls since the reset.
int ClipboardEmptyCount();

} // namespace standin
