// The property sheet: the row table handed to the host, the host-model value objects, every
// row's check-box effect, the file-name change with its measuring preview, and the setup dialog.
#include "edit/editor_preview.h"
#include "edit/prop_value.h"
#include "edit/property_sheet.h"
#include "edit/property_table.h"
#include "edit/settings_record.h"
#include "edit/setup_dialog.h"
#include "edit_host.h"
#include "host/hostrt.h"
#include "host/module_state.h"
#include "host_runtime.h"
#include "player/indeo_requests.h"
#include "res/resource_ids.h"
#include "standin/dialog_control.h"
#include "standin/dshow_control.h"
#include "standin/inspect_user.h"
#include "standin/sandbox.h"
#include "support/log_capture.h"
#include "media_writer.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- The value objects, called the way the host's compiler calls them ----

// Slots of the host's object model: the object pointer in ECX, arguments on the stack.
typedef void*(__thiscall* DestroySlot)(void* self, unsigned int flags);
typedef void(__thiscall* DiscardSlot)(void* self);
typedef void*(__thiscall* DuplicateSlot)(void* self);
typedef BOOL(__thiscall* SameAsSlot)(void* self, void* other);
typedef DWORD(__thiscall* KindCodeSlot)(void* self);

void* Slot(void* object, int index) {
    return (*reinterpret_cast<void***>(object))[index];
}

LPCWSTR TextField(void* object) {
    return *reinterpret_cast<LPCWSTR*>(static_cast<BYTE*>(object) + 8);
}

TEST(PropValue, FieldLayoutAfterTheVirtualTable) {
    CPropWStringValue* value = CPropWStringValue::Create(L"clip.avi", 8);
    ASSERT_NE(value, nullptr);
    BYTE* base = reinterpret_cast<BYTE*>(value);
    EXPECT_EQ(reinterpret_cast<BYTE*>(&value->Word) - base, 4);
    EXPECT_EQ(reinterpret_cast<BYTE*>(&value->text) - base, 8);
    EXPECT_EQ(sizeof(CPropWStringValue), 12u);
    EXPECT_EQ(*reinterpret_cast<DWORD*>(base + 4), 0u);
    EXPECT_EQ(Utf8(TextField(value)), "clip.avi");
    value->Discard();
}

TEST(PropValue, SlotsInTheHostsOrder) {
    CPropWStringValue* value = CPropWStringValue::Create(L"a.avi", 5);
    ASSERT_NE(value, nullptr);

    EXPECT_EQ(reinterpret_cast<KindCodeSlot>(Slot(value, 4))(value), 0x53545257u);

    void* copy = reinterpret_cast<DuplicateSlot>(Slot(value, 2))(value);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(TextField(copy), TextField(value));
    EXPECT_EQ(Utf8(TextField(copy)), "a.avi");
    EXPECT_EQ(reinterpret_cast<SameAsSlot>(Slot(value, 3))(value, copy), TRUE);

    // Slot 0 frees the object but leaves the text to its owner; slot 1 frees both.
    LPWSTR text = static_cast<CPropWStringValue*>(static_cast<CPropValue*>(copy))->text;
    reinterpret_cast<DestroySlot>(Slot(copy, 0))(copy, 1);
    EXPECT_EQ(Utf8(text), "a.avi");
    delete[] text;
    reinterpret_cast<DiscardSlot>(Slot(value, 1))(value);
}

TEST(PropValue, SameAsComparesTextsOrPointers) {
    CPropWStringValue* a = CPropWStringValue::Create(L"movie.avi", 9);
    CPropWStringValue* b = CPropWStringValue::Create(L"movie.avi", 9);
    CPropWStringValue* c = CPropWStringValue::Create(L"movie.AVI", 9);
    CPropWStringValue* shortText = CPropWStringValue::Create(L"movie.avi", 5);
    ASSERT_TRUE(a && b && c && shortText);
    EXPECT_TRUE(a->SameAs(b));
    EXPECT_FALSE(a->SameAs(c)); // character for character
    EXPECT_FALSE(a->SameAs(shortText));
    EXPECT_FALSE(a->SameAs(nullptr));

    // Both null: the same pointer. One null: different.
    LPWSTR keptA = a->text;
    LPWSTR keptB = b->text;
    a->text = nullptr;
    EXPECT_FALSE(a->SameAs(b));
    b->text = nullptr;
    EXPECT_TRUE(a->SameAs(b));
    delete[] keptA;
    delete[] keptB;
    for (CPropWStringValue* value : {a, b, c, shortText})
        value->Discard();
}

TEST(PropValue, DuplicateOfANullTextIsEmpty) {
    CPropWStringValue* value = CPropWStringValue::Create(nullptr, 40);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(Utf8(value->text), "");
    LPWSTR kept = value->text;
    value->text = nullptr;
    CPropValue* copy = value->Duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Utf8(PropValueText(copy)), "");
    EXPECT_EQ(static_cast<CPropWStringValue*>(copy)->Word, 0u);
    copy->Discard();
    value->Discard(); // a null text is fine to discard
    delete[] kept;
}

// ---- The row table ----

