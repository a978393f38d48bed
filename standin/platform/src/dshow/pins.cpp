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
    HRESULT STDMETHODCALLTYPE Connect(IPin*, const AM_MEDIA_TYPE*) override {
        return Unmodelled("IPin::Connect");
    }
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override {
        return Unmodelled("IPin::ReceiveConnection");
    }
    HRESULT STDMETHODCALLTYPE Disconnect() override { return Unmodelled("IPin::Disconnect"); }
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
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE*) override {
        return Unmodelled("IPin::ConnectionMediaType");
    }
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO*) override {
        return Unmodelled("IPin::QueryPinInfo");
    }
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* result) override {
        if (!result)
            return E_POINTER;
        *result = direction;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR*) override { return Unmodelled("IPin::QueryId"); }
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE*) override {
        return Unmodelled("IPin::QueryAccept");
    }
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes**) override {
        return Unmodelled("IPin::EnumMediaTypes");
    }
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin**, ULONG*) override {
        return Unmodelled("IPin::QueryInternalConnections");
    }
    HRESULT STDMETHODCALLTYPE EndOfStream() override { return Unmodelled("IPin::EndOfStream"); }
    HRESULT STDMETHODCALLTYPE BeginFlush() override { return Unmodelled("IPin::BeginFlush"); }
    HRESULT STDMETHODCALLTYPE EndFlush() override { return Unmodelled("IPin::EndFlush"); }
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override {
        return Unmodelled("IPin::NewSegment");
    }

  private:
    VideoRendererFilter* renderer;
    PIN_DIRECTION direction;
};

class PinEnumerator : public CountedInterface<IEnumPins> {
  public:
    PinEnumerator(VideoRendererFilter* renderer, ULONG next) : renderer(renderer), next(next) {
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
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next = count >= kPins - next ? kPins : next + count;
        return next < kPins ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumPins** copy) override {
        if (!copy)
            return E_POINTER;
        *copy = new PinEnumerator(renderer, next);
        return S_OK;
    }

  private:
    static const ULONG kPins = 1;
    VideoRendererFilter* renderer;
    ULONG next;
};

} // namespace

IEnumPins* NewRendererPinEnumerator(VideoRendererFilter* renderer) {
    return new PinEnumerator(renderer, 0);
}

} // namespace dshow
} // namespace standin
