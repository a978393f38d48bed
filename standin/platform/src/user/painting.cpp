// Update regions, paint cycles, device contexts and brushes. Fills are recorded, not drawn.
#include "user_state.h"

#include <algorithm>

using namespace standin;
using namespace standin::user;

namespace {

const int kSystemColorCount = 31;

// The classic (Windows 2000) colour scheme.
const COLORREF kSystemColors[kSystemColorCount] = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128),
    RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240),
    RGB(192, 192, 192), RGB(10, 36, 106),   RGB(212, 208, 200)};

const ULONG_PTR kStockBase = 0x00900000u;
const ULONG_PTR kSystemBrushBase = 0x00910000u;
const ULONG_PTR kCreatedBrushBase = 0x00920000u;
const int kStockCount = 20;

bool IsStockIndex(int index) {
    return index >= 0 && index < kStockCount && index != 9;
}

HGDIOBJ StockHandle(int index) {
    return reinterpret_cast<HGDIOBJ>(kStockBase + static_cast<ULONG_PTR>(index) * 0x10u);
}

// Index of a stock object handle, or -1.
int StockIndexOf(HGDIOBJ object) {
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(object);
    if (value < kStockBase || (value - kStockBase) % 0x10u != 0)
        return -1;
    ULONG_PTR index = (value - kStockBase) / 0x10u;
    return IsStockIndex(static_cast<int>(index)) && index < kStockCount ? static_cast<int>(index)
                                                                        : -1;
}

int SystemBrushIndexOf(HGDIOBJ object) {
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(object);
    if (value < kSystemBrushBase || (value - kSystemBrushBase) % 0x10u != 0)
        return -1;
    ULONG_PTR index = (value - kSystemBrushBase) / 0x10u;
    return index < static_cast<ULONG_PTR>(kSystemColorCount) ? static_cast<int>(index) : -1;
}

// The colour a brush paints with; false for a hollow or unknown brush.
bool BrushColor(HBRUSH brush, COLORREF* color) {
    State& state = UserState();
    auto created = state.createdBrushes.find(brush);
    if (created != state.createdBrushes.end()) {
        *color = created->second;
        return true;
    }
    int systemIndex = SystemBrushIndexOf(brush);
    if (systemIndex >= 0) {
        *color = kSystemColors[systemIndex];
        return true;
    }
    // A class background may name a system colour as its index + 1.
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(brush);
    if (value >= 1 && value <= static_cast<ULONG_PTR>(kSystemColorCount)) {
        *color = kSystemColors[value - 1];
        return true;
    }
    switch (StockIndexOf(brush)) {
    case WHITE_BRUSH:
    case DC_BRUSH:
        *color = RGB(255, 255, 255);
        return true;
    case LTGRAY_BRUSH:
        *color = RGB(192, 192, 192);
        return true;
    case GRAY_BRUSH:
        *color = RGB(128, 128, 128);
        return true;
    case DKGRAY_BRUSH:
        *color = RGB(64, 64, 64);
        return true;
    case BLACK_BRUSH:
        *color = RGB(0, 0, 0);
        return true;
    default:
        return false;
    }
}

HDC NewDeviceContext(HWND window, bool paintCycle) {
    State& state = UserState();
    HDC dc = reinterpret_cast<HDC>(
        static_cast<ULONG_PTR>(0x01000000u + 0x10u * state.nextDeviceContextSerial++));
    state.deviceContexts[dc] = DeviceContext{window, paintCycle};
    return dc;
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT result = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                   std::min(a.bottom, b.bottom)};
    if (result.right <= result.left || result.bottom <= result.top)
        return RECT{0, 0, 0, 0};
    return result;
}

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

void AddToUpdate(WindowRecord& record, const RECT& area, bool erase) {
    RECT clipped = Intersect(area, ClientRectOf(record));
    if (IsEmpty(clipped))
        return;
    if (record.updatePending) {
        RECT& update = record.updateRect;
        update =
            RECT{std::min(update.left, clipped.left), std::min(update.top, clipped.top),
                 std::max(update.right, clipped.right), std::max(update.bottom, clipped.bottom)};
    } else {
        record.updateRect = clipped;
    }
    record.updatePending = true;
    record.paintOwed = true;
    record.eraseNeeded = record.eraseNeeded || erase;
}

} // namespace

namespace standin {
namespace user {

void InvalidateWhole(WindowRecord& window, bool erase) {
    AddToUpdate(window, ClientRectOf(window), erase);
}

} // namespace user
} // namespace standin

BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
    if (!window) { // every window
        State& state = UserState();
        for (auto& entry : state.windows)
            if (entry.first != state.desktop)
                InvalidateWhole(*entry.second, erase != FALSE);
        return TRUE;
    }
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    AddToUpdate(*record, rect ? *rect : ClientRectOf(*record), erase != FALSE);
    return TRUE;
}

// Sends WM_PAINT at once, bypassing the queue, when the visible window has something to paint.
BOOL WINAPI UpdateWindow(HWND window) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    if (record->updatePending && IsWindowVisible(window))
        Send(window, WM_PAINT, 0, 0);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
    WindowRecord* record = WindowOrError(window);
    if (!record || !paint)
        return nullptr;
    HDC dc = NewDeviceContext(window, true);
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    paint->rcPaint = record->updatePending ? record->updateRect : RECT{0, 0, 0, 0};
    bool erase = record->eraseNeeded;
    record->updatePending = false;
    record->eraseNeeded = false;
    record->paintOwed = false;
    if (erase)
        paint->fErase = Send(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* paint) {
    if (paint)
        UserState().deviceContexts.erase(paint->hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND window) {
    if (!window)
        window = UserState().desktop;
    if (!WindowOrError(window))
        return nullptr;
    return NewDeviceContext(window, false);
}

int WINAPI ReleaseDC(HWND, HDC dc) {
    auto& contexts = UserState().deviceContexts;
    auto found = contexts.find(dc);
    if (found == contexts.end() || found->second.paintCycle)
        return 0;
    contexts.erase(found);
    return 1;
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    State& state = UserState();
    auto context = state.deviceContexts.find(dc);
    if (context == state.deviceContexts.end() || !rect)
        return 0;
    if (StockIndexOf(brush) == NULL_BRUSH)
        return 1;
    COLORREF color = 0;
    if (!BrushColor(brush, &color))
        return 0;
    state.fills.push_back(FillRecord{context->second.window, *rect, brush, color});
    return 1;
}

HGDIOBJ WINAPI GetStockObject(int object) {
    return IsStockIndex(object) ? StockHandle(object) : nullptr;
}

DWORD WINAPI GetSysColor(int index) {
    return index >= 0 && index < kSystemColorCount ? kSystemColors[index] : 0;
}

// Fault injection "CreateSolidBrush": no brush (null).
HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    long fault = 0;
    if (TakeFault("CreateSolidBrush", &fault))
        return nullptr;
    State& state = UserState();
    HBRUSH brush = reinterpret_cast<HBRUSH>(kCreatedBrushBase + 0x10u * state.nextBrushSerial++);
    state.createdBrushes[brush] = color & 0x00FFFFFFu;
    return brush;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    State& state = UserState();
    if (state.createdBrushes.erase(reinterpret_cast<HBRUSH>(object)))
        return TRUE;
    return StockIndexOf(object) >= 0 || SystemBrushIndexOf(object) >= 0;
}
