// The authoring host's edit-time record, as the host stand-in fills it.
#pragma once

#include "host/host_records.h"

namespace hoststandin {

// An edit-time host record whose version service answers `version` (0 = no service at all).
// Owns the record; the services it offers record their calls for tests.
class EditHost {
public:
    explicit EditHost(DWORD version = 0x02000000u | 0x0FFu);
    EditHost(const EditHost&) = delete;
    EditHost& operator=(const EditHost&) = delete;
    ~EditHost();

    EditHostRecord* Record() { return &record; }
    void SetVersion(DWORD version); // 0 removes the service
    int VersionCalls() const;

private:
    EditHostRecord record;
};

} // namespace hoststandin
