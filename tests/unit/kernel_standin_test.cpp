// The kernel stand-in's behaviours that module code and other stand-ins rely on: path mapping,
// searches, links, the console, memory handles and module exports. Dispositions, sharing, seeks
// and read-only files, as Windows answers them, are platform conformance cases (tests/conformance).
#include "standin/clock.h"
#include "standin/faults.h"
#include "standin/kernel_control.h"
#include "standin/sandbox.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class KernelStandin : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::ResetPlatform();
        standin::ClearSandbox();
    }
    void TearDown() override { standin::ResetPlatform(); }
};

TEST_F(KernelStandin, PathsMapOntoTheSandboxLikeWindowsPaths) {
    ASSERT_TRUE(standin::WriteSandboxFile(L"C:\\Media\\Clip.AVI", "data"));
    std::string root = standin::SandboxRoot();
    EXPECT_EQ(standin::SandboxPath(L"c:/media/clip.avi"), root + "/c/Media/Clip.AVI");
    EXPECT_EQ(standin::SandboxPath(L"\\Media\\..\\..\\..\\Media\\.\\clip.avi"),
              root + "/c/Media/Clip.AVI"); // ".." stops at the drive's folder
    EXPECT_EQ(standin::SandboxPath(L"D:\\x"), root + "/d/x");

    const std::pair<std::u16string, DWORD> refused[] = {
        {u"", ERROR_PATH_NOT_FOUND},
        {u"C:\\" + std::u16string(260, u'a'), ERROR_FILENAME_EXCED_RANGE},
        {u"\\\\server\\share\\file", ERROR_BAD_PATHNAME},
        {u"C:\\bad|name", ERROR_INVALID_NAME},
    };
    for (const auto& path : refused) {
        SetLastError(0);
        EXPECT_EQ(GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.first.c_str())),
                  INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetLastError(), path.second);
    }
}

