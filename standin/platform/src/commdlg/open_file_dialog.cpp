// The common open-file dialog, answered from a script the test sets: each call takes the next
// scripted answer (a path, a cancel, a failure); with none left the user cancels. Every call is
// recorded with what the request showed.
#include <commdlg.h>

#include "standin/faults.h"
#include "standin/open_file_dialog.h"

#include <deque>

namespace standin {
namespace {

struct Answer {
    enum Kind { Choose, Cancel, Fail } kind;
    std::u16string path;
    DWORD error;
};

struct DialogState {
    std::deque<Answer> script;
    std::vector<OpenFileDialogRecord> shown;
    DWORD lastError = 0;
};

DialogState& State() {
    static DialogState state;
    return state;
}

void ResetDialog() {
    State() = DialogState();
}

void EnsureRegistered() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        RegisterReset(ResetDialog);
    }
}

std::u16string Text(LPCWSTR text, size_t limit = 32768) {
    std::u16string out;
    if (text)
        for (size_t i = 0; i < limit && text[i]; ++i)
            out.push_back(static_cast<char16_t>(text[i]));
    return out;
}

// The filter list: pairs of texts, each NUL-terminated, ended by an empty text.
std::vector<std::u16string> FilterEntries(LPCWSTR filter) {
    std::vector<std::u16string> entries;
    if (!filter)
        return entries;
    for (int count = 0; *filter && count < 256; ++count) {
        std::u16string entry = Text(filter);
        entries.push_back(entry);
        filter += entry.size() + 1;
    }
    return entries;
}

OpenFileDialogRecord Record(const OPENFILENAMEW& request) {
    OpenFileDialogRecord record;
    record.structSize = request.lStructSize;
    record.owner = request.hwndOwner;
    record.filter = FilterEntries(request.lpstrFilter);
    record.filterPointer = request.lpstrFilter;
    record.filterIndex = request.nFilterIndex;
    record.customFilter = request.lpstrCustomFilter;
    record.maxFile = request.nMaxFile;
    record.fileOnEntry = Text(request.lpstrFile, request.nMaxFile);
    record.fileTitle = request.lpstrFileTitle;
    record.fileTitleText = Text(request.lpstrFileTitle, 260);
    record.maxFileTitle = request.nMaxFileTitle;
    record.hasInitialDir = request.lpstrInitialDir != nullptr;
    record.initialDir = Text(request.lpstrInitialDir);
    record.title = Text(request.lpstrTitle);
    record.defaultExtension = Text(request.lpstrDefExt);
    record.flags = request.Flags;
    return record;
}

} // namespace

void ScriptOpenFileChoice(const std::u16string& path) {
    EnsureRegistered();
    State().script.push_back(Answer{Answer::Choose, path, 0});
}

void ScriptOpenFileCancel() {
    EnsureRegistered();
    State().script.push_back(Answer{Answer::Cancel, u"", 0});
}

void ScriptOpenFileFailure(DWORD error) {
    EnsureRegistered();
    State().script.push_back(Answer{Answer::Fail, u"", error});
}

const std::vector<OpenFileDialogRecord>& OpenFileDialogs() {
    EnsureRegistered();
    return State().shown;
}

} // namespace standin

// A request of a size Windows does not know fails with CDERR_STRUCTSIZE without showing anything;
// a chosen path longer than the caller's buffer fails with FNERR_BUFFERTOOSMALL and leaves the
// needed size (in units, with the terminator) in the buffer's first two bytes, as Windows does.
BOOL WINAPI GetOpenFileNameW(LPOPENFILENAMEW request) {
    using namespace standin;
    EnsureRegistered();
    DialogState& state = State();
    state.lastError = 0;
    if (!request || (request->lStructSize != sizeof(OPENFILENAMEW) &&
                     request->lStructSize != OPENFILENAME_SIZE_VERSION_400W)) {
        state.lastError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    long fault = 0;
    if (TakeFault("GetOpenFileNameW", &fault)) {
        state.lastError = static_cast<DWORD>(fault);
        return FALSE;
    }
    state.shown.push_back(Record(*request));
    if (state.script.empty())
        return FALSE;
    Answer answer = state.script.front();
    state.script.pop_front();
    if (answer.kind == Answer::Cancel)
        return FALSE;
    if (answer.kind == Answer::Fail) {
        state.lastError = answer.error;
        return FALSE;
    }
    if (!request->lpstrFile) {
        state.lastError = CDERR_INITIALIZATION;
        return FALSE;
    }
    const size_t needed = answer.path.size() + 1;
    if (needed > request->nMaxFile) {
        if (request->nMaxFile >= 1)
            request->lpstrFile[0] = static_cast<WCHAR>(needed > 0xFFFF ? 0xFFFF : needed);
        state.lastError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    for (size_t i = 0; i < answer.path.size(); ++i)
        request->lpstrFile[i] = static_cast<WCHAR>(answer.path[i]);
    request->lpstrFile[answer.path.size()] = 0;
    size_t slash = answer.path.find_last_of(u"\\/");
    size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
    size_t dot = answer.path.find_last_of(u'.');
    request->nFileOffset = static_cast<WORD>(nameStart);
    request->nFileExtension = static_cast<WORD>(
        dot == std::u16string::npos || dot < nameStart ? answer.path.size() : dot + 1);
    if (request->lpstrFileTitle && request->nMaxFileTitle > 0) {
        size_t i = 0;
        for (; nameStart + i < answer.path.size() && i + 1 < request->nMaxFileTitle; ++i)
            request->lpstrFileTitle[i] = static_cast<WCHAR>(answer.path[nameStart + i]);
        request->lpstrFileTitle[i] = 0;
    }
    return TRUE;
}

DWORD WINAPI CommDlgExtendedError() {
    return standin::State().lastError;
}
