#include "host_runtime.h"

#include "host/hostrt.h"

#ifndef _WIN32
#include "editor_drawing.h"
#include "hostrt_install.h"
#include "standin/kernel_control.h"
#endif

namespace hoststandin {
namespace {

int fileExistsCalls = 0;
bool answerScripted = false;
int scriptedAnswer = 0;

template <typename Function> FARPROC AsProc(Function function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

} // namespace

int WINAPI HostRuntimeFileExists(LPCWSTR path) {
    ++fileExistsCalls;
    if (answerScripted)
        return scriptedAnswer;
    if (!path || !path[0])
        return 0;
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void InstallHostRuntime() {
    fileExistsCalls = 0;
    answerScripted = false;
#ifndef _WIN32
    standin::RegisterModuleExport(HOSTRT_LIBRARY_NAME, kHostFileExistsOrdinal,
                                  AsProc(&HostRuntimeFileExists));
    InstallImageServices();
    InstallEditorDrawing();
#endif
}

int FileExistsCalls() {
    return fileExistsCalls;
}

void ScriptFileExistsAnswer(int answer) {
    answerScripted = true;
    scriptedAnswer = answer;
}

} // namespace hoststandin