TEST(PropertyTable, SixteenRowsThenTheZeroRow) {
    struct Row {
        DWORD id, name, info, type, options;
    } expected[] = {
        {0x80001, 133, 133, 1014, 0}, {0x80002, 134, 434, 1016, 4}, {0x80003, 135, 435, 1010, 1},
        {0x80004, 136, 436, 1010, 1}, {0x80005, 137, 437, 1010, 1}, {0x80006, 138, 438, 1010, 1},
        {0x80007, 139, 439, 1010, 1}, {0x80008, 140, 440, 1010, 1}, {0x80009, 141, 141, 1014, 0},
        {0x8000A, 142, 442, 1010, 1}, {0x8000B, 143, 443, 1010, 1}, {0x8000C, 144, 444, 1010, 1},
        {0x8000D, 445, 445, 1014, 0}, {0x8000E, 446, 447, 1010, 1}, {0x8000F, 448, 449, 1010, 1},
        {0x80010, 450, 451, 1010, 1},
    };
    // The host reads the table as rows of six 32-bit words.
    const DWORD* words = reinterpret_cast<const DWORD*>(PropertyTable);
    for (int row = 0; row < 16; ++row) {
        const DWORD* w = words + row * 6;
        EXPECT_EQ(w[0], expected[row].id) << row;
        EXPECT_EQ(w[1], expected[row].name) << row;
        EXPECT_EQ(w[2], expected[row].info) << row;
        EXPECT_EQ(w[3], expected[row].type) << row;
        EXPECT_EQ(w[4], expected[row].options) << row;
        EXPECT_EQ(w[5], row == 1 ? reinterpret_cast<DWORD>(&FileNameRowParameter) : 0u) << row;
    }
    for (int field = 0; field < 6; ++field)
        EXPECT_EQ(words[16 * 6 + field], 0u);
}

TEST(PropertyTable, FileRowParameterAndFilterText) {
    const DWORD* words = reinterpret_cast<const DWORD*>(&FileNameRowParameter);
    EXPECT_EQ(words[0], reinterpret_cast<DWORD>(FileNameFilter));
    EXPECT_EQ(words[1], 0x1804u);
    EXPECT_EQ(words[2], 0u);
    EXPECT_EQ(Utf8(FileNameFilter),
              "Video Files (*.avi; *.qt; *.mov; *.mpg; *.mpeg; *.m1v; *.dat; *.mp4)|*.avi; *.qt; "
              "*.mov; *.mpg; *.mpeg; *.m1v; *.dat; *.mp4|Audio files (*.wav; *.mpa; *.mp2; *.mp3; "
              "*.au; *.aif; *.aiff; *.snd)|*.wav; *.mpa; *.mp2; *.mp3; *.au; *.aif; *.aiff; "
              "*.snd|WMT Files (*.asf; *.wma; *.wmv)|*.asf; *.wma; *.wmv|MIDI Files (*.mid, "
              "*.midi, *.rmi)|*.mid; *.midi; *.rmi|Image Files (*.jpg, *.bmp, *.gif, *.tga)|*.jpg; "
              "*.bmp; *.gif; *.tga|All Files (*.*)|*.*|");
}

// ---- The property entry points on a settings record, as the host's editor calls them ----

const DWORD kCheckRows[] = {PropPlayAtStart,  PropFrameMode,  PropHideAtStart,  PropDefaultSize,
                            PropDoubleSize,   PropKeepAspect, PropClientBorder, PropStaticBorder,
                            PropDialogBorder, PropLogMode,    PropConsoleMode,  PropDeleteLog};

// What a "VidEdPlayer" window was created with, seen from its WM_CREATE.
struct PreviewCreation {
    HWND window;
    HWND parent;
    int x, y, cx, cy;
    LONG style;
    DWORD exStyle;
    bool titled;
};
std::vector<PreviewCreation> previewCreations;

// Registered under the preview class before the module registers it: the module reuses an
// existing class, so its windows come here first.
LRESULT CALLBACK WatchPreview(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        const CREATESTRUCTW* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        previewCreations.push_back(PreviewCreation{window, cs->hwndParent, cs->x, cs->y, cs->cx,
                                                   cs->cy, cs->style, cs->dwExStyle,
                                                   cs->lpszName != nullptr});
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class PropertySheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartFreshModuleLog();
        hoststandin::InstallHostRuntime();
        ASSERT_GE(CoInitialize(nullptr), 0);
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = L"HostEditorWindow";
        RegisterClassExW(&wc);
        editor = CreateWindowExW(0, L"HostEditorWindow", L"Frame editor", WS_OVERLAPPEDWINDOW, 0, 0,
                                 800, 600, nullptr, nullptr, nullptr, nullptr);
        host.Record()->editorMainWindow = editor;
        std::memset(&settings, 0, sizeof settings);
        ASSERT_EQ(CreateObject(host.Record(), nullptr, &settings), 0);
        host.ClearCalls();
        previewCreations.clear();
        media::AviClip clip; // 320 x 240
        clip.frames = 2;
        ASSERT_TRUE(media::WriteAvi("C:\\clips\\clip.avi", clip));
        media::WavClip sound;
        sound.milliseconds = 100;
        ASSERT_TRUE(media::WriteWav("C:\\clips\\sound.wav", sound));
    }
    void TearDown() override {
        CoUninitialize();
        EndModuleLog();
    }

    void WatchPreviewWindows() {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WatchPreview;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = L"VidEdPlayer";
        ASSERT_NE(RegisterClassExW(&wc), 0);
    }

    void Check(DWORD row, BOOL checked) { SetPropCheck(host.Record(), &settings, row, checked); }
    BOOL Checked(DWORD row) { return GetPropCheck(host.Record(), &settings, row); }

    void SetFileName(LPCWSTR name) {
        CPropWStringValue* value = CPropWStringValue::Create(name, TextLengthOf(name));
        ASSERT_NE(value, nullptr);
        SetPropValue(host.Record(), &settings, PropFileName, value);
        value->Discard(); // the host keeps ownership of what it hands in
    }
    static size_t TextLengthOf(LPCWSTR text) {
        size_t length = 0;
        while (text[length])
            ++length;
        return length;
    }

    std::vector<int> RequestNumbers() const {
        std::vector<int> numbers;
        for (const auto& call : host.Requests())
            numbers.push_back(call.number);
        return numbers;
    }

    void SetNativeRect(LONG right, LONG bottom) { settings.NativeRect = RECT{0, 0, right, bottom}; }

    void ExpectNoGraphOrPreviewLeft() {
        EXPECT_EQ(standin::LiveGraphs(), 0);
        EXPECT_EQ(standin::OutstandingReferences(), 0);
        EXPECT_EQ(standin::LiveWindows(), std::vector<HWND>{editor});
    }

    hoststandin::EditHost host;
    HWND editor = nullptr;
    ObjectSettings settings;
};

