// Loading, Initialize/Free, the host-version test, the information queries and the binding of
// the host run-time's services, through the module's entry points on the stand-ins.
#include "diag/event_log.h"
#include "edit_host.h"
#include "host/file_exists.h"
#include "host/host_version.h"
#include "host/hostrt.h"
#include "host/lifecycle_exports.h"
#include "host/module_state.h"
#include "host/routine_tables.h"
#include "host_runtime.h"
#include "standin/inspect_user.h"
#include "standin/kernel_control.h"
#include "standin/sandbox.h"
#include "support/module_setup.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class ModuleTest : public ::testing::Test {
  protected:
    void SetUp() override { instance = StartFreshModule(); }
    void TearDown() override { FreeModuleCompletely(); }

    bool VideoClassRegistered(WNDCLASSEXW* found = nullptr) {
        WNDCLASSEXW info;
        std::memset(&info, 0, sizeof info);
        info.cbSize = sizeof info;
        bool registered = GetClassInfoExW(instance, L"VidPlayer", &info) != 0;
        if (found)
            *found = info;
        return registered;
    }

    HINSTANCE instance = nullptr;
    hoststandin::EditHost host;
};

// ---- Process attach ----

TEST_F(ModuleTest, ProcessAttachKeepsTheInstanceAndEveryNotificationSucceeds) {
    EXPECT_EQ(ModuleInstance(), instance);
    HINSTANCE other = reinterpret_cast<HINSTANCE>(0x7000);
    for (DWORD reason : {DLL_PROCESS_DETACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH})
        EXPECT_EQ(DllMain(other, reason, nullptr), TRUE);
    EXPECT_EQ(ModuleInstance(), instance);
}

// ---- Initialize ----

