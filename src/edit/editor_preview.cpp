#include "edit/editor_preview.h"

#include "diag/event_log.h"
#include "diag/log_failure.h"
#include "diag/text.h"
#include "player/com_release.h"
#include "player/indeo_requests.h"
#include "player/state_timeouts.h"

#include <dshow.h>

extern const WCHAR kPreviewWindowClass[] = L"VidEdPlayer";

namespace {

// Where the fitting parks the hidden preview window.
constexpr int kFittedPosition = 1600;
// The side of the preview window of a clip without a visible picture.
constexpr int kNoVideoSide = 32;
// How long stopping the graph waits for the pause to settle.

bool RegisterPreviewClass(HINSTANCE instance) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kPreviewWindowClass, &existing))
        return true;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kPreviewWindowClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The interfaces of the measuring graph, in order of acquisition; released in the fixed order
// media event, position, seeking, control, basic audio, basic video, video window, builder.
class EditorPreviewGraph {
  public:
    EditorPreviewGraph() = default;
    EditorPreviewGraph(const EditorPreviewGraph&) = delete;
    EditorPreviewGraph& operator=(const EditorPreviewGraph&) = delete;
    ~EditorPreviewGraph() { Release(); }

    HRESULT Build(LPCWSTR file);
    bool ShowsVideo();
    HRESULT BindWindow(HWND window);
    bool FitWindow(HWND window);
    void PlaceOnClient(HWND window, RECT* client);
    void Stop();

  private:
    void Release() {
        ReleaseAndEmpty(pME);
        ReleaseAndEmpty(pMP);
        ReleaseAndEmpty(pMS);
        ReleaseAndEmpty(pMC);
        ReleaseAndEmpty(pBA);
        ReleaseAndEmpty(pBV);
        ReleaseAndEmpty(pVW);
        ReleaseAndEmpty(pGB);
    }

    IGraphBuilder* pGB = nullptr;
    IMediaControl* pMC = nullptr;
    IMediaEventEx* pME = nullptr;
    IMediaSeeking* pMS = nullptr;
    IMediaPosition* pMP = nullptr;
    IVideoWindow* pVW = nullptr;
    IBasicVideo* pBV = nullptr;
    IBasicAudio* pBA = nullptr;
};

HRESULT EditorPreviewGraph::Build(LPCWSTR file) {
    WCHAR wFile[kFileNameUnits];
    TextCopy(wFile, kFileNameUnits, file);

    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IGraphBuilder, reinterpret_cast<void**>(&pGB));
    if (FAILED(hr)) {
        LogFailure(hr, L"CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, "
                       L"IID_IGraphBuilder, (void **)&pGB)");
        return hr;
    }
    hr = pGB->RenderFile(wFile, nullptr);
    if (FAILED(hr)) {
        LogFailure(hr, L"pGB->RenderFile(wFile, NULL)");
        return hr;
    }
    struct Query {
        const IID* iid;
        void** target;
        LPCWSTR failedCall;
    };
    const Query queries[] = {
        {&IID_IMediaControl, reinterpret_cast<void**>(&pMC),
         L"pGB->QueryInterface(IID_IMediaControl, (void **)&pMC)"},
        {&IID_IMediaEventEx, reinterpret_cast<void**>(&pME),
         L"pGB->QueryInterface(IID_IMediaEventEx, (void **)&pME)"},
        {&IID_IMediaSeeking, reinterpret_cast<void**>(&pMS),
         L"pGB->QueryInterface(IID_IMediaSeeking, (void **)&pMS)"},
        {&IID_IMediaPosition, reinterpret_cast<void**>(&pMP),
         L"pGB->QueryInterface(IID_IMediaPosition, (void **)&pMP)"},
        {&IID_IVideoWindow, reinterpret_cast<void**>(&pVW),
         L"pGB->QueryInterface(IID_IVideoWindow, (void **)&pVW)"},
        {&IID_IBasicVideo, reinterpret_cast<void**>(&pBV),
         L"pGB->QueryInterface(IID_IBasicVideo, (void **)&pBV)"},
        {&IID_IBasicAudio, reinterpret_cast<void**>(&pBA),
         L"pGB->QueryInterface(IID_IBasicAudio, (void **)&pBA)"},
    };
    for (const Query& query : queries) {
        hr = pGB->QueryInterface(*query.iid, query.target);
        if (FAILED(hr)) {
            *query.target = nullptr;
            LogFailure(hr, query.failedCall);
            return hr;
        }
    }
    return hr;
}

