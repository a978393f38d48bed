// Reference bookkeeping shared by every simulated DirectShow object, so tests can assert that a
// caller released everything it took.
#pragma once

#include <dshow.h>

namespace standin {
namespace dshow {

class CountedObject {
  public:
    CountedObject();
    virtual ~CountedObject();
    CountedObject(const CountedObject&) = delete;
    CountedObject& operator=(const CountedObject&) = delete;

    // References held by callers (the object's own holders, such as a graph on its filters, do
    // not count).
    virtual long ClientReferences() const = 0;
};

long SumClientReferences();
// Forgets every object (leaked ones from an earlier test stay allocated but no longer count).
void ForgetCountedObjects();

// The fault name of an interface identifier ("IMediaSeeking"), or "unknown".
const char* InterfaceName(REFIID iid);
// Consults the general and the interface-specific QueryInterface faults.
HRESULT QueryInterfaceFault(const char* general, REFIID iid);

} // namespace dshow
} // namespace standin
