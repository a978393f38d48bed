// The module's event log: line format, file handling, console, deletion of the log folder, and the
// bounded formatter, through the real EventLog on the kernel stand-in.
#include "diag/event_log.h"
#include "host/hostrt.h"
#include "host_runtime.h"
#include "standin/kernel_control.h"
#include "standin/sandbox.h"
#include "support/log_capture.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using Lines = std::vector<std::string>;

std::string Utf16Le(const std::string& ascii) {
    std::string bytes;
    for (char c : ascii) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

class EventLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartFreshModuleLog();
        standin::SetLocalTime(2012, 3, 7, 14, 5, 9);
    }
    void TearDown() override { EndModuleLog(); }
};

TEST_F(EventLogTest, LineIsPrefixedWithMonthDayYearTimeAndEndsWithCrLf) {
    LogEvent(ModuleLog(), L"Window Created! hWnd = 0x%x", 0x1a2bu);
    standin::SetLocalTime(2013, 1, 2, 3, 4, 5);
    LogEvent(ModuleLog(), L"%s at %d%%", L"Playing", 50);
    // UTF-16LE without a byte-order mark.
    EXPECT_EQ(LogFileBytes(), Utf16Le("(03/07/2012 14:05:09): Window Created! hWnd = 0x1a2b\r\n"
                                      "(01/02/2013 03:04:05): Playing at 50%\r\n"));
}

TEST_F(EventLogTest, BothSwitchesOffFormatsNothingAndTouchesNoFile) {
    ModuleLog()->SetFileLogging(false);
    int opensBefore = standin::CallCount("CreateFileW");
    // An argument that would crash the formatter proves nothing is formatted.
    LogEvent(ModuleLog(), L"%s", reinterpret_cast<LPCWSTR>(1));
    LogEvent(nullptr, L"%s", reinterpret_cast<LPCWSTR>(1)); // no log at all
    EXPECT_EQ(standin::CallCount("CreateFileW"), opensBefore);
    EXPECT_FALSE(standin::ConsoleAllocated());
    EXPECT_EQ(LogFileBytes(), "");
}