// A clip shows video unless its video interfaces are missing or the video window reports that
// no renderer stands behind it.
bool EditorPreviewGraph::ShowsVideo() {
    if (!pVW || !pBV)
        return false;
    long visible = 0;
    return pVW->get_Visible(&visible) != E_NOINTERFACE;
}

HRESULT EditorPreviewGraph::BindWindow(HWND window) {
    OAHWND evidHWnd = reinterpret_cast<OAHWND>(window);
    HRESULT hr = pVW->put_Owner(evidHWnd);
    if (FAILED(hr)) {
        LogFailure(hr, L"pVW->put_Owner((OAHWND)evidHWnd)");
        return hr;
    }
    hr = pVW->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    if (FAILED(hr)) {
        LogFailure(hr, L"pVW->put_WindowStyle(WS_CHILDWINDOW | WS_CLIPSIBLINGS )");
        return hr;
    }
    hr = pVW->put_MessageDrain(evidHWnd);
    LogIfFailed(hr, L"pVW->put_MessageDrain((OAHWND)evidHWnd)");
    return hr;
}

// Sizes the window so that its client area, inside the 3-D edges of its border, shows the video
// at its native size, and places the video there. True when the video is placed.
bool EditorPreviewGraph::FitWindow(HWND window) {
    long width = 0;
    long height = 0;
    if (FAILED(pBV->GetVideoSize(&width, &height)))
        return false;
    const long scaleNumerator = 1;
    const long scaleDenominator = 1;
    width = width * scaleNumerator / scaleDenominator;
    height = height * scaleNumerator / scaleDenominator;
    SetWindowPos(window, nullptr, kFittedPosition, kFittedPosition, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(window, nullptr, 0, 0, width + 2 * GetSystemMetrics(SM_CXEDGE),
                 height + 2 * GetSystemMetrics(SM_CYEDGE),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rect = {};
    GetClientRect(window, &rect);
    HRESULT hr = pVW->SetWindowPosition(rect.left, rect.top, rect.right, rect.bottom);
    if (FAILED(hr)) {
        LogFailure(hr, L"pVW->SetWindowPosition(rect.left, rect.top, rect.right, rect.bottom)");
        return false;
    }
    return true;
}

void EditorPreviewGraph::PlaceOnClient(HWND window, RECT* client) {
    GetClientRect(window, client);
    if (!pVW)
        return;
    HRESULT hr = pVW->SetWindowPosition(client->left, client->top, client->right, client->bottom);
    LogIfFailed(hr,
                L"pVW->SetWindowPosition(client.left, client.top, client.right, client.bottom)");
}

void EditorPreviewGraph::Stop() {
    if (pMC) {
        pMC->Pause();
        OAFilterState state = 0;
        pMC->GetState(StateTimeoutMs, &state);
        pMC->Stop();
    }
    if (pVW) {
        pVW->put_Visible(OAFALSE);
        pVW->put_Owner(0);
    }
}

} // namespace

HWND CreatePreviewWindow(HWND parent, HINSTANCE instance, DWORD exStyle, DWORD style, int x, int y,
                         int width, int height) {
    if (!RegisterPreviewClass(instance))
        return nullptr;
    return CreateWindowExW(exStyle, kPreviewWindowClass, nullptr, style, x, y, width, height,
                           parent, nullptr, instance, nullptr);
}

HRESULT InitPlayerWindowEd(ObjectSettings* settings, HWND previewWindow) {
    if (!settings || !previewWindow)
        return E_POINTER;
    ResetIndeoRequestHeaders();

    EditorPreviewGraph graph;
    HRESULT hr = graph.Build(settings->FileName);
    if (FAILED(hr))
        return hr;

    if (!graph.ShowsVideo()) {
        SetWindowPos(previewWindow, nullptr, 0, 0, kNoVideoSide, kNoVideoSide,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        hr = graph.BindWindow(previewWindow);
        if (FAILED(hr))
            return hr;
        if (graph.FitWindow(previewWindow))
            settings->Flags |= DefaultSize;
    }

    RECT client = {};
    graph.PlaceOnClient(previewWindow, &client);
    settings->NativeRect.left = 0;
    settings->NativeRect.top = 0;
    settings->NativeRect.right = client.right - client.left;
    settings->NativeRect.bottom = client.bottom - client.top;

    graph.Stop();
    return hr;
}
