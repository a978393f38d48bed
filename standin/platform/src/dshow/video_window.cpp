// The video renderer's window ("ActiveMovie Window") and IVideoWindow of the filter graph
// manager. The window is a real stand-in window: an owner makes it a child, a message drain
// receives its mouse and keyboard messages, full screen makes it a top-level window covering the
// screen. Without a video renderer every call it models answers E_NOINTERFACE.
#include "filter_graph.h"

#include "standin/faults.h"

#include <map>

namespace standin {
namespace dshow {
namespace {

const WCHAR kClassName[] = L"VideoRenderer";
const WCHAR kTitle[] = L"ActiveMovie Window";
const long kDefaultStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// Styles a video window cannot take.
const long kRefusedStyles = WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE | WS_HSCROLL | WS_VSCROLL;

std::map<HWND, FilterGraph*>& WindowGraphs() {
    static std::map<HWND, FilterGraph*> graphs;
    return graphs;
}

bool IsInputMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

// Mouse and keyboard messages go on to the message drain, as the renderer's window does.
LRESULT CALLBACK VideoWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsInputMessage(message)) {
        auto found = WindowGraphs().find(window);
        if (found != WindowGraphs().end() && found->second->Window().drain) {
            InternalCallScope internal;
            PostMessageW(reinterpret_cast<HWND>(found->second->Window().drain), message, wParam,
                         lParam);
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool IsBoolean(long value) {
    return value == OATRUE || value == OAFALSE;
}

// Places the window (left, top, width, height) unless full screen holds it.
void Place(VideoWindowState& w, const RECT& position) {
    if (w.fullScreen != OAFALSE) {
        w.restore = position;
        return;
    }
    w.position = position;
    if (w.window) {
        InternalCallScope internal;
        SetWindowPos(w.window, nullptr, position.left, position.top, position.right,
                     position.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Show(VideoWindowState& w, bool visible) {
    w.visible = visible;
    if (w.window) {
        InternalCallScope internal;
        ShowWindow(w.window, visible ? SW_SHOWNORMAL : SW_HIDE);
    }
}

void ApplyStyle(VideoWindowState& w) {
    if (!w.window)
        return;
    InternalCallScope internal;
    long style = w.style | (w.visible ? WS_VISIBLE : 0);
    SetWindowLongW(w.window, GWL_STYLE, style);
}

// An owner makes the window its child; no owner makes it top-level again.
void ApplyOwner(VideoWindowState& w) {
    if (w.owner)
        w.style = (w.style | WS_CHILD) & ~static_cast<long>(WS_POPUP);
    else
        w.style &= ~static_cast<long>(WS_CHILD);
    if (!w.window)
        return;
    ApplyStyle(w);
    InternalCallScope internal;
    SetParent(w.window, reinterpret_cast<HWND>(w.owner));
}

} // namespace

void ForgetVideoWindows() {
    WindowGraphs().clear();
}

void FilterGraph::CreateVideoWindow() {
    InternalCallScope internal;
    WNDCLASSEXW description = {};
    description.cbSize = sizeof description;
    if (!GetClassInfoExW(nullptr, kClassName, &description)) {
        description = WNDCLASSEXW{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = VideoWindowProcedure;
        description.lpszClassName = kClassName;
        RegisterClassExW(&description);
    }
    window.style = kDefaultStyle;
    RECT frame = {0, 0, media.width, media.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(kDefaultStyle), FALSE, 0);
    window.position = RECT{0, 0, frame.right - frame.left, frame.bottom - frame.top};
    window.window = CreateWindowExW(0, kClassName, kTitle, static_cast<DWORD>(kDefaultStyle), 0, 0,
                                    window.position.right, window.position.bottom, nullptr, nullptr,
                                    nullptr, nullptr);
    if (window.window)
        WindowGraphs()[window.window] = this;
}

void FilterGraph::DestroyVideoWindow() {
    if (!window.window)
        return;
    WindowGraphs().erase(window.window);
    InternalCallScope internal;
    DestroyWindow(window.window);
    window.window = nullptr;
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::put_WindowStyle(long style) {
    if (HRESULT refused = RendererCallResult(graph, "put_WindowStyle"))
        return refused;
    VideoWindowState& w = graph->Window();
    if (style & kRefusedStyles)
        return E_INVALIDARG;
    w.style = style & ~static_cast<long>(WS_VISIBLE);
    ApplyStyle(w);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::put_WindowStyleEx(long style) {
    if (HRESULT refused = RendererCallResult(graph, "put_WindowStyleEx"))
        return refused;
    VideoWindowState& w = graph->Window();
    w.exStyle = style;
    if (w.window) {
        InternalCallScope internal;
        SetWindowLongW(w.window, GWL_EXSTYLE, style);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::get_WindowStyle(long* style) {
    const VideoWindowState& w = graph->Window();
    return RendererValue<long>(graph, "get_WindowStyle", style,
                               w.style | (w.visible ? static_cast<long>(WS_VISIBLE) : 0));
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::get_WindowStyleEx(long* style) {
    return RendererValue<long>(graph, "get_WindowStyleEx", style, graph->Window().exStyle);
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::put_Visible(long visible) {
    if (HRESULT refused = RendererCallResult(graph, "put_Visible"))
        return refused;
    VideoWindowState& w = graph->Window();
    if (!IsBoolean(visible))
        return E_INVALIDARG;
    Show(w, visible == OATRUE);
    return S_OK;
}

// The window's own visibility, as IsWindowVisible tells it: shown under a hidden owner it is not
// visible.
HRESULT STDMETHODCALLTYPE VideoWindowPart::get_Visible(long* visible) {
    const VideoWindowState& w = graph->Window();
    bool shown = w.visible;
    if (w.window) {
        InternalCallScope internal;
        shown = IsWindowVisible(w.window) != FALSE;
    }
    return RendererValue<long>(graph, "get_Visible", visible, shown ? OATRUE : OAFALSE);
}

// While full screen holds the window, the new owner takes effect when full screen ends.
HRESULT STDMETHODCALLTYPE VideoWindowPart::put_Owner(OAHWND owner) {
    if (HRESULT refused = RendererCallResult(graph, "put_Owner"))
        return refused;
    VideoWindowState& w = graph->Window();
    w.owner = owner;
    if (w.fullScreen == OAFALSE)
        ApplyOwner(w);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::put_MessageDrain(OAHWND drain) {
    if (HRESULT refused = RendererCallResult(graph, "put_MessageDrain"))
        return refused;
    graph->Window().drain = drain;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::put_BorderColor(long color) {
    if (HRESULT refused = RendererCallResult(graph, "put_BorderColor"))
        return refused;
    graph->Window().borderColor = color;
    return S_OK;
}

// Full screen lifts the window out of its owner onto the whole screen; leaving puts it back in
// the owner at the place it had (or was given meanwhile).
HRESULT STDMETHODCALLTYPE VideoWindowPart::put_FullScreenMode(long mode) {
    if (HRESULT refused = RendererCallResult(graph, "put_FullScreenMode"))
        return refused;
    VideoWindowState& w = graph->Window();
    if (!IsBoolean(mode))
        return E_INVALIDARG;
    if (mode == w.fullScreen)
        return S_OK;
    InternalCallScope internal;
    if (mode == OATRUE) {
        w.restore = w.position;
        w.fullScreen = OATRUE;
        if (w.window) {
            SetParent(w.window, nullptr);
            SetWindowLongW(w.window, GWL_STYLE,
                           WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                               (w.visible ? WS_VISIBLE : 0));
            SetWindowPos(w.window, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                         GetSystemMetrics(SM_CYSCREEN), SWP_NOACTIVATE);
        }
        Show(w, true);
    } else {
        w.fullScreen = OAFALSE;
        ApplyOwner(w);
        Place(w, w.restore);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::SetWindowForeground(long focus) {
    if (HRESULT refused = RendererCallResult(graph, "SetWindowForeground"))
        return refused;
    VideoWindowState& w = graph->Window();
    if (!IsBoolean(focus))
        return E_INVALIDARG;
    ++w.foregroundCalls;
    if (w.window) {
        InternalCallScope internal;
        SetWindowPos(w.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::NotifyOwnerMessage(OAHWND window, long message,
                                                              LONG_PTR wParam, LONG_PTR lParam) {
    if (HRESULT refused = RendererCallResult(graph, "NotifyOwnerMessage"))
        return refused;
    VideoWindowState& w = graph->Window();
    w.ownerMessages.push_back(NotifyMessage{reinterpret_cast<HWND>(window),
                                            static_cast<UINT>(message), static_cast<WPARAM>(wParam),
                                            static_cast<LPARAM>(lParam)});
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::SetWindowPosition(long left, long top, long width,
                                                             long height) {
    if (HRESULT refused = RendererCallResult(graph, "SetWindowPosition"))
        return refused;
    VideoWindowState& w = graph->Window();
    RECT position = {left, top, width, height};
    w.positions.push_back(position);
    Place(w, position);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoWindowPart::HideCursor(long hide) {
    if (HRESULT refused = RendererCallResult(graph, "HideCursor"))
        return refused;
    graph->Window().cursorHidden = hide != OAFALSE;
    return S_OK;
}

} // namespace dshow
} // namespace standin
