#include "edit_host.h"

#include <cstring>

namespace hoststandin {
namespace {

// The version service takes no argument, so the value it answers is module-wide here.
DWORD currentVersion = 0;
int versionCalls = 0;
// The host whose record the module was last handed.
EditHost* currentHost = nullptr;

DWORD WINAPI AnswerVersion() {
    ++versionCalls;
    return currentVersion;
}

} // namespace

EditHost::EditHost(DWORD version) {
    std::memset(&record, 0, sizeof record);
    SetVersion(version);
    record.request = AnswerRequest;
    record.help = AnswerHelp;
    currentHost = this;
}

EditHost::~EditHost() {
    if (currentHost == this)
        currentHost = nullptr;
}

void EditHost::SetVersion(DWORD version) {
    currentVersion = version;
    versionCalls = 0;
    record.version = version ? AnswerVersion : nullptr;
}

int EditHost::VersionCalls() const {
    return versionCalls;
}

void EditHost::ClearCalls() {
    requests.clear();
    helpCalls.clear();
}

int WINAPI EditHost::AnswerRequest(ObjectSettings* settings, int number, int v1, int v2, int v3) {
    if (!currentHost)
        return 0;
    currentHost->requests.push_back(HostRequestCall{settings, number, v1, v2, v3});
    switch (number) {
    case RequestIsWideApplication:
        return currentHost->wideApplication ? 1 : 0;
    case RequestCodePage:
        return currentHost->applicationCodePage;
    default:
        return 0;
    }
}

int WINAPI EditHost::AnswerHelp(LPCWSTR path, int reserved1, int reserved2) {
    if (!currentHost)
        return 0;
    std::u16string copy;
    for (size_t i = 0; path && path[i]; ++i)
        copy += static_cast<char16_t>(path[i]);
    currentHost->helpCalls.push_back(HelpCall{copy, reserved1, reserved2});
    if (currentHost->helpHandler)
        currentHost->helpHandler(copy);
    return 1;
}

} // namespace hoststandin