TEST_F(PropertySheetTest, NewObjectReadsUncheckedWithAnEmptyFileName) {
    for (DWORD row : kCheckRows)
        EXPECT_EQ(Checked(row), 0) << std::hex << row;
    for (DWORD row : {0x80001u, 0x80002u, 0x80009u, 0x8000Du, 0u, 0x80011u, 0xFFFFFFFFu})
        EXPECT_EQ(Checked(row), 0) << std::hex << row;

    CPropValue* name = GetPropValue(host.Record(), &settings, PropFileName);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->KindCode(), kWideTextKind);
    EXPECT_EQ(Utf8(PropValueText(name)), "");
    name->Discard();
    EXPECT_EQ(GetPropValue(host.Record(), &settings, PropPlayAtStart), nullptr);
    EXPECT_EQ(GetPropValue(host.Record(), &settings, 0x12345), nullptr);

    CPropValue* none = GetPropValue(host.Record(), nullptr, PropFileName);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(Utf8(PropValueText(none)), "");
    none->Discard();
}

TEST_F(PropertySheetTest, FileNameValueIsACopyOfTheRecordsName) {
    const WCHAR name[] = L"C:\\clips\\clip.avi";
    for (size_t i = 0; i < sizeof name / sizeof name[0]; ++i)
        settings.FileName[i] = name[i];
    CPropValue* value = GetPropValue(host.Record(), &settings, PropFileName);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(Utf8(PropValueText(value)), "C:\\clips\\clip.avi");
    EXPECT_NE(PropValueText(value), settings.FileName);
    value->Discard();

    // An unterminated field (a damaged record) is read no further than the field.
    for (WCHAR& unit : settings.FileName)
        unit = L'x';
    value = GetPropValue(host.Record(), &settings, PropFileName);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(Utf8(PropValueText(value)), std::string(259, 'x'));
    value->Discard();
}

TEST_F(PropertySheetTest, GetPropertiesHandsTheTableOverWithRequestOne) {
    EXPECT_EQ(GetProperties(host.Record(), &settings, TRUE), 1);
    ASSERT_EQ(host.Requests().size(), 1u);
    const auto& call = host.Requests()[0];
    EXPECT_EQ(call.settings, &settings);
    EXPECT_EQ(call.number, 1);
    EXPECT_EQ(call.v1, static_cast<int>(reinterpret_cast<INT_PTR>(PropertyTable)));
    EXPECT_EQ(call.v2, 1);
    EXPECT_EQ(call.v3, 1);

    EXPECT_EQ(GetProperties(nullptr, &settings, TRUE), 0);
    EXPECT_EQ(GetPropCreateParam(host.Record(), &settings, PropFileName), 0);
    EXPECT_EQ(EditProp(host.Record(), &settings, PropFileName), FALSE);
}

TEST_F(PropertySheetTest, EachPlainCheckBoxIsExactlyItsBitAndRequestsARedraw) {
    struct Row {
        DWORD id;
        WORD bit;
    } rows[] = {{PropPlayAtStart, 0x0002},  {PropFrameMode, 0x0010},    {PropClientBorder, 0x0200},
                {PropStaticBorder, 0x0100}, {PropDialogBorder, 0x0400}, {PropLogMode, 0x1000},
                {PropConsoleMode, 0x2000},  {PropDeleteLog, 0x4000}};
    for (const Row& row : rows) {
        settings.Flags = NewObjectMark;
        settings.NativeSizeTaken = 1;
        host.ClearCalls();
        Check(row.id, TRUE);
        EXPECT_EQ(settings.Flags, NewObjectMark | row.bit) << std::hex << row.id;
        EXPECT_EQ(Checked(row.id), 1);
        Check(row.id, FALSE);
        EXPECT_EQ(settings.Flags, NewObjectMark);
        EXPECT_EQ(Checked(row.id), 0);
        EXPECT_EQ(settings.Width, 160);
        EXPECT_EQ(settings.Height, 120);
        EXPECT_EQ(settings.NativeSizeTaken, 1u);
        ASSERT_EQ(RequestNumbers(), (std::vector<int>{18, 18}));
        EXPECT_EQ(host.Requests()[0].settings, &settings);
        EXPECT_EQ(host.Requests()[0].v1, 0);
    }
}

