#include "host/host_version.h"

bool IsSupportedHost(const EditHostRecord* host) {
    if (!host || !host->version)
        return false;
    if ((host->version() & 0xFFF) < kLowestHostBuild)
        return false;
    if ((host->version() & 0xFFFF0000u) < kLowestHostProduct)
        return false;
    return true;
}
