#include "edit_host.h"

#include <cstring>

namespace hoststandin {
namespace {

// The version service takes no argument, so the value it answers is module-wide here.
DWORD currentVersion = 0;
int versionCalls = 0;

DWORD WINAPI AnswerVersion() {
    ++versionCalls;
    return currentVersion;
}

} // namespace

EditHost::EditHost(DWORD version) {
    std::memset(&record, 0, sizeof record);
    SetVersion(version);
}

EditHost::~EditHost() = default;

void EditHost::SetVersion(DWORD version) {
    currentVersion = version;
    versionCalls = 0;
    record.version = version ? AnswerVersion : nullptr;
}

int EditHost::VersionCalls() const { return versionCalls; }

} // namespace hoststandin
