// Initialize and Free on real Windows behaviour (Wine): COM, the "VidPlayer" class, and the event
// log written as UTF-16LE lines and removed with its folder when "Delete Log" is on.
#include "wine/wine_check.h"

#include "diag/event_log.h"
#include "host/lifecycle_exports.h"
#include "host/module_state.h"

#include <cstring>
#include <string>

namespace {

std::string ReadFileBytes(LPCWSTR path) {
    std::string bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

} // namespace

int main() {
    const WCHAR logPath[] = L"C:\\Cinevane\\EventLog.txt";
    DeleteFileW(logPath);
    DllMain(GetModuleHandleW(nullptr), DLL_PROCESS_ATTACH, nullptr);

    EditHostRecord host;
    std::memset(&host, 0, sizeof host);
    CHECK_EQ(Initialize(&host, 1), 0);
    CHECK_EQ(ModuleState(), 3l);
    WNDCLASSEXW videoClass;
    std::memset(&videoClass, 0, sizeof videoClass);
    videoClass.cbSize = sizeof videoClass;
    CHECK(GetClassInfoExW(ModuleInstance(), L"VidPlayer", &videoClass));
    CHECK_EQ(videoClass.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    CHECK(videoClass.hbrBackground == static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    LogEvent(ModuleLog(), L"Window Created! hWnd = 0x%x", 0xbeefu);
    std::string bytes = ReadFileBytes(logPath);
    const WCHAR expectedEnd[] = L"Window Created! hWnd = 0xbeef\r\n";
    std::string end(reinterpret_cast<const char*>(expectedEnd), sizeof expectedEnd - sizeof(WCHAR));
    CHECK(bytes.size() == 23 * 2 + end.size());
    CHECK(bytes.size() >= end.size() &&
          bytes.compare(bytes.size() - end.size(), end.size(), end) == 0);
    CHECK(bytes.size() > 2 && bytes[0] == '(' && bytes[1] == '\0'); // no byte-order mark

    ModuleLog()->SetDeleteOnClose(true);
    CHECK_EQ(Free(&host), 0);
    CHECK_EQ(ModuleState(), 0l);
    CHECK(ModuleLog() == nullptr);
    CHECK(!GetClassInfoExW(ModuleInstance(), L"VidPlayer", &videoClass));
    CHECK_EQ(GetFileAttributesW(logPath), INVALID_FILE_ATTRIBUTES);
    CHECK_EQ(GetFileAttributesW(L"C:\\Cinevane"), INVALID_FILE_ATTRIBUTES);
    return WineCheckSummary();
}