TEST_F(PropertySheetTest, BordersMayBeCheckedTogether) {
    Check(PropClientBorder, TRUE);
    Check(PropStaticBorder, TRUE);
    Check(PropDialogBorder, TRUE);
    EXPECT_EQ(Checked(PropClientBorder), 1);
    EXPECT_EQ(Checked(PropStaticBorder), 1);
    EXPECT_EQ(Checked(PropDialogBorder), 1);
    EXPECT_EQ(settings.Flags, NewObjectMark | ClientBorder | StaticBorder | DialogBorder);
}

TEST_F(PropertySheetTest, DoubleAndDefaultSizeExcludeEachOther) {
    SetNativeRect(320, 240);
    Check(PropDoubleSize, TRUE);
    EXPECT_EQ(settings.Width, 640);
    EXPECT_EQ(settings.Height, 480);
    EXPECT_EQ(Checked(PropDoubleSize), 1);
    EXPECT_EQ(Checked(PropKeepAspect), 1);
    EXPECT_EQ(Checked(PropDefaultSize), 0);

    settings.NativeSizeTaken = 1;
    Check(PropDefaultSize, TRUE);
    EXPECT_EQ(settings.Width, 320);
    EXPECT_EQ(settings.Height, 240);
    EXPECT_EQ(Checked(PropDoubleSize), 0);
    EXPECT_EQ(Checked(PropKeepAspect), 1);
    EXPECT_EQ(Checked(PropDefaultSize), 1);
    EXPECT_EQ(settings.NativeSizeTaken, 0u);

    Check(PropDefaultSize, FALSE); // sizes stay
    EXPECT_EQ(Checked(PropDefaultSize), 0);
    EXPECT_EQ(settings.Width, 320);
    EXPECT_EQ(RequestNumbers(), (std::vector<int>{18, 18, 18}));
}

TEST_F(PropertySheetTest, UncheckingX2AsksTheHostToResendDefaultSize) {
    SetNativeRect(100, 80);
    Check(PropDoubleSize, TRUE);
    host.ClearCalls();
    Check(PropDoubleSize, FALSE);
    EXPECT_EQ(Checked(PropDoubleSize), 0);
    EXPECT_EQ(settings.Width, 200); // unchecking changes no size
    ASSERT_EQ(RequestNumbers(), (std::vector<int>{4, 18}));
    EXPECT_EQ(host.Requests()[0].settings, &settings);
    EXPECT_EQ(host.Requests()[0].v1, 0x80006);
    EXPECT_EQ(host.Requests()[0].v2, 1);
}

TEST_F(PropertySheetTest, HideAndKeepAspectForgetTheTakenNativeSize) {
    struct Case {
        DWORD row;
        BOOL checked;
        DWORD expectTaken;
    } cases[] = {{PropHideAtStart, TRUE, 0},  {PropHideAtStart, FALSE, 0},
                 {PropKeepAspect, TRUE, 0},   {PropKeepAspect, FALSE, 1},
                 {PropDefaultSize, FALSE, 1}, {PropPlayAtStart, TRUE, 1}};
    for (const Case& c : cases) {
        settings.NativeSizeTaken = 1;
        Check(c.row, c.checked);
        EXPECT_EQ(settings.NativeSizeTaken, c.expectTaken) << std::hex << c.row << " " << c.checked;
        EXPECT_EQ(Checked(c.row), c.checked);
    }
}

TEST_F(PropertySheetTest, GroupRowsAndUnknownIdsChangeNothingButStillRequestARedraw) {
    settings.NativeSizeTaken = 1;
    ObjectSettings before = settings;
    for (DWORD row : {0x80001u, 0x80002u, 0x80009u, 0x8000Du, 0x80011u, 0u}) {
        Check(row, TRUE);
        Check(row, FALSE);
    }
    EXPECT_EQ(std::memcmp(&before, &settings, sizeof settings), 0);
    EXPECT_EQ(RequestNumbers(), std::vector<int>(12, 18));

    SetPropCheck(host.Record(), nullptr, PropPlayAtStart, TRUE); // no record: nothing at all
    SetPropCheck(nullptr, &settings, PropPlayAtStart, TRUE);     // no host: the change only
    EXPECT_EQ(Checked(PropPlayAtStart), 1);
    EXPECT_EQ(host.Requests().size(), 12u);
}

// ---- The file-name change: the hidden preview measures the video and sizes the object ----

