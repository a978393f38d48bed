// The frame window's pixels as a PNG file: on Windows read back from the screen, where the
// video renderer has drawn into the object windows; the native build's stand-in windows hold no
// pixels, so there is nothing to capture there.
#include "host_session.h"

#include "host_text.h"

#ifdef _WIN32
#include "png_writer.h"
#include "surface.h"
#endif

namespace hoststandin {

bool HostSession::Screenshot(const std::string& path) {
#ifdef _WIN32
    if (!runHost)
        return false;
    HWND frame = runHost->FrameWindow();
    RECT area = {};
    GetClientRect(frame, &area);
    POINT origin = {0, 0};
    ClientToScreen(frame, &origin);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    Surface surface;
    if (memory && bitmap && bits && surface.Create(width, height, 24)) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY) != 0;
        GdiFlush();
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
        for (int y = 0; ok && y < height; ++y) {
            const BYTE* row = static_cast<const BYTE*>(bits) + stride * y;
            for (int x = 0; x < width; ++x)
                surface.SetPixel(x, y, Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]});
        }
        SelectObject(memory, previous);
        ok = ok && WritePngFile(surface, path.c_str());
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (ok)
        Print("screenshot",
              path + " (" + std::to_string(width) + " x " + std::to_string(height) + ")");
    else
        Print("screenshot", "failed: " + path);
    return ok;
#else
    Print("screenshot",
          "not available on the native build (stand-in windows hold no pixels): " + path);
    return false;
#endif
}

} // namespace hoststandin
