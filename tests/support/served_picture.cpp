#include "support/served_picture.h"

#include "player/video_player.h"

#include <cstring>
#include <vector>

namespace {

// Forwards every call to the graph's renderer except GetCurrentImage.
class ServingRenderer final : public IBasicVideo {
  public:
    ServingRenderer(IBasicVideo* inner, const uint8_t* bytes, size_t count)
        : inner(inner), picture(bytes, bytes + count) {
        inner->AddRef();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out && (IsEqualGUID(iid, IID_IBasicVideo) || IsEqualGUID(iid, IID_IUnknown))) {
            *out = static_cast<IBasicVideo*>(this);
            AddRef();
            return S_OK;
        }
        return inner->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left == 0) {
            inner->Release();
            delete this;
        }
        return left;
    }

    // With a null buffer: the byte count. With a buffer: the bytes, when the buffer holds them.
    HRESULT STDMETHODCALLTYPE GetCurrentImage(long* bufferSize, long* image) override {
        if (!bufferSize)
            return E_POINTER;
        const long count = static_cast<long>(picture.size());
        if (!image) {
            *bufferSize = count;
            return S_OK;
        }
        if (*bufferSize < count)
            return E_OUTOFMEMORY;
        if (count)
            std::memcpy(image, picture.data(), picture.size());
        return S_OK;
    }

#define FORWARD(name, parameters, arguments)                                                       \
    HRESULT STDMETHODCALLTYPE name parameters override {                                           \
        return inner->name arguments;                                                              \
    }
    FORWARD(GetTypeInfoCount, (UINT * count), (count))
    FORWARD(GetTypeInfo, (UINT index, LCID lcid, ITypeInfo** info), (index, lcid, info))
    FORWARD(GetIDsOfNames, (REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids),
            (iid, names, count, lcid, ids))
    FORWARD(Invoke,
            (DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* parameters, VARIANT* result,
             EXCEPINFO* exception, UINT* argumentError),
            (id, iid, lcid, flags, parameters, result, exception, argumentError))
    FORWARD(get_AvgTimePerFrame, (REFTIME * value), (value))
    FORWARD(get_BitRate, (long* value), (value))
    FORWARD(get_BitErrorRate, (long* value), (value))
    FORWARD(get_VideoWidth, (long* value), (value))
    FORWARD(get_VideoHeight, (long* value), (value))
    FORWARD(put_SourceLeft, (long value), (value))
    FORWARD(get_SourceLeft, (long* value), (value))
    FORWARD(put_SourceWidth, (long value), (value))
    FORWARD(get_SourceWidth, (long* value), (value))
    FORWARD(put_SourceTop, (long value), (value))
    FORWARD(get_SourceTop, (long* value), (value))
    FORWARD(put_SourceHeight, (long value), (value))
    FORWARD(get_SourceHeight, (long* value), (value))
    FORWARD(put_DestinationLeft, (long value), (value))
    FORWARD(get_DestinationLeft, (long* value), (value))
    FORWARD(put_DestinationWidth, (long value), (value))
    FORWARD(get_DestinationWidth, (long* value), (value))
    FORWARD(put_DestinationTop, (long value), (value))
    FORWARD(get_DestinationTop, (long* value), (value))
    FORWARD(put_DestinationHeight, (long value), (value))
    FORWARD(get_DestinationHeight, (long* value), (value))
    FORWARD(SetSourcePosition, (long left, long top, long width, long height),
            (left, top, width, height))
    FORWARD(GetSourcePosition, (long* left, long* top, long* width, long* height),
            (left, top, width, height))
    FORWARD(SetDefaultSourcePosition, (), ())
    FORWARD(SetDestinationPosition, (long left, long top, long width, long height),
            (left, top, width, height))
    FORWARD(GetDestinationPosition, (long* left, long* top, long* width, long* height),
            (left, top, width, height))
    FORWARD(SetDefaultDestinationPosition, (), ())
    FORWARD(GetVideoSize, (long* width, long* height), (width, height))
    FORWARD(GetVideoPaletteEntries, (long start, long entries, long* retrieved, long* palette),
            (start, entries, retrieved, palette))
    FORWARD(IsUsingDefaultSource, (), ())
    FORWARD(IsUsingDefaultDestination, (), ())
#undef FORWARD

  private:
    ~ServingRenderer() = default;

    IBasicVideo* inner;
    std::vector<uint8_t> picture;
    ULONG references = 1;
};

} // namespace

ServedPicture::ServedPicture(VideoPlayer* player, const uint8_t* bytes, size_t count)
    : player(player), own(player ? player->pBV : nullptr), serving(nullptr) {
    if (!own)
        return;
    serving = new ServingRenderer(own, bytes, count);
    player->pBV = serving;
}

ServedPicture::~ServedPicture() {
    if (!serving)
        return;
    player->pBV = own;
    serving->Release();
}