TEST_F(EventLogTest, FileIsClosedBetweenLinesSoOthersCanReadIt) {
    LogEvent(ModuleLog(), L"one");
    EXPECT_EQ(standin::OpenKernelHandles(), 0);
    HANDLE reader =
        CreateFileW(kModuleLogPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
}

TEST_F(EventLogTest, ExistingLogIsKeptAndAppendedToWhenTheHostSaysItExists) {
    LogEvent(ModuleLog(), L"first session");
    CloseModuleLog();
    hoststandin::InstallHostRuntime();
    ForgetHostRuntime();
    OpenModuleLog();
    LogEvent(ModuleLog(), L"second session");
    EXPECT_EQ(LogLines(), (Lines{"first session", "second session"}));
    EXPECT_EQ(hoststandin::FileExistsCalls(), 1);
}

TEST_F(EventLogTest, ExistingLogIsEmptiedWhenTheHostSaysItDoesNotExist) {
    LogEvent(ModuleLog(), L"first session");
    CloseModuleLog();
    hoststandin::InstallHostRuntime();
    hoststandin::ScriptFileExistsAnswer(0);
    ForgetHostRuntime();
    OpenModuleLog();
    LogEvent(ModuleLog(), L"second session");
    EXPECT_EQ(LogLines(), (Lines{"second session"}));
}

TEST_F(EventLogTest, WithoutKeepExistingTheFileStartsEmpty) {
    LogEvent(ModuleLog(), L"old");
    EventLog fresh(kModuleLogPath, false, true, false);
    fresh.WriteLine(L"new");
    EXPECT_EQ(LogLines(), (Lines{"new"}));
}

TEST_F(EventLogTest, OverlongLinesAreCutAfter1024CharactersAndLoseTheirCrLf) {
    // Prefix (23) + message + CR LF: a 999-character message fills exactly 1024 characters and
    // keeps its CR LF; one more character pushes the LF out; a long message loses both.
    const std::string prefix = "(03/07/2012 14:05:09): ";
    std::u16string exact(999, u'a');
    std::u16string oneOver(1000, u'c');
    std::u16string longer(1500, u'b');
    ModuleLog()->SetConsoleLogging(true);
    LogEvent(ModuleLog(), L"opens the console");
    LogEvent(ModuleLog(), L"%s", reinterpret_cast<LPCWSTR>(exact.c_str()));
    LogEvent(ModuleLog(), L"%s", reinterpret_cast<LPCWSTR>(oneOver.c_str()));
    LogEvent(ModuleLog(), L"%s", reinterpret_cast<LPCWSTR>(longer.c_str()));
    LogEvent(ModuleLog(), L"after");
    std::string cut = prefix + std::string(999, 'a') + "\r\n" + prefix + std::string(1000, 'c') +
                      "\r" + prefix + std::string(1001, 'b') + prefix + "after\r\n";
    EXPECT_EQ(LogFileBytes(), Utf16Le(prefix + "opens the console\r\n" + cut));
    EXPECT_EQ(Utf8(reinterpret_cast<LPCWSTR>(standin::ConsoleOutput().c_str())), cut);
}

TEST_F(EventLogTest, ConsoleOpensOnTheNextLineWhichGoesToTheFileOnly) {
    ModuleLog()->SetConsoleLogging(true);
    EXPECT_FALSE(standin::ConsoleAllocated()); // the setter only stores the switch
    LogEvent(ModuleLog(), L"====================== SESSION START ========================");
    EXPECT_TRUE(standin::ConsoleAllocated());
    EXPECT_EQ(Utf8(reinterpret_cast<LPCWSTR>(standin::ConsoleTitle().c_str())),
              "Debug Quillnet Window");
    EXPECT_EQ(standin::ConsoleBufferSize().X, 80);
    EXPECT_EQ(standin::ConsoleBufferSize().Y, 25);
    EXPECT_EQ(standin::ConsoleOutput(), u"");
    LogEvent(ModuleLog(), L"next");
    EXPECT_EQ(standin::ConsoleOutput(), u"(03/07/2012 14:05:09): next\r\n");
    EXPECT_EQ(LogLines(),
              (Lines{"====================== SESSION START ========================", "next"}));
}

TEST_F(EventLogTest, ConsoleStaysOpenAfterTheLogCloses) {
    EventLog withConsole(kModuleLogPath, true, false, true);
    EXPECT_TRUE(standin::ConsoleAllocated());
    withConsole.WriteLine(L"to console");
    withConsole.CloseLog();
    EXPECT_EQ(withConsole.ConsoleHandle(), nullptr);
    EXPECT_TRUE(standin::ConsoleAllocated());
    EXPECT_EQ(standin::ConsoleOutput(), u"(03/07/2012 14:05:09): to console\r\n");
}

TEST_F(EventLogTest, LogFolderThatCannotBeCreatedSilencesTheFileWithoutRetrying) {
    CloseModuleLog();
    standin::ClearSandbox();
    ASSERT_TRUE(standin::WriteSandboxFile(L"C:\\Cinevane", "a file where the folder should be"));
    OpenModuleLog();
    ModuleLog()->SetConsoleLogging(true);
    int opensBefore = standin::CallCount("CreateFileW");
    LogEvent(ModuleLog(), L"one"); // fails to open, opens the console
    LogEvent(ModuleLog(), L"two"); // no new attempt; the console still works
    LogEvent(ModuleLog(), L"three");
    EXPECT_EQ(standin::CallCount("CreateFileW"), opensBefore + 1);
    EXPECT_EQ(ModuleLog()->FileHandle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(standin::ConsoleOutput(),
              u"(03/07/2012 14:05:09): two\r\n(03/07/2012 14:05:09): three\r\n");
}

TEST_F(EventLogTest, LogFileInUseByAnotherProgramIsNotRetried) {
    HANDLE other = CreateFileW(kModuleLogPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    LogEvent(ModuleLog(), L"blocked");
    CloseHandle(other);
    LogEvent(ModuleLog(), L"still not written");
    EXPECT_EQ(LogLines(), Lines{});
}

TEST_F(EventLogTest, FailedWriteKeepsTheHandleForTheNextLine) {
    standin::InjectFault("WriteFile", ERROR_DISK_FULL);
    LogEvent(ModuleLog(), L"lost");
    EXPECT_NE(ModuleLog()->FileHandle(), nullptr);
    int opensBefore = standin::CallCount("CreateFileW");
    LogEvent(ModuleLog(), L"written");
    EXPECT_EQ(standin::CallCount("CreateFileW"), opensBefore);
    EXPECT_EQ(ModuleLog()->FileHandle(), nullptr);
    EXPECT_EQ(LogLines(), Lines{"written"});
}

TEST_F(EventLogTest, CloseLogReleasesAHandleLeftOpenByAFailedWrite) {
    standin::InjectFault("WriteFile", ERROR_DISK_FULL);
    LogEvent(ModuleLog(), L"lost");
    EXPECT_EQ(standin::OpenKernelHandles(), 1);
    CloseModuleLog();
    EXPECT_EQ(standin::OpenKernelHandles(), 0);
}

// ---- Deleting the log folder ----

class DeleteLogTest : public EventLogTest {
  protected:
    void Put(LPCWSTR path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        ASSERT_TRUE(standin::WriteSandboxFile(path, "x"));
        ASSERT_TRUE(SetFileAttributesW(path, attributes));
    }
};

TEST_F(DeleteLogTest, RemovesTheWholeFolderWithReadOnlyFilesAndSubfolders) {
    LogEvent(ModuleLog(), L"line");
    Put(L"C:\\Cinevane\\locked.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Put(L"C:\\Cinevane\\Grabs\\a.bmp", FILE_ATTRIBUTE_READONLY);
    Put(L"C:\\Cinevane\\Grabs\\Deeper\\b.png");
    ModuleLog()->SetDeleteOnClose(true);
    CloseModuleLog();
    EXPECT_FALSE(standin::SandboxDirectoryExists(L"C:\\Cinevane"));
    EXPECT_TRUE(standin::SandboxDirectoryExists(L"C:\\"));
}

TEST_F(DeleteLogTest, NamesStartingWithAFullStopAreLeftAndSoIsTheFolder) {
    Put(L"C:\\Cinevane\\.keep");
    Put(L"C:\\Cinevane\\other.txt");
    EXPECT_EQ(EventLog::DeleteTree(L"C:\\Cinevane"), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_TRUE(standin::SandboxFileExists(L"C:\\Cinevane\\.keep"));
    EXPECT_FALSE(standin::SandboxFileExists(L"C:\\Cinevane\\other.txt"));
    EXPECT_FALSE(standin::SandboxFileExists(kModuleLogPath));
}

TEST_F(DeleteLogTest, StopsAtTheFirstFileItCannotDeleteAndEndsItsSearch) {
    Put(L"C:\\Cinevane\\b.txt");
    HANDLE busy = CreateFileW(L"C:\\Cinevane\\a.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    EXPECT_EQ(EventLog::DeleteTree(L"C:\\Cinevane\\"), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(standin::SandboxFileExists(L"C:\\Cinevane\\b.txt")); // after a.txt: not reached
    EXPECT_EQ(standin::OpenKernelHandles(), 1);                      // only the busy file
    CloseHandle(busy);
}

TEST_F(DeleteLogTest, RefusesAnEmptyPathAndIgnoresAMissingFolder) {
    Put(L"C:\\precious.txt");
    EXPECT_EQ(EventLog::DeleteTree(L""), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(EventLog::DeleteTree(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(EventLog::DeleteTree(L"C:\\Missing"), 0u);
    EXPECT_TRUE(standin::SandboxFileExists(L"C:\\precious.txt"));
}

TEST_F(DeleteLogTest, AnEntryWhosePathWouldExceedMaxPathIsRefused) {
    std::u16string deep = u"C:\\Cinevane\\" + std::u16string(240, u'd'); // 252 characters
    LPCWSTR folder = reinterpret_cast<LPCWSTR>(deep.c_str());
    ASSERT_TRUE(CreateDirectoryW(folder, nullptr));
    // Put the file there from the Linux side: its Windows path would be 279 characters.
    std::FILE* file =
        std::fopen((standin::SandboxPath(folder) + "/too-long-a-name.txt").c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(EventLog::DeleteTree(folder), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_TRUE(standin::SandboxDirectoryExists(folder));
    EXPECT_EQ(standin::OpenKernelHandles(), 0);
}

// A link in the log folder (a junction or symbolic link to, say, the user's documents) goes as a
// link: nothing behind it is deleted, and a read-only file there stays read-only.
TEST_F(DeleteLogTest, LinksAreRemovedAsLinksAndWhatTheyPointAtIsKept) {
    LogEvent(ModuleLog(), L"line");
    Put(L"C:\\Users\\Docs\\letter.txt", FILE_ATTRIBUTE_READONLY);
    Put(L"C:\\Users\\Docs\\Sub\\b.txt");
    Put(L"C:\\Users\\notes.txt");
    ASSERT_TRUE(standin::MakeSandboxLink(L"C:\\Cinevane\\old", L"C:\\Users\\Docs"));
    ASSERT_TRUE(standin::MakeSandboxLink(L"C:\\Cinevane\\notes.txt", L"C:\\Users\\notes.txt"));
    ASSERT_TRUE(standin::MakeSandboxLink(L"C:\\Cinevane\\Grabs\\gone", L"C:\\Users\\Missing"));
    ModuleLog()->SetDeleteOnClose(true);
    CloseModuleLog();
    EXPECT_EQ(GetFileAttributesW(L"C:\\Cinevane"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(standin::SandboxFileExists(L"C:\\Users\\Docs\\letter.txt"));
    EXPECT_TRUE(standin::SandboxFileExists(L"C:\\Users\\Docs\\Sub\\b.txt"));
    EXPECT_TRUE(standin::SandboxFileExists(L"C:\\Users\\notes.txt"));
    EXPECT_EQ(GetFileAttributesW(L"C:\\Users\\Docs\\letter.txt") & FILE_ATTRIBUTE_READONLY,
              FILE_ATTRIBUTE_READONLY);
}

// A log folder that is itself a link loses the log file and the link, nothing else.
TEST_F(DeleteLogTest, LogFolderThatIsALinkLosesOnlyTheLogFileAndTheLink) {
    CloseModuleLog();
    standin::ClearSandbox();
    Put(L"C:\\Users\\Docs\\letter.txt");
    ASSERT_TRUE(standin::MakeSandboxLink(L"C:\\Cinevane", L"C:\\Users\\Docs"));
    OpenModuleLog();
    LogEvent(ModuleLog(), L"line");
    ASSERT_TRUE(standin::SandboxFileExists(L"C:\\Users\\Docs\\EventLog.txt"));
    ModuleLog()->SetDeleteOnClose(true);
    CloseModuleLog();
    EXPECT_EQ(GetFileAttributesW(L"C:\\Cinevane"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(standin::SandboxFileExists(L"C:\\Users\\Docs\\EventLog.txt"));
    EXPECT_TRUE(standin::SandboxFileExists(L"C:\\Users\\Docs\\letter.txt"));
    EXPECT_EQ(EventLog::DeleteTree(L"C:\\Cinevane"), 0u); // gone: nothing to do
}

// ---- Bounded formatting ----

TEST(FormatBounded, FollowsTheBoundedPrintfContract) {
    WCHAR buffer[8] = {L'q', L'q', 0};
    EXPECT_EQ(FormatBounded(buffer, 0, L"%d", 5), E_INVALIDARG);
    EXPECT_EQ(Utf8(buffer), "qq"); // untouched
    EXPECT_EQ(FormatBounded(buffer, 0x80000000u, L"%d", 5), E_INVALIDARG);
    EXPECT_EQ(FormatBounded(nullptr, 8, L"%d", 5), E_INVALIDARG);

    EXPECT_EQ(FormatBounded(buffer, 5, L"%d", 123456), static_cast<HRESULT>(0x8007007A));
    EXPECT_EQ(Utf8(buffer), "1234");
    EXPECT_EQ(FormatBounded(buffer, 7, L"%d", 123456), S_OK); // exactly capacity - 1
    EXPECT_EQ(Utf8(buffer), "123456");
    EXPECT_EQ(FormatBounded(buffer, 1, L"x"), static_cast<HRESULT>(0x8007007A));
    EXPECT_EQ(Utf8(buffer), "");
}

} // namespace
