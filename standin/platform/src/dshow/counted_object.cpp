#include "counted_object.h"

#include "standin/codecs.h"
#include "standin/faults.h"

#include <set>
#include <string>

namespace standin {
namespace dshow {
namespace {

std::set<CountedObject*>& Live() {
    static std::set<CountedObject*> live;
    return live;
}

struct NamedInterface {
    const GUID* iid;
    const char* name;
};

const NamedInterface kInterfaces[] = {
    {&IID_IUnknown, "IUnknown"},
    {&IID_IDispatch, "IDispatch"},
    {&IID_IPersist, "IPersist"},
    {&IID_IMediaFilter, "IMediaFilter"},
    {&IID_IBaseFilter, "IBaseFilter"},
    {&IID_IEnumFilters, "IEnumFilters"},
    {&IID_IFilterGraph, "IFilterGraph"},
    {&IID_IGraphBuilder, "IGraphBuilder"},
    {&IID_IMediaControl, "IMediaControl"},
    {&IID_IMediaEvent, "IMediaEvent"},
    {&IID_IMediaEventEx, "IMediaEventEx"},
    {&IID_IMediaSeeking, "IMediaSeeking"},
    {&IID_IMediaPosition, "IMediaPosition"},
    {&IID_IVideoWindow, "IVideoWindow"},
    {&IID_IBasicVideo, "IBasicVideo"},
    {&IID_IBasicAudio, "IBasicAudio"},
    {&IID_IVideoFrameStep, "IVideoFrameStep"},
    {&IID_IQualProp, "IQualProp"},
    {&IID_II6vxDecoder, "II6vxDecoder"},
    {&IID_IIndeoDecode, "IIndeoDecode"},
    {&IID_IDivXFilterInterface, "IDivXFilterInterface"},
};

} // namespace

CountedObject::CountedObject() {
    Live().insert(this);
}
CountedObject::~CountedObject() {
    Live().erase(this);
}

long SumClientReferences() {
    long sum = 0;
    for (CountedObject* object : Live())
        sum += object->ClientReferences();
    return sum;
}

void ForgetCountedObjects() {
    Live().clear();
}

const char* InterfaceName(REFIID iid) {
    for (const NamedInterface& known : kInterfaces)
        if (IsEqualGUID(*known.iid, iid))
            return known.name;
    return "unknown";
}

HRESULT QueryInterfaceFault(const char* general, REFIID iid) {
    HRESULT hr = FaultResult(general);
    if (hr != S_OK)
        return hr;
    return FaultResult((std::string("QueryInterface:") + InterfaceName(iid)).c_str());
}

} // namespace dshow
} // namespace standin