TEST_F(PropertySheetTest, FileNameChangeMeasuresTheVideoThroughAHiddenPreview) {
    WatchPreviewWindows();
    settings.Flags |= ClientBorder;
    SetFileName(L"C:\\clips\\clip.avi");

    EXPECT_EQ(Utf8(settings.FileName), "C:\\clips\\clip.avi");
    EXPECT_EQ(settings.NativeRect.left, 0);
    EXPECT_EQ(settings.NativeRect.top, 0);
    EXPECT_EQ(settings.NativeRect.right, 320);
    EXPECT_EQ(settings.NativeRect.bottom, 240);
    EXPECT_EQ(settings.Width, 320);
    EXPECT_EQ(settings.Height, 240);
    EXPECT_DOUBLE_EQ(settings.AspectRatio, 320.0 / 240.0);
    EXPECT_EQ(settings.NativeSizeTaken, 1u);
    EXPECT_EQ(Checked(PropDefaultSize), 1);
    EXPECT_EQ(RequestNumbers(), std::vector<int>{18});
    EXPECT_EQ(LogLines(), std::vector<std::string>{});

    // Created hidden, untitled, at (1800, 1800) in the editor window at the object's size then.
    ASSERT_EQ(previewCreations.size(), 1u);
    const PreviewCreation& made = previewCreations[0];
    EXPECT_EQ(made.parent, editor);
    EXPECT_EQ(made.x, 1800);
    EXPECT_EQ(made.y, 1800);
    EXPECT_EQ(made.cx, 160);
    EXPECT_EQ(made.cy, 120);
    EXPECT_EQ(static_cast<DWORD>(made.style), 0x40000000u);
    EXPECT_EQ(made.exStyle, 0x00000200u);
    EXPECT_FALSE(made.titled);

    // The video was bound to it and placed on its client area twice; the graph stopped.
    standin::GraphView graph = standin::LastGraph();
    EXPECT_EQ(Utf8(reinterpret_cast<LPCWSTR>(graph.RenderedFile().c_str())), "C:\\clips\\clip.avi");
    EXPECT_EQ(graph.Owner(), 0);
    EXPECT_EQ(graph.MessageDrain(), reinterpret_cast<OAHWND>(made.window));
    EXPECT_FALSE(graph.Visible());
    EXPECT_EQ(graph.State(), State_Stopped);
    ASSERT_EQ(graph.WindowPositions().size(), 2u);
    for (const RECT& placed : graph.WindowPositions()) {
        EXPECT_EQ(placed.right, 320);
        EXPECT_EQ(placed.bottom, 240);
    }
    ExpectNoGraphOrPreviewLeft();
}

TEST_F(PropertySheetTest, MeasuredSizeIncludesTheEdgesTheBorderBitsLeaveInside) {
    struct Case {
        WORD borders;
        LONG width, height;
    } cases[] = {
        {ClientBorder, 320, 240},
        {0, 324, 244},            // no border: the 3-D edges stay inside the client area
        {StaticBorder, 322, 242}, // a static edge is one pixel wide
        {ClientBorder | StaticBorder, 318, 238},
    };
    for (const Case& c : cases) {
        settings.Flags = NewObjectMark | c.borders;
        SetFileName(L"C:\\clips\\clip.avi");
        EXPECT_EQ(settings.NativeRect.right, c.width) << c.borders;
        EXPECT_EQ(settings.NativeRect.bottom, c.height) << c.borders;
        EXPECT_EQ(settings.Width, c.width);
        EXPECT_EQ(settings.Height, c.height);
    }
}

