#include "edit/property_sheet.h"

#include "diag/text.h"
#include "edit/editor_preview.h"
#include "edit/object_rect.h"
#include "edit/property_table.h"
#include "host/file_exists.h"
#include "host/module_state.h"

namespace {

// Where the hidden preview window is created inside the editor window.
constexpr int kPreviewPosition = 1800;

void SendRequest(EditHostRecord* host, ObjectSettings* settings, int number, int v1, int v2,
                 int v3) {
    if (host && host->request)
        host->request(settings, number, v1, v2, v3);
}

// Asks the host to redraw the object and read its rectangle again.
void RequestRedraw(EditHostRecord* host, ObjectSettings* settings) {
    SendRequest(host, settings, RequestRedrawObject, 0, 0, 0);
}

// Sizes are 16-bit in the record; a doubled size that would not fit stays at the largest one.
SHORT ToSide(long value) {
    if (value > 32767)
        return 32767;
    if (value < -32768)
        return -32768;
    return static_cast<SHORT>(value);
}

// A side of NativeRect. The record may come from a damaged file, so the difference is taken in
// 64 bits; the record keeps its sizes as 16-bit values (the low 16 bits).
long long Span(LONG from, LONG to) {
    return static_cast<long long>(to) - from;
}
SHORT Sixteen(long long value) {
    return static_cast<SHORT>(static_cast<WORD>(value & 0xFFFF));
}

SHORT NativeWidth(const ObjectSettings& settings) {
    return Sixteen(Span(settings.NativeRect.left, settings.NativeRect.right));
}

SHORT NativeHeight(const ObjectSettings& settings) {
    return Sixteen(Span(settings.NativeRect.top, settings.NativeRect.bottom));
}

void SetFlag(ObjectSettings* settings, WORD bit, bool on) {
    if (on)
        settings->Flags |= bit;
    else
        settings->Flags &= static_cast<WORD>(~bit);
}

void ApplyCheck(EditHostRecord* host, ObjectSettings* settings, UINT id, bool checked) {
    switch (id) {
    case PropHideAtStart:
        SetFlag(settings, HideAtStart, checked);
        settings->NativeSizeTaken = 0;
        break;
    case PropDefaultSize:
        if (checked) {
            settings->Width = NativeWidth(*settings);
            settings->Height = NativeHeight(*settings);
            settings->Flags |= DefaultSize;
            settings->Flags &= static_cast<WORD>(~DoubleSize);
            settings->NativeSizeTaken = 0;
        } else {
            settings->Flags &= static_cast<WORD>(~DefaultSize);
        }
        break;
    case PropDoubleSize:
        if (checked) {
            settings->Width = ToSide(2L * NativeWidth(*settings));
            settings->Height = ToSide(2L * NativeHeight(*settings));
            settings->Flags &= static_cast<WORD>(~DefaultSize);
            settings->Flags |= DoubleSize | KeepAspect;
        } else {
            settings->Flags &= static_cast<WORD>(~DoubleSize);
            SendRequest(host, settings, RequestRefreshProperty, PropDefaultSize, 1, 0);
        }
        break;
    case PropKeepAspect:
        SetFlag(settings, KeepAspect, checked);
        if (checked)
            settings->NativeSizeTaken = 0;
        break;
    default:
        if (WORD bit = PropertyFlagBit(id))
            SetFlag(settings, bit, checked);
        break;
    }
}

} // namespace

extern "C" int WINAPI GetProperties(EditHostRecord* host, ObjectSettings* settings, BOOL) {
    if (!host || !host->request)
        return 0;
    host->request(settings, RequestInsertProperties,
                  static_cast<int>(reinterpret_cast<INT_PTR>(PropertyTable)), 1, 1);
    return 1;
}

extern "C" LPARAM WINAPI GetPropCreateParam(EditHostRecord*, ObjectSettings*, UINT) {
    return 0;
}

extern "C" BOOL WINAPI EditProp(EditHostRecord*, ObjectSettings*, UINT) {
    return FALSE;
}

extern "C" CPropValue* WINAPI GetPropValue(EditHostRecord*, ObjectSettings* settings, UINT id) {
    if (id != PropFileName)
        return nullptr;
    if (!settings)
        return CPropWStringValue::Create(L"", 0);
    return CPropWStringValue::Create(settings->FileName,
                                     TextLengthBounded(settings->FileName, kFileNameUnits - 1));
}

extern "C" void WINAPI SetPropValue(EditHostRecord* host, ObjectSettings* settings, UINT id,
                                    CPropValue* value) {
    if (id != PropFileName || !settings || !value || value->KindCode() != kWideTextKind)
        return;
    LPCWSTR text = static_cast<CPropWStringValue*>(value)->Text();
    TextCopy(settings->FileName, kPropertyFileNameLimit + 1, text ? text : L"");
    settings->NativeSizeTaken = 0;
    ApplyFileName(settings, host);
    RequestRedraw(host, settings);
}

extern "C" BOOL WINAPI GetPropCheck(EditHostRecord*, ObjectSettings* settings, UINT id) {
    WORD bit = PropertyFlagBit(id);
    return settings && bit && (settings->Flags & bit) ? TRUE : FALSE;
}

extern "C" void WINAPI SetPropCheck(EditHostRecord* host, ObjectSettings* settings, UINT id,
                                    BOOL checked) {
    if (!settings)
        return;
    ApplyCheck(host, settings, id, checked != FALSE);
    RequestRedraw(host, settings);
}

void ApplyFileName(ObjectSettings* settings, EditHostRecord* host) {
    if (!settings)
        return;
    bool hasFile = settings->FileName[0] != 0;
    if (hasFile && !FileExists(settings->FileName))
        return;
    if (!hasFile) {
        if (settings->Flags & DefaultSize) {
            settings->Width = kDefaultObjectWidth;
            settings->Height = kDefaultObjectHeight;
        }
        return;
    }

    HWND parent = host ? host->editorMainWindow : nullptr;
    HWND preview =
        CreatePreviewWindow(parent, ModuleInstance(), BorderExStyle(settings->Flags), WS_CHILD,
                            kPreviewPosition, kPreviewPosition, settings->Width, settings->Height);
    if (preview) {
        InitPlayerWindowEd(settings, preview);
        DestroyWindow(preview);
        long long width = Span(settings->NativeRect.left, settings->NativeRect.right);
        long long height = Span(settings->NativeRect.top, settings->NativeRect.bottom);
        if (settings->NativeSizeTaken == 0) {
            settings->Width = Sixteen(width);
            settings->Height = Sixteen(height);
            settings->NativeSizeTaken = 1;
        }
        // A zero height gives no ratio; 0 marks the ratio unknown, and aspect-locked resizing
        // then keeps the requested size.
        settings->AspectRatio =
            height != 0 ? static_cast<double>(width) / static_cast<double>(height) : 0.0;
        settings->Flags |= DefaultSize;
        if (settings->Flags & DoubleSize) {
            settings->Width = ToSide(2L * settings->Width);
            settings->Height = ToSide(2L * settings->Height);
        }
    } else {
        settings->Width = kEmptyEditorSide;
        settings->Height = kEmptyEditorSide;
    }
    if (settings->Width == 0 || settings->Height == 0) {
        settings->Width = kEmptyEditorSide;
        settings->Height = kEmptyEditorSide;
    }
}