TEST_F(ModuleTest, InitializeSetsUpComTheVideoClassAndTheLog) {
    EXPECT_EQ(Initialize(host.Record(), 1), 0);
    EXPECT_EQ(ModuleState(), 3);
    EXPECT_EQ(standin::Com().initializeCalls, 1);
    EXPECT_EQ(standin::Com().apartmentCount, 1);

    WNDCLASSEXW videoClass;
    ASSERT_TRUE(VideoClassRegistered(&videoClass));
    EXPECT_EQ(videoClass.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(videoClass.lpfnWndProc, &DefWindowProcW);
    EXPECT_EQ(videoClass.cbClsExtra, 0);
    EXPECT_EQ(videoClass.cbWndExtra, 0);
    EXPECT_EQ(videoClass.hInstance, instance);
    EXPECT_EQ(videoClass.hIcon, nullptr);
    EXPECT_EQ(videoClass.hIconSm, nullptr);
    EXPECT_EQ(videoClass.lpszMenuName, nullptr);
    EXPECT_EQ(videoClass.hCursor, standin::StandardCursor(IDC_ARROW));
    EXPECT_EQ(videoClass.hbrBackground, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    ASSERT_NE(ModuleLog(), nullptr);
    EXPECT_TRUE(ModuleLog()->FileLogging());
    EXPECT_FALSE(ModuleLog()->ConsoleLogging());
    EXPECT_FALSE(ModuleLog()->DeleteOnClose());
    std::string content;
    EXPECT_TRUE(standin::ReadSandboxFile(L"C:\\Cinevane\\EventLog.txt", &content));
    EXPECT_EQ(content, "");
    EXPECT_TRUE(standin::MessageBoxes().empty());
}

TEST_F(ModuleTest, CursorFlagZeroShowsTheWaitCursorWithCaptureAndRestoresBoth) {
    standin::CursorState before = standin::Cursor();
    Initialize(host.Record(), 0);
    standin::CursorState after = standin::Cursor();
    EXPECT_EQ(after.setCursorCalls - before.setCursorCalls, 2); // wait cursor, then the old one
    EXPECT_EQ(after.current, before.current);
    EXPECT_EQ(after.setCaptureCalls - before.setCaptureCalls, 1);
    EXPECT_EQ(after.releaseCaptureCalls - before.releaseCaptureCalls, 1);
    EXPECT_EQ(after.capture, nullptr);
}

TEST_F(ModuleTest, CursorFlagOneTouchesNeitherCursorNorCapture) {
    standin::CursorState before = standin::Cursor();
    Initialize(host.Record(), 1);
    standin::CursorState after = standin::Cursor();
    EXPECT_EQ(after.setCursorCalls, before.setCursorCalls);
    EXPECT_EQ(after.setCaptureCalls, before.setCaptureCalls);
    EXPECT_EQ(after.releaseCaptureCalls, before.releaseCaptureCalls);
}

TEST_F(ModuleTest, ComFailureShowsAMessageAndEndsTheProcessWithCode1) {
    standin::InjectFault("CoInitialize", E_OUTOFMEMORY);
    Initialize(host.Record(), 1);
    ASSERT_EQ(standin::MessageBoxes().size(), 1u);
    const standin::MessageBoxRecord box = standin::MessageBoxes()[0];
    EXPECT_EQ(box.text, u"CoInitialize Failed!\r\n");
    EXPECT_EQ(box.caption, u"Cinevane Object");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(standin::ProcessExitRequested());
    EXPECT_EQ(standin::ProcessExitCode(), 1u);
    EXPECT_EQ(ModuleState(), 0);
    EXPECT_FALSE(VideoClassRegistered());
    EXPECT_EQ(ModuleLog(), nullptr);
}

TEST_F(ModuleTest, FailedClassRegistrationIsRetriedByTheNextInitializeWithoutComAgain) {
    standin::InjectFault("RegisterClassExW", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(Initialize(host.Record(), 1), 0);
    EXPECT_EQ(ModuleState(), 2);
    ASSERT_EQ(standin::MessageBoxes().size(), 1u);
    EXPECT_EQ(standin::MessageBoxes()[0].text, u"Register Video Class was not posible!");
    EXPECT_EQ(standin::MessageBoxes()[0].caption, u"Cinevane Object");
    EXPECT_FALSE(VideoClassRegistered());
    EXPECT_NE(ModuleLog(), nullptr); // the log does not depend on the class

    EXPECT_EQ(Initialize(host.Record(), 1), 0);
    EXPECT_EQ(ModuleState(), 3);
    EXPECT_TRUE(VideoClassRegistered());
    EXPECT_EQ(standin::Com().initializeCalls, 1);
    EXPECT_EQ(standin::MessageBoxes().size(), 1u);
}

TEST_F(ModuleTest, WithoutMemoryForTheLogTheModuleRunsSilently) {
    standin::InjectFault("HeapAlloc", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(Initialize(host.Record(), 1), 0);
    EXPECT_EQ(ModuleState(), 3);
    EXPECT_EQ(ModuleLog(), nullptr);
    EXPECT_TRUE(standin::MessageBoxes().empty());
    LogEvent(ModuleLog(), L"skipped %s", L"quietly");
    EXPECT_FALSE(standin::SandboxFileExists(L"C:\\Cinevane\\EventLog.txt"));
}

// ---- Free ----

TEST_F(ModuleTest, FreeUnregistersTheClassReleasesComAndClosesTheLog) {
    Initialize(host.Record(), 1);
    int heapBlocks = standin::LiveHeapBlocks();
    EXPECT_EQ(Free(host.Record()), 0);
    EXPECT_EQ(ModuleState(), 0);
    EXPECT_FALSE(VideoClassRegistered());
    EXPECT_EQ(standin::Com().uninitializeCalls, 1);
    EXPECT_EQ(standin::Com().apartmentCount, 0);
    EXPECT_EQ(ModuleLog(), nullptr);
    EXPECT_EQ(standin::LiveHeapBlocks(), heapBlocks - 1);
    // A new Initialize starts from scratch with a new log.
    Initialize(host.Record(), 1);
    EXPECT_EQ(ModuleState(), 3);
    EXPECT_NE(ModuleLog(), nullptr);
}

TEST_F(ModuleTest, FreeWithoutALogStillUndoesTheSetUp) {
    standin::InjectFault("HeapAlloc", ERROR_NOT_ENOUGH_MEMORY);
    Initialize(host.Record(), 1);
    EXPECT_EQ(Free(host.Record()), 0);
    EXPECT_EQ(ModuleState(), 0);
    EXPECT_FALSE(VideoClassRegistered());
    EXPECT_EQ(standin::Com().apartmentCount, 0);
}

TEST_F(ModuleTest, FreeAfterAFailedRegistrationOnlyReleasesCom) {
    standin::InjectFault("RegisterClassExW", ERROR_NOT_ENOUGH_MEMORY);
    Initialize(host.Record(), 1);
    Free(host.Record());
    EXPECT_EQ(ModuleState(), 0);
    EXPECT_EQ(standin::CallCount("UnregisterClassW"), 0);
    EXPECT_EQ(standin::Com().uninitializeCalls, 1);
}

TEST_F(ModuleTest, FreeWithDeleteLogRemovesTheLogFolder) {
    Initialize(host.Record(), 1);
    LogEvent(ModuleLog(), L"About to Render!");
    ASSERT_TRUE(standin::SandboxFileExists(L"C:\\Cinevane\\EventLog.txt"));
    ModuleLog()->SetDeleteOnClose(true);
    Free(host.Record());
    EXPECT_FALSE(standin::SandboxDirectoryExists(L"C:\\Cinevane"));
}

TEST_F(ModuleTest, FreeOfANeverInitialisedModuleChangesNothing) {
    EXPECT_EQ(Free(nullptr), 0);
    EXPECT_EQ(standin::Com().uninitializeCalls, 0);
    EXPECT_EQ(standin::CallCount("UnregisterClassW"), 0);
}

TEST_F(ModuleTest, NestedInitializeIsCountedAndUndoneByTheMatchingFree) {
    Initialize(host.Record(), 1);
    EXPECT_EQ(Initialize(host.Record(), 0), 0);
    EXPECT_EQ(ModuleState(), 7);
    EXPECT_EQ(standin::Com().initializeCalls, 1);
    EXPECT_EQ(standin::Cursor().setCursorCalls, 0); // returned at once

    EXPECT_EQ(Free(host.Record()), 0);
    EXPECT_EQ(ModuleState(), 3);
    EXPECT_TRUE(VideoClassRegistered());
    EXPECT_NE(ModuleLog(), nullptr);

    Free(host.Record());
    EXPECT_EQ(ModuleState(), 0);
    EXPECT_FALSE(VideoClassRegistered());
    EXPECT_EQ(ModuleLog(), nullptr);
}

// ---- Host version ----

TEST(IsSupportedHost, DemandsBuild251AndProductWord0x0200) {
    struct Case {
        DWORD version; // 0: no version service
        bool supported;
        int calls;
    };
    const Case cases[] = {
        {0x02000000u | 250, false, 1},
        {0x02000000u | 251, true, 2},
        {0x01FF0000u | 4095, false, 2},
        {0xFFFF0000u | 251, true, 2},
        {0x0200F000u | 250, false, 1}, // bits above the low 12 are not part of the build
        {0, false, 0},
    };
    for (const Case& c : cases) {
        hoststandin::EditHost host(c.version);
        EXPECT_EQ(IsSupportedHost(host.Record()), c.supported) << std::hex << c.version;
        EXPECT_EQ(host.VersionCalls(), c.calls) << std::hex << c.version;
    }
    EXPECT_FALSE(IsSupportedHost(nullptr));
}

// ---- Information queries ----

TEST(GetInfos, AnswersTheKnownCodesAndZeroForEveryOther) {
    const std::pair<int, DWORD> answers[] = {{0, 768}, {1, 0}, {2, 256},  {3, 0},
                                             {4, 0},   {5, 0}, {6, 2},    {7, 251},
                                             {8, 1},   {9, 0}, {1000, 0}, {-1, 0}};
    for (const auto& answer : answers)
        EXPECT_EQ(GetInfos(answer.first), answer.second) << "code " << answer.first;
}

TEST(GetRunObjectInfos, FillsEveryFieldAndLeavesByte25Alone) {
    RunObjectInfos infos;
    std::memset(&infos, 0xCD, sizeof infos);
    EXPECT_EQ(GetRunObjectInfos(nullptr, &infos), 1);
    EXPECT_EQ(infos.conditions, ConditionRoutines);
    EXPECT_EQ(infos.actions, ActionRoutines);
    EXPECT_EQ(infos.expressions, ExpressionRoutines);
    EXPECT_EQ(ConditionRoutines[14], nullptr);
    EXPECT_EQ(ActionRoutines[40], nullptr);
    EXPECT_EQ(ExpressionRoutines[24], nullptr);
    EXPECT_EQ(infos.conditionCount, 14);
    EXPECT_EQ(infos.actionCount, 40);
    EXPECT_EQ(infos.expressionCount, 24);
    EXPECT_EQ(infos.settingsSize, 576);
    EXPECT_EQ(infos.options, 0x0315u);
    EXPECT_EQ(infos.windowProcPriority, 100);
    EXPECT_EQ(infos.reserved25, 0xCD);
    EXPECT_EQ(infos.options2, 0x01C3);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&infos);
    EXPECT_EQ(bytes[28], '2'); // "CNV2" with 'C' in the most significant byte
    EXPECT_EQ(bytes[31], 'C');
    EXPECT_EQ(infos.settingsVersion, 2);
    EXPECT_EQ(GetRunObjectInfos(nullptr, nullptr), 0);
}

TEST_F(ModuleTest, GetObjInfosLoadsTheFiveTextsAndSkipsMissingBuffers) {
    WCHAR name[255], author[255], rights[255], comment[1024], web[255];
    GetObjInfos(host.Record(), nullptr, name, author, rights, comment, web);
    EXPECT_EQ(Utf8(name), "Cinevane Object 5.3 w/unicode");
    EXPECT_EQ(Utf8(comment), "Video Object with professional setting.");
    WCHAR expected[255];
    LoadStringW(instance, 129, expected, 255);
    EXPECT_EQ(U16(author), U16(expected));
    EXPECT_NE(Utf8(rights), "");
    EXPECT_NE(Utf8(web), "");
    GetObjInfos(host.Record(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

TEST(InformationQueries, FixedValues) {
    EXPECT_EQ(Utf8(GetHelpFileName()), "Help\\Cinevane.chm");
    EXPECT_EQ(GetRunObjectDataSize(nullptr, nullptr), 1288u);
    EXPECT_EQ(GetFilters(nullptr, nullptr, 1, nullptr), 1);
    EXPECT_EQ(GetFilters(nullptr, nullptr, 0xFFFFFFFEu, nullptr), 0);
    EXPECT_EQ(GetFilters(nullptr, nullptr, 3, nullptr), 1);
    ASSERT_NE(GetDebugTree(nullptr), nullptr);
    EXPECT_EQ(GetDebugTree(nullptr)[0], 0xFFFF);
}

// ---- Host run-time services ----

TEST_F(ModuleTest, HostRuntimeServicesAreBoundOnceAndMissingOnesAreNull) {
    EXPECT_EQ(HostRuntimeProc(kHostFileExistsOrdinal), nullptr); // no HOSTRT.dll
    hoststandin::InstallHostRuntime();
    FARPROC bound = HostRuntimeProc(kHostFileExistsOrdinal);
    EXPECT_NE(bound, nullptr);
    EXPECT_EQ(HostRuntimeProc(1), nullptr); // an ordinal the library does not export
    int loads = standin::CallCount("GetProcAddress");
    EXPECT_EQ(HostRuntimeProc(kHostFileExistsOrdinal), bound);
    EXPECT_EQ(standin::CallCount("GetProcAddress"), loads); // kept from the first use
}

TEST_F(ModuleTest, FileExistenceAsksTheHostAndFallsBackToTheModulesOwnTest) {
    ASSERT_TRUE(standin::WriteSandboxFile(L"C:\\Media\\clip.avi", "RIFF"));
    EXPECT_TRUE(HostFileExists(L"C:\\media\\CLIP.avi")); // no host service: the module's own test
    hoststandin::InstallHostRuntime();
    hoststandin::ScriptFileExistsAnswer(0);
    EXPECT_FALSE(HostFileExists(L"C:\\Media\\clip.avi"));
    EXPECT_EQ(hoststandin::FileExistsCalls(), 1);

    const std::pair<LPCWSTR, bool> paths[] = {
        {L"C:\\Media\\clip.avi", true},  {L"C:\\Media", false}, {L"C:\\Media\\", false},
        {L"C:\\Media\\none.avi", false}, {L"", false},          {nullptr, false},
        {L"C:\\No\\clip.avi", false}};
    for (const auto& path : paths)
        EXPECT_EQ(FileExists(path.first), path.second) << Utf8(path.first);
}

} // namespace