TEST_F(PropertySheetTest, SameFileTwiceMeasuresTwiceWithTheSameResultAndOneClass) {
    settings.Flags |= ClientBorder | DoubleSize;
    SetFileName(L"C:\\clips\\clip.avi");
    ObjectSettings first = settings;
    SetFileName(L"C:\\clips\\clip.avi");
    EXPECT_EQ(standin::CallCount("CoCreateInstance"), 2);
    EXPECT_EQ(standin::CallCount("RegisterClassExW"), 2); // the editor window's and VidEdPlayer
    EXPECT_EQ(std::memcmp(&first, &settings, sizeof settings), 0);
    EXPECT_EQ(settings.Width, 640); // X2 doubles the measured size
    EXPECT_EQ(settings.Height, 480);
    WNDCLASSEXW preview = {};
    preview.cbSize = sizeof preview;
    ASSERT_NE(GetClassInfoExW(ModuleInstance(), L"VidEdPlayer", &preview), 0);
    EXPECT_EQ(preview.style, 3u);
    EXPECT_EQ(preview.lpfnWndProc, DefWindowProcW);
    EXPECT_EQ(preview.hCursor, standin::StandardCursor(IDC_ARROW));
    EXPECT_EQ(preview.hbrBackground, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(preview.hIcon, nullptr);
    EXPECT_EQ(preview.lpszMenuName, nullptr);
    ExpectNoGraphOrPreviewLeft();
}

TEST_F(PropertySheetTest, AMissingFileOrAFolderIsStoredWithoutMeasuring) {
    standin::WriteSandboxFile(L"C:\\clips\\folder\\inside.txt", "x");
    for (LPCWSTR name : {L"C:\\clips\\missing.avi", L"C:\\clips\\folder"}) {
        settings.NativeSizeTaken = 1;
        ObjectSettings before = settings;
        host.ClearCalls();
        SetFileName(name);
        EXPECT_EQ(Utf8(settings.FileName), Utf8(name));
        EXPECT_EQ(settings.NativeSizeTaken, 0u);
        EXPECT_EQ(settings.Width, before.Width);
        EXPECT_EQ(settings.Height, before.Height);
        EXPECT_EQ(settings.Flags, before.Flags);
        EXPECT_EQ(std::memcmp(&settings.NativeRect, &before.NativeRect, 24), 0);
        EXPECT_EQ(RequestNumbers(), std::vector<int>{18});
    }
    EXPECT_EQ(standin::CallCount("CoCreateInstance"), 0);
}

TEST_F(PropertySheetTest, EmptyNameWithDefaultSizeGivesTheNewObjectSize) {
    settings.Width = 500;
    settings.Height = 400;
    SetFileName(L"");
    EXPECT_EQ(settings.Width, 500); // without "Default size" nothing changes
    Check(PropDefaultSize, FALSE);
    settings.Flags |= DefaultSize;
    SetFileName(L"");
    EXPECT_EQ(settings.Width, 160);
    EXPECT_EQ(settings.Height, 120);
    EXPECT_EQ(Utf8(settings.FileName), "");
}

TEST_F(PropertySheetTest, LongNamesAreCutTo256Characters) {
    std::u16string longName = u"C:\\";
    while (longName.size() < 300)
        longName += u"abcdefghij";
    SetFileName(reinterpret_cast<LPCWSTR>(longName.c_str()));
    EXPECT_EQ(U16(settings.FileName), longName.substr(0, 256));
    EXPECT_EQ(settings.FileName[256], 0);
}

TEST_F(PropertySheetTest, ValuesThatAreNotTextOrRowsOtherThanTheNameAreIgnored) {
    struct OtherValue : CPropValue {
        void* __thiscall Destroy(unsigned int) override { return this; }
        void __thiscall Discard() override {}
        CPropValue* __thiscall Duplicate() override { return nullptr; }
        BOOL __thiscall SameAs(CPropValue*) override { return FALSE; }
        DWORD __thiscall KindCode() override { return 0x494E5420; } // not a text
    } other;
    ObjectSettings before = settings;
    SetPropValue(host.Record(), &settings, PropFileName, &other);
    SetPropValue(host.Record(), &settings, PropFileName, nullptr);
    CPropWStringValue* text = CPropWStringValue::Create(L"C:\\clips\\clip.avi", 17);
    SetPropValue(host.Record(), &settings, PropPlayAtStart, text);
    SetPropValue(host.Record(), nullptr, PropFileName, text);
    text->Discard();
    EXPECT_EQ(std::memcmp(&before, &settings, sizeof settings), 0);
    EXPECT_TRUE(host.Requests().empty());

    // A text value whose text is null stores an empty name.
    CPropWStringValue* empty = CPropWStringValue::Create(L"x", 1);
    LPWSTR kept = empty->text;
    empty->text = nullptr;
    settings.FileName[0] = L'a';
    SetPropValue(host.Record(), &settings, PropFileName, empty);
    EXPECT_EQ(settings.FileName[0], 0);
    empty->Discard();
    delete[] kept;
}

TEST_F(PropertySheetTest, AudioOnlyClipGivesTheClientAreaOfA32By32Window) {
    SetFileName(L"C:\\clips\\sound.wav");
    EXPECT_EQ(settings.NativeRect.right, 32);
    EXPECT_EQ(settings.NativeRect.bottom, 32);
    EXPECT_EQ(settings.Width, 32);
    EXPECT_EQ(settings.Height, 32);
    // Without a video renderer the video window refuses the placement of step 6.
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "FAILED(hr=0x80004002) in pVW->SetWindowPosition(client.left, "
                              "client.top, client.right, client.bottom)\n"}));
    ExpectNoGraphOrPreviewLeft();

    settings.Flags |= ClientBorder;
    SetFileName(L"C:\\clips\\sound.wav");
    EXPECT_EQ(settings.NativeRect.right, 28); // the 32 x 32 window less its client edge
    EXPECT_EQ(settings.NativeRect.bottom, 28);
}

TEST_F(PropertySheetTest, MeasuringLeavesDefaultSizeToItsCallerWithoutVideo) {
    const struct {
        LPCWSTR file;
        bool video;
    } clips[] = {{L"C:\\clips\\sound.wav", false}, {L"C:\\clips\\clip.avi", true}};
    for (const auto& clip : clips) {
        LPCWSTR file = clip.file;
        bool video = clip.video;
        HWND preview =
            CreatePreviewWindow(editor, ModuleInstance(), 0, WS_CHILD, 1800, 1800, 50, 50);
        ASSERT_NE(preview, nullptr);
        for (int i = 0; file[i]; ++i)
            settings.FileName[i] = file[i], settings.FileName[i + 1] = 0;
        settings.Flags = NewObjectMark;
        EXPECT_GE(InitPlayerWindowEd(&settings, preview), 0);
        RECT client;
        GetClientRect(preview, &client);
        EXPECT_EQ(settings.NativeRect.right, client.right);
        EXPECT_EQ(settings.NativeRect.bottom, client.bottom);
        EXPECT_EQ((settings.Flags & DefaultSize) != 0, video) << Utf8(file);
        EXPECT_FALSE(IsWindowVisible(preview));
        RECT frame;
        GetWindowRect(preview, &frame);
        POINT corner = {frame.left, frame.top};
        ScreenToClient(editor, &corner);
        EXPECT_EQ(corner.x, video ? 1600 : 1800); // the fitting moves it; 32 x 32 does not
        DestroyWindow(preview);
    }
    EXPECT_EQ(InitPlayerWindowEd(nullptr, editor), E_POINTER);
}

