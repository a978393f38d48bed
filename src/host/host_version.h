// The host-version test that edit-time entry points make before serving the host.
#pragma once

#include "host/host_records.h"

// The lowest host build and product level the module works with (also answered by GetInfos).
constexpr DWORD kLowestHostBuild = 251;
constexpr DWORD kLowestHostProduct = 0x02000000; // product word 0x0200 in the high 16 bits

// True when the host record offers a version service whose value has a build (low 12 bits) of at
// least 251 and a product word (high 16 bits) of at least 0x0200. The service is called once per
// test, twice for a supported host. A null record is not supported.
bool IsSupportedHost(const EditHostRecord* host);
