#include "edit/object_rect.h"

#include <cmath>

namespace {

// 5 % of a side, truncated toward zero: a change smaller than this is the author's hand wobbling.
int Tolerance(SHORT side) {
    return static_cast<int>(side * 0.05);
}

int Distance(SHORT a, SHORT b) {
    return std::abs(static_cast<int>(a) - static_cast<int>(b));
}

// A side derived from the aspect ratio, when it can be stored as a 16-bit size. A ratio that is
// zero, negative or not finite (an 8-bit upgrade or a failed measurement leaves such values)
// gives no usable side, and neither does a result outside the 16-bit range.
bool AspectSide(double value, SHORT* side) {
    if (!std::isfinite(value))
        return false;
    double truncated = std::trunc(value);
    if (truncated < -32768.0 || truncated > 32767.0)
        return false;
    *side = static_cast<SHORT>(truncated);
    return true;
}

bool UsableAspect(double aspectRatio) {
    return std::isfinite(aspectRatio) && aspectRatio > 0.0;
}

} // namespace

EditSize ResolveEditSize(SHORT currentWidth, SHORT currentHeight, SHORT requestedWidth,
                         SHORT requestedHeight, bool keepAspect, double aspectRatio) {
    EditSize requested = {requestedWidth, requestedHeight};
    bool locked = keepAspect && UsableAspect(aspectRatio);

    // The width is tested first: when both sides moved, the width wins and the height follows.
    if (Distance(currentWidth, requestedWidth) >= Tolerance(currentWidth)) {
        EditSize result = requested;
        if (locked && !AspectSide(requestedWidth / aspectRatio, &result.height))
            return requested;
        return result;
    }
    if (locked && Distance(currentHeight, requestedHeight) >= Tolerance(currentHeight)) {
        EditSize result = requested;
        if (!AspectSide(requestedHeight * aspectRatio, &result.width))
            return requested;
        return result;
    }
    return requested;
}

extern "C" void WINAPI GetObjectRect(EditHostRecord*, RECT* rect, void*, ObjectSettings* settings) {
    if (!rect || !settings)
        return;
    // Wrapping 32-bit sums: a rectangle at the far edge of the coordinate range stays defined.
    LONG width = settings->Width ? settings->Width : kEmptyEditorSide;
    LONG height = settings->Height ? settings->Height : kEmptyEditorSide;
    rect->right = static_cast<LONG>(static_cast<DWORD>(rect->left) + static_cast<DWORD>(width));
    rect->bottom = static_cast<LONG>(static_cast<DWORD>(rect->top) + static_cast<DWORD>(height));
}

extern "C" int WINAPI SetEditSize(EditHostRecord*, ObjectSettings* settings, int newWidth,
                                  int newHeight) {
    if (!settings)
        return 0;
    EditSize size = ResolveEditSize(settings->Width, settings->Height, static_cast<SHORT>(newWidth),
                                    static_cast<SHORT>(newHeight),
                                    (settings->Flags & KeepAspect) != 0, settings->AspectRatio);
    settings->Width = size.width;
    settings->Height = size.height;
    return 1;
}