TEST_F(PropertySheetTest, MeasuringRewritesTheIndeoRequestHeadersFirst) {
    std::memset(&IndeoFrameRequest, 0xEE, sizeof IndeoFrameRequest);
    std::memset(&IndeoSequenceRequest, 0xEE, sizeof IndeoSequenceRequest);
    standin::InjectFault("CoCreateInstance", E_FAIL); // even when the graph cannot be made
    SetFileName(L"C:\\clips\\clip.avi");
    EXPECT_EQ(IndeoFrameRequest.size, 124u);
    EXPECT_EQ(IndeoSequenceRequest.size, 44u);
    for (const DWORD* header : {&IndeoFrameRequest.size, &IndeoSequenceRequest.size}) {
        EXPECT_EQ(header[1], 0x30355649u); // "IV50"
        EXPECT_EQ(header[2], 0x10005u);
        EXPECT_EQ(header[3], 0xEEEEEEEEu); // the request kind is left alone
        EXPECT_EQ(header[4], 2u);
        EXPECT_EQ(header[5], 0u);
    }
    EXPECT_EQ(IndeoFrameRequest.contrast, static_cast<LONG>(0xEEEEEEEE));
}

// Each failing graph step writes its one line, releases what it holds and leaves NativeRect; the
// object then takes its size from the old NativeRect.
TEST_F(PropertySheetTest, GraphFailuresLogOneLineAndKeepTheOldNativeRect) {
    struct Case {
        const char* fault;
        std::string line;
    } cases[] = {
        {"CoCreateInstance", "FAILED(hr=0x80004005) in CoCreateInstance(CLSID_FilterGraph, NULL, "
                             "CLSCTX_INPROC_SERVER, IID_IGraphBuilder, (void **)&pGB)\n"},
        {"RenderFile", "FAILED(hr=0x80004005) in pGB->RenderFile(wFile, NULL)\n"},
        {"QueryInterface:IMediaControl",
         "FAILED(hr=0x80004005) in pGB->QueryInterface(IID_IMediaControl, (void **)&pMC)\n"},
        {"QueryInterface:IMediaEventEx",
         "FAILED(hr=0x80004005) in pGB->QueryInterface(IID_IMediaEventEx, (void **)&pME)\n"},
        {"QueryInterface:IMediaSeeking",
         "FAILED(hr=0x80004005) in pGB->QueryInterface(IID_IMediaSeeking, (void **)&pMS)\n"},
        {"QueryInterface:IMediaPosition",
         "FAILED(hr=0x80004005) in pGB->QueryInterface(IID_IMediaPosition, (void **)&pMP)\n"},
        {"QueryInterface:IVideoWindow",
         "FAILED(hr=0x80004005) in pGB->QueryInterface(IID_IVideoWindow, (void **)&pVW)\n"},
        {"QueryInterface:IBasicVideo",
         "FAILED(hr=0x80004005) in pGB->QueryInterface(IID_IBasicVideo, (void **)&pBV)\n"},
        {"QueryInterface:IBasicAudio",
         "FAILED(hr=0x80004005) in pGB->QueryInterface(IID_IBasicAudio, (void **)&pBA)\n"},
        {"put_Owner", "FAILED(hr=0x80004005) in pVW->put_Owner((OAHWND)evidHWnd)\n"},
        {"put_WindowStyle",
         "FAILED(hr=0x80004005) in pVW->put_WindowStyle(WS_CHILDWINDOW | WS_CLIPSIBLINGS )\n"},
        {"put_MessageDrain", "FAILED(hr=0x80004005) in pVW->put_MessageDrain((OAHWND)evidHWnd)\n"},
    };
    for (const Case& c : cases) {
        SetNativeRect(100, 50);
        settings.Flags = NewObjectMark;
        ClearLogLines();
        standin::InjectFault(c.fault, E_FAIL);
        SetFileName(L"C:\\clips\\clip.avi");
        EXPECT_EQ(LogLines(), std::vector<std::string>{c.line}) << c.fault;
        EXPECT_EQ(settings.NativeRect.right, 100) << c.fault;
        EXPECT_EQ(settings.NativeRect.bottom, 50) << c.fault;
        EXPECT_EQ(settings.Width, 100);
        EXPECT_EQ(settings.Height, 50);
        EXPECT_DOUBLE_EQ(settings.AspectRatio, 2.0);
        EXPECT_EQ(settings.Flags, NewObjectMark | DefaultSize);
        ExpectNoGraphOrPreviewLeft();
        standin::ClearFaults();
    }
}

TEST_F(PropertySheetTest, PlacementFailuresAreLoggedAndTheMeasurementGoesOn) {
    settings.Flags |= ClientBorder;
    standin::InjectFault("SetWindowPosition", E_FAIL);
    SetFileName(L"C:\\clips\\clip.avi");
    standin::InjectFault("SetWindowPosition", E_FAIL, 2);
    SetFileName(L"C:\\clips\\clip.avi");
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "FAILED(hr=0x80004005) in pVW->SetWindowPosition(rect.left, "
                              "rect.top, rect.right, rect.bottom)\n",
                              "FAILED(hr=0x80004005) in pVW->SetWindowPosition(client.left, "
                              "client.top, client.right, client.bottom)\n"}));
    EXPECT_EQ(settings.NativeRect.right, 320);
    EXPECT_EQ(settings.NativeRect.bottom, 240);
    ExpectNoGraphOrPreviewLeft();
}

