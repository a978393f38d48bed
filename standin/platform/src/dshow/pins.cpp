// The renderer's input pin and its enumerator. A pin holds its filter alive; ConnectedTo answers
// the upstream output pin once the graph has rendered a picture into the renderer, and
// VFW_E_NOT_CONNECTED before. Everything a caller could use to build a graph by hand is refused.
#include "pins.h"

#include "counted_object.h"
#include "filters.h"

#include "standin/faults.h"

namespace standin {
namespace dshow {
namespace {

template <class Interface> class CountedInterface : public Interface, public CountedObject {
  public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --refs;
        if (left == 0)
            delete this;
        return left;
    }
    long ClientReferences() const override { return static_cast<long>(refs); }

  protected:
    HRESULT Answer(REFIID iid, REFIID own, void** object) {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != own)
            return E_NOINTERFACE;
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }

  private:
    ULONG refs = 1;
};

class Pin : public CountedInterface<IPin> {
  public:
    Pin(VideoRendererFilter* renderer, PIN_DIRECTION direction)
        : renderer(renderer), direction(direction) {
        renderer->AddRef();
    }
    ~Pin() override { renderer->Release(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return Answer(iid, IID_IPin, object);
    }
    STANDIN_UNMODELLED(Pin, Connect, (IPin*, const AM_MEDIA_TYPE*));
    STANDIN_UNMODELLED(Pin, ReceiveConnection, (IPin*, const AM_MEDIA_TYPE*));
    STANDIN_UNMODELLED(Pin, Disconnect, ());
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** peer) override {
        if (HRESULT fault = FaultResult("ConnectedTo"))
            return fault;
        if (!peer)
            return E_POINTER;
        *peer = nullptr;
        if (direction != PINDIR_INPUT || !renderer->Connected())
            return VFW_E_NOT_CONNECTED;
        *peer = new Pin(renderer, PINDIR_OUTPUT);
        return S_OK;
    }
    STANDIN_UNMODELLED(Pin, ConnectionMediaType, (AM_MEDIA_TYPE*));
    STANDIN_UNMODELLED(Pin, QueryPinInfo, (PIN_INFO*));
    STANDIN_UNMODELLED(Pin, QueryDirection, (PIN_DIRECTION*));
    STANDIN_UNMODELLED(Pin, QueryId, (LPWSTR*));
    STANDIN_UNMODELLED(Pin, QueryAccept, (const AM_MEDIA_TYPE*));
    STANDIN_UNMODELLED(Pin, EnumMediaTypes, (IEnumMediaTypes**));
    STANDIN_UNMODELLED(Pin, QueryInternalConnections, (IPin**, ULONG*));
    STANDIN_UNMODELLED(Pin, EndOfStream, ());
    STANDIN_UNMODELLED(Pin, BeginFlush, ());
    STANDIN_UNMODELLED(Pin, EndFlush, ());
    STANDIN_UNMODELLED(Pin, NewSegment, (REFERENCE_TIME, REFERENCE_TIME, double));

  private:
    VideoRendererFilter* renderer;
    PIN_DIRECTION direction;
};

class PinEnumerator : public CountedInterface<IEnumPins> {
  public:
    explicit PinEnumerator(VideoRendererFilter* renderer) : renderer(renderer) {
        renderer->AddRef();
    }
    ~PinEnumerator() override { renderer->Release(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return Answer(iid, IID_IEnumPins, object);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IPin** pins, ULONG* fetched) override {
        if (!pins || (count > 1 && !fetched))
            return E_POINTER;
        ULONG given = 0;
        if (count > 0 && next < kPins) {
            pins[given++] = new Pin(renderer, PINDIR_INPUT);
            ++next;
        }
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    STANDIN_UNMODELLED(PinEnumerator, Skip, (ULONG));
    STANDIN_UNMODELLED(PinEnumerator, Reset, ());
    STANDIN_UNMODELLED(PinEnumerator, Clone, (IEnumPins**));

  private:
    static const ULONG kPins = 1;
    VideoRendererFilter* renderer;
    ULONG next = 0;
};

} // namespace

IEnumPins* NewRendererPinEnumerator(VideoRendererFilter* renderer) {
    return new PinEnumerator(renderer);
}

} // namespace dshow
} // namespace standin
