// The test view of the user-interface stand-in.
#include "user_state.h"

using namespace standin::user;

namespace standin {

WindowInfo InspectWindow(HWND window) {
    WindowInfo info;
    State& state = UserState();
    WindowRecord* record = FindWindowRecord(window);
    if (!record || window == state.desktop)
        return info;
    info.exists = true;
    info.className = record->windowClass ? record->windowClass->name : std::u16string();
    info.title = record->title;
    info.parent = record->parent == state.desktop ? nullptr : record->parent;
    info.owner = record->owner;
    info.instance = record->instance;
    info.rect = record->rect;
    info.clientRect = ClientRectOf(*record);
    info.visible = (record->style & WS_VISIBLE) != 0;
    info.enabled = !(record->style & WS_DISABLED);
    info.style = record->style;
    info.exStyle = record->exStyle;
    info.userData = record->userData;
    info.procedure = record->procedure;
    info.props = record->props;
    info.paintPending = record->updatePending;
    info.layered = record->layered;
    info.layeredKey = record->layeredKey;
    info.layeredAlpha = record->layeredAlpha;
    info.layeredFlags = record->layeredFlags;
    return info;
}

std::vector<HWND> LiveWindows() {
    State& state = UserState();
    std::vector<HWND> live;
    for (auto& entry : state.windows)
        if (entry.first != state.desktop)
            live.push_back(entry.first);
    return live;
}

std::vector<HWND> ChildWindows(HWND parent) {
    WindowRecord* record = FindWindowRecord(parent ? parent : UserState().desktop);
    return record ? record->children : std::vector<HWND>();
}

std::vector<MSG> QueuedMessages() {
    auto& posted = UserState().posted;
    return std::vector<MSG>(posted.begin(), posted.end());
}

bool QuitPosted() {
    return UserState().quitPosted;
}

int QuitExitCode() {
    return UserState().quitCode;
}

void TraceMessages(bool on) {
    State& state = UserState();
    state.tracing = on;
    state.trace.clear();
}

std::vector<TracedMessage> MessageTrace() {
    return UserState().trace;
}

std::vector<UINT> MessageTrace(HWND window) {
    std::vector<UINT> messages;
    for (const TracedMessage& traced : UserState().trace)
        if (traced.window == window)
            messages.push_back(traced.message);
    return messages;
}

std::vector<MessageBoxRecord> MessageBoxes() {
    return UserState().messageBoxes;
}

void ScriptMessageBoxAnswers(const std::vector<int>& answers) {
    State& state = UserState();
    state.messageBoxScript.assign(answers.begin(), answers.end());
}

CursorState Cursor() {
    State& state = UserState();
    return CursorState{state.cursor,
                       state.cursorDisplayCount,
                       state.capture,
                       state.cursorPosition,
                       state.setCursorCalls,
                       state.setCaptureCalls,
                       state.releaseCaptureCalls};
}

HCURSOR StandardCursor(LPCWSTR id) {
    return StandardCursorHandle(id);
}

std::vector<FillRecord> Fills() {
    return UserState().fills;
}

int OpenPaintCycles() {
    return static_cast<int>(UserState().deviceContexts.size());
}

int LiveCreatedBrushes() {
    return static_cast<int>(UserState().createdBrushes.size());
}

} // namespace standin