TEST_F(PropertySheetTest, WithoutAPreviewWindowTheObjectBecomes32By32) {
    standin::InjectFault("CreateWindowExW", 0);
    SetFileName(L"C:\\clips\\clip.avi");
    EXPECT_EQ(settings.Width, 32);
    EXPECT_EQ(settings.Height, 32);
    EXPECT_EQ(standin::CallCount("CoCreateInstance"), 0);
}

// A new object whose first measurement fails has a zero NativeRect: the object takes 32 x 32 and
// the aspect ratio is marked unknown (0) instead of 0 / 0.
TEST_F(PropertySheetTest, AZeroMeasurementGives32By32AndNoAspectRatio) {
    standin::InjectFault("RenderFile", E_FAIL);
    SetFileName(L"C:\\clips\\clip.avi");
    EXPECT_EQ(settings.Width, 32);
    EXPECT_EQ(settings.Height, 32);
    EXPECT_EQ(settings.AspectRatio, 0.0);
}

// ---- The setup dialog ----

std::vector<SetupDialogStart> startsSeen;
void RecordStart(HWND dialog) {
    auto* start =
        reinterpret_cast<const SetupDialogStart*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    startsSeen.push_back(start ? *start : SetupDialogStart{nullptr, 0});
}

TEST_F(PropertySheetTest, SetupDialogClosesOnlyWithOk) {
    startsSeen.clear();
    standin::OnDialogShown(RecordStart);
    // Escape is the Cancel command, which the dialog does not have.
    standin::ScriptDialogInput(
        {standin::PressEscape(), standin::PressButton(IDC_SETUP_HELP), standin::PressEnter()});
    EXPECT_EQ(EditObject(host.Record(), nullptr, nullptr, 0x5150), TRUE);
    standin::OnDialogShown(nullptr);

    std::vector<standin::DialogRun> runs = standin::DialogRuns();
    ASSERT_EQ(runs.size(), 1u);
    const standin::DialogRun& run = runs[0];
    EXPECT_EQ(run.templateId, 20003u);
    EXPECT_EQ(run.owner, editor);
    EXPECT_TRUE(run.ownerDisabledWhileShown);
    EXPECT_EQ(Utf8(reinterpret_cast<LPCWSTR>(run.caption.c_str())), " Cinevane Object");
    EXPECT_EQ(run.stepsDelivered, 3); // Escape did not close it; Enter pressed OK
    EXPECT_EQ(run.result, 1);
    ASSERT_EQ(run.controls.size(), 3u);
    EXPECT_EQ(run.controls[0].className, u"Static");
    EXPECT_EQ(run.controls[1].id, IDOK);
    EXPECT_EQ(run.controls[2].id, IDC_SETUP_HELP);
    EXPECT_EQ(host.HelpCalls().size(), 1u);
    EXPECT_TRUE(IsWindowEnabled(editor));

    // The start argument kept with the dialog: the host record and the fourth argument.
    ASSERT_EQ(startsSeen.size(), 1u);
    EXPECT_EQ(startsSeen[0].host, host.Record());
    EXPECT_EQ(startsSeen[0].kept, 0x5150);
}

TEST_F(PropertySheetTest, HelpTwiceCallsTheHelpServiceTwiceAndStaysOpen) {
    standin::ScriptDialogInput({standin::PressButton(IDC_SETUP_HELP),
                                standin::PressButton(IDC_SETUP_HELP), standin::PressEscape()});
    EXPECT_EQ(EditObject(host.Record(), nullptr, nullptr, 0), FALSE);
    ASSERT_EQ(host.HelpCalls().size(), 2u);
    for (const auto& call : host.HelpCalls()) {
        EXPECT_EQ(Utf8(reinterpret_cast<LPCWSTR>(call.path.c_str())), "Help\\Cinevane.chm");
        EXPECT_EQ(call.reserved1, 0);
        EXPECT_EQ(call.reserved2, 0);
    }
    std::vector<standin::DialogRun> runs = standin::DialogRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_FALSE(runs[0].ended); // still open when nobody pressed OK
    EXPECT_TRUE(runs[0].abandoned);

    // OK with the mouse ends it with 1.
    standin::ScriptDialogInput({standin::PressButton(IDOK)});
    EXPECT_EQ(EditObject(host.Record(), nullptr, nullptr, 0), TRUE);
}

TEST_F(PropertySheetTest, EditObjectRefusesAnUnsupportedHostAndSurvivesAMissingDialog) {
    host.SetVersion(0x02000000u | 250);
    standin::ScriptDialogInput({standin::PressButton(IDOK)});
    EXPECT_EQ(EditObject(host.Record(), nullptr, nullptr, 0), FALSE);
    EXPECT_TRUE(standin::DialogRuns().empty());
    EXPECT_EQ(EditObject(nullptr, nullptr, nullptr, 0), FALSE);

    host.SetVersion(0x020000FFu);
    standin::InjectFault("DialogBoxParamW", ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(EditObject(host.Record(), nullptr, nullptr, 0), FALSE);
}

} // namespace