TEST_F(KernelStandin, DirectoriesAndSearchesBehaveLikeWindows) {
    EXPECT_TRUE(CreateDirectoryW(L"C:\\Dir", nullptr));
    EXPECT_FALSE(CreateDirectoryW(L"C:\\dir", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryW(L"C:\\No\\Dir", nullptr)); // one level only
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    ASSERT_TRUE(standin::WriteSandboxFile(L"C:\\Dir\\b.TXT", "12"));
    ASSERT_TRUE(standin::WriteSandboxFile(L"C:\\Dir\\A.bmp", ""));
    ASSERT_TRUE(CreateDirectoryW(L"C:\\Dir\\sub", nullptr));
    EXPECT_EQ(GetFileAttributesW(L"C:\\Dir\\"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(L"C:\\Dir\\*.*", &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::vector<std::string> names;
    std::vector<DWORD> attributes;
    do {
        names.push_back(Utf8(entry.cFileName));
        attributes.push_back(entry.dwFileAttributes);
    } while (FindNextFileW(search, &entry));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "A.bmp", "b.TXT", "sub"}));
    EXPECT_EQ(attributes[4], static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(attributes[3], static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

    search = FindFirstFileW(L"C:\\Dir\\*.txt", &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Utf8(entry.cFileName), "b.TXT");
    EXPECT_EQ(entry.nFileSizeLow, 2u);
    FindClose(search);
    EXPECT_EQ(FindFirstFileW(L"C:\\Dir\\*.png", &entry), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileW(L"C:\\Gone\\*.*", &entry), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    EXPECT_FALSE(RemoveDirectoryW(L"C:\\Dir"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(RemoveDirectoryW(L"C:\\Dir\\A.bmp"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_TRUE(RemoveDirectoryW(L"C:\\Dir\\sub\\"));
    EXPECT_EQ(standin::OpenKernelHandles(), 0);
}

// A symbolic link in the sandbox is a Windows link: reported as a reparse point, removed itself by
// RemoveDirectoryW (a folder link) or DeleteFileW (a file link), followed by paths through it.
TEST_F(KernelStandin, LinksAreReparsePointsRemovedAsLinks) {
    ASSERT_TRUE(standin::WriteSandboxFile(L"C:\\Docs\\letter.txt", "kept"));
    ASSERT_TRUE(standin::MakeSandboxLink(L"C:\\Dir\\folder", L"C:\\Docs"));
    ASSERT_TRUE(standin::MakeSandboxLink(L"C:\\Dir\\file", L"C:\\Docs\\letter.txt"));
    const DWORD folderLink = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
    const DWORD fileLink = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_EQ(GetFileAttributesW(L"C:\\Dir\\folder"), folderLink);
    EXPECT_EQ(GetFileAttributesW(L"C:\\Dir\\folder\\"), DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(GetFileAttributesW(L"C:\\Dir\\file"), fileLink);

    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(L"C:\\Dir\\f*", &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Utf8(entry.cFileName), "file");
    EXPECT_EQ(entry.dwFileAttributes, fileLink);
    EXPECT_EQ(entry.dwReserved0, DWORD(IO_REPARSE_TAG_SYMLINK));
    ASSERT_TRUE(FindNextFileW(search, &entry));
    EXPECT_EQ(entry.dwFileAttributes, folderLink);
    FindClose(search);
    search = FindFirstFileW(L"C:\\Dir\\folder\\*.txt", &entry); // through the link
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Utf8(entry.cFileName), "letter.txt");
    FindClose(search);

    EXPECT_FALSE(DeleteFileW(L"C:\\Dir\\folder"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(RemoveDirectoryW(L"C:\\Dir\\file"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
    EXPECT_TRUE(RemoveDirectoryW(L"C:\\Dir\\folder"));
    EXPECT_TRUE(DeleteFileW(L"C:\\Dir\\file"));
    EXPECT_TRUE(RemoveDirectoryW(L"C:\\Dir"));
    std::string kept;
    EXPECT_TRUE(standin::ReadSandboxFile(L"C:\\Docs\\letter.txt", &kept));
    EXPECT_EQ(kept, "kept");
}

TEST_F(KernelStandin, ConsoleCountsCharactersAndNeedsAllocating) {
    DWORD written = 9;
    EXPECT_EQ(GetStdHandle(STD_OUTPUT_HANDLE), nullptr);
    EXPECT_FALSE(WriteConsoleW(nullptr, L"x", 1, &written, nullptr));
    ASSERT_TRUE(AllocConsole());
    EXPECT_FALSE(AllocConsole()); // one console per process
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    EXPECT_TRUE(WriteConsoleW(output, L"h\u00e9llo", 5, &written, nullptr));
    EXPECT_EQ(written, 5u);
    EXPECT_EQ(standin::ConsoleOutput(), u"h\u00e9llo");
}

TEST_F(KernelStandin, GlobalMemoryHandlesLockAndFree) {
    int live = standin::LiveGlobalBlocks();
    HGLOBAL moveable = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
    ASSERT_NE(moveable, nullptr);
    EXPECT_EQ(GlobalSize(moveable), 16u);
    BYTE* data = static_cast<BYTE*>(GlobalLock(moveable));
    ASSERT_NE(data, nullptr);
    EXPECT_NE(static_cast<void*>(data), moveable);
    EXPECT_EQ(data[15], 0);
    EXPECT_EQ(GlobalLock(moveable), data);
    EXPECT_EQ(standin::GlobalLockCount(moveable), 2);
    EXPECT_TRUE(GlobalUnlock(moveable)); // still locked once
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
    EXPECT_EQ(GlobalFree(moveable), nullptr);
    EXPECT_EQ(GlobalFree(moveable), moveable); // already freed
    EXPECT_EQ(standin::LiveGlobalBlocks(), live);

    standin::InjectFault("GlobalAlloc", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(GlobalAlloc(GMEM_FIXED, 4), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

INT_PTR WINAPI AnswerSeven() {
    return 7;
}

TEST_F(KernelStandin, ModulesServeRegisteredExportsByOrdinalOrName) {
    FARPROC seven = reinterpret_cast<FARPROC>(&AnswerSeven);
    EXPECT_EQ(LoadLibraryW(L"HOSTRT.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    standin::RegisterModuleExport(L"HOSTRT.dll", 1110, seven);
    standin::RegisterModuleExport(L"HOSTRT.dll", "Named", seven);
    HMODULE module = LoadLibraryW(L"C:\\Host\\hostrt");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"HostRT.DLL"), module);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(1110)), seven);
    EXPECT_EQ(GetProcAddress(module, "Named"), seven);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(172)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(standin::ModuleLoadCount(L"HOSTRT.dll"), 1);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(standin::ModuleLoadCount(L"HOSTRT.dll"), 0);

    standin::ResetPlatform(); // the module is gone, its handle stays the same when it returns
    EXPECT_EQ(GetModuleHandleW(L"HOSTRT.dll"), nullptr);
    EXPECT_EQ(standin::RegisterModule(L"HOSTRT.dll"), module);
}

TEST_F(KernelStandin, SleepAdvancesTheManualClockAndExitIsRecorded) {
    standin::UseManualClock(1000);
    EXPECT_EQ(GetTickCount(), 1000u);
    Sleep(250);
    EXPECT_EQ(GetTickCount(), 1250u);
    standin::UseRealClock();

    ExitProcess(3);
    ExitProcess(4); // the first exit is the one that counts
    EXPECT_TRUE(standin::ProcessExitRequested());
    EXPECT_EQ(standin::ProcessExitCode(), 3u);
}

} // namespace
