// The three fake decoders with private interfaces. They keep what is written to them and give it
// back, check what they are handed, and can be made to fail by name.
//
// Indeo 5 exchanges records by address: a header (size, "IV50", version, request kind, header
// word, field mask) then fields. The decoder checks the size and code of the record it is given
// and the request kind (2 for the frame record, 3 to read and 4 to write the sequence record), and
// moves only the fields the mask names (the top bit must be set):
//   sequence: 0x1 access key (0x18), 0x2 key in use (0x1C), 0x4 mode word and value (0x20, 0x24),
//             0x8 alternate line (0x28);
//   frame:    0x20 brightness (0x48), 0x40 saturation (0x4C), 0x80 contrast (0x50),
//             0x200 transparency fill (0x54).
#include "filters.h"

#include "standin/faults.h"

#include <cstring>

namespace standin {
namespace dshow {
namespace {

const uint32_t kIndeo5Code = 'I' | 'V' << 8 | '5' << 16 | '0' << 24;
const uint32_t kMaskValid = 0x80000000u;

long ReadField(const void* record, size_t offset) {
    int32_t value;
    std::memcpy(&value, static_cast<const unsigned char*>(record) + offset, 4);
    return value;
}

void WriteField(void* record, size_t offset, long value) {
    int32_t v = static_cast<int32_t>(value);
    std::memcpy(static_cast<unsigned char*>(record) + offset, &v, 4);
}

struct FieldBinding {
    uint32_t maskBit;
    size_t offset;
    int index;
};

const FieldBinding kSequenceFields[] = {
    {0x1, 0x18, 0}, {0x2, 0x1C, 1}, {0x4, 0x20, 2}, {0x4, 0x24, 3}, {0x8, 0x28, 4}};
const FieldBinding kFrameFields[] = {
    {0x20, 0x48, 0}, {0x40, 0x4C, 1}, {0x80, 0x50, 2}, {0x200, 0x54, 3}};

} // namespace

// ---- Indeo 4 ----

Indeo4Decoder::Indeo4Decoder(FilterGraph* graph) : Filter(graph, u"Indeo 4 Video Decoder") {}

HRESULT STDMETHODCALLTYPE Indeo4Decoder::QueryInterface(REFIID iid, void** object) {
    return Filter::QueryInterface(iid, object);
}
ULONG STDMETHODCALLTYPE Indeo4Decoder::AddRef() {
    return Filter::AddRef();
}
ULONG STDMETHODCALLTYPE Indeo4Decoder::Release() {
    return Filter::Release();
}

void* Indeo4Decoder::ExtraInterface(REFIID iid) {
    return iid == IID_II6vxDecoder ? static_cast<II6vxDecoder*>(this) : nullptr;
}

HRESULT STDMETHODCALLTYPE Indeo4Decoder::SetPassword(LPCWSTR text) {
    if (HRESULT fault = FaultResult("Indeo4::SetPassword"))
        return fault;
    if (!text)
        return E_POINTER;
    std::memset(password, 0, sizeof password);
    for (int i = 0; i < 17 && text[i]; ++i)
        password[i] = text[i];
    passwordSet = true;
    return S_OK;
}

// Content without a password set leaves the caller's buffer as it was.
HRESULT STDMETHODCALLTYPE Indeo4Decoder::GetPassword(LPWSTR buffer18) {
    if (HRESULT fault = FaultResult("Indeo4::GetPassword"))
        return fault;
    if (!buffer18)
        return E_POINTER;
    if (!passwordSet)
        return S_FALSE;
    std::memcpy(buffer18, password, sizeof password);
    return S_OK;
}

void Indeo4Decoder::Describe(DecoderView* view) const {
    view->kind = "Indeo4";
    view->passwordSet = passwordSet;
    view->password.clear();
    for (int i = 0; i < 18 && password[i]; ++i)
        view->password.push_back(static_cast<char16_t>(password[i]));
}

// ---- Indeo 5 ----

Indeo5Decoder::Indeo5Decoder(FilterGraph* graph) : Filter(graph, u"Indeo 5 Video Decoder") {}

HRESULT STDMETHODCALLTYPE Indeo5Decoder::QueryInterface(REFIID iid, void** object) {
    return Filter::QueryInterface(iid, object);
}
ULONG STDMETHODCALLTYPE Indeo5Decoder::AddRef() {
    return Filter::AddRef();
}
ULONG STDMETHODCALLTYPE Indeo5Decoder::Release() {
    return Filter::Release();
}

void* Indeo5Decoder::ExtraInterface(REFIID iid) {
    return iid == IID_IIndeoDecode ? static_cast<IIndeoDecode*>(this) : nullptr;
}

HRESULT Indeo5Decoder::Exchange(const char* fault, void* request, bool sequenceRecord, bool write) {
    if (HRESULT hr = FaultResult(fault))
        return hr;
    if (!request)
        return E_POINTER;
    const long expectedSize = sequenceRecord ? 44 : 124;
    const long expectedKind = sequenceRecord ? (write ? 4 : 3) : 2;
    const uint32_t mask = static_cast<uint32_t>(ReadField(request, 0x14));
    if (ReadField(request, 0x00) != expectedSize ||
        static_cast<uint32_t>(ReadField(request, 0x04)) != kIndeo5Code ||
        ReadField(request, 0x0C) != expectedKind || !(mask & kMaskValid))
        return E_INVALIDARG;
    long* values = sequenceRecord ? sequence : frame;
    const FieldBinding* fields = sequenceRecord ? kSequenceFields : kFrameFields;
    const size_t count = sequenceRecord ? 5 : 4;
    for (size_t i = 0; i < count; ++i) {
        if (!(mask & fields[i].maskBit))
            continue;
        if (write)
            values[fields[i].index] = ReadField(request, fields[i].offset);
        else
            WriteField(request, fields[i].offset, values[fields[i].index]);
    }
    if (write)
        ++writes;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Indeo5Decoder::ReadSequence(void* request) {
    return Exchange("Indeo5::ReadSequence", request, true, false);
}
HRESULT STDMETHODCALLTYPE Indeo5Decoder::ReadFrame(void* request) {
    return Exchange("Indeo5::ReadFrame", request, false, false);
}
HRESULT STDMETHODCALLTYPE Indeo5Decoder::WriteSequence(void* request) {
    return Exchange("Indeo5::WriteSequence", request, true, true);
}
HRESULT STDMETHODCALLTYPE Indeo5Decoder::WriteFrame(void* request) {
    return Exchange("Indeo5::WriteFrame", request, false, true);
}

void Indeo5Decoder::Describe(DecoderView* view) const {
    view->kind = "Indeo5";
    view->indeoAccessKey = sequence[0];
    view->indeoKeyInUse = sequence[1];
    view->indeoModeWord = sequence[2];
    view->indeoModeValue = sequence[3];
    view->indeoAltLine = sequence[4];
    view->indeoBrightness = frame[0];
    view->indeoSaturation = frame[1];
    view->indeoContrast = frame[2];
    view->indeoTransFill = frame[3];
    view->indeoWrites = writes;
}

// ---- DivX ----

DivxDecoder::DivxDecoder(FilterGraph* graph) : Filter(graph, u"DivX Decoder Filter") {}

HRESULT STDMETHODCALLTYPE DivxDecoder::QueryInterface(REFIID iid, void** object) {
    return Filter::QueryInterface(iid, object);
}
ULONG STDMETHODCALLTYPE DivxDecoder::AddRef() {
    return Filter::AddRef();
}
ULONG STDMETHODCALLTYPE DivxDecoder::Release() {
    return Filter::Release();
}

void* DivxDecoder::ExtraInterface(REFIID iid) {
    return iid == IID_IDivXFilterInterface ? static_cast<IDivXFilterInterface*>(this) : nullptr;
}

#define DIVX_SETTER(Method, field)                                                                 \
    HRESULT STDMETHODCALLTYPE DivxDecoder::Method(int value) {                                     \
        if (HRESULT fault = FaultResult("DivX::" #Method))                                         \
            return fault;                                                                          \
        field = value;                                                                             \
        return S_OK;                                                                               \
    }
#define DIVX_GETTER(Method, field)                                                                 \
    HRESULT STDMETHODCALLTYPE DivxDecoder::Method(int* value) {                                    \
        if (HRESULT fault = FaultResult("DivX::" #Method))                                         \
            return fault;                                                                          \
        if (!value)                                                                                \
            return E_POINTER;                                                                      \
        *value = field;                                                                            \
        return S_OK;                                                                               \
    }
DIVX_SETTER(SetBrightness, brightness)
DIVX_SETTER(SetContrast, contrast)
DIVX_SETTER(SetSaturation, saturation)
DIVX_GETTER(GetBrightness, brightness)
DIVX_GETTER(GetContrast, contrast)
DIVX_GETTER(GetSaturation, saturation)
#undef DIVX_SETTER
#undef DIVX_GETTER

void DivxDecoder::Describe(DecoderView* view) const {
    view->kind = "DivX";
    view->divxBrightness = brightness;
    view->divxContrast = contrast;
    view->divxSaturation = saturation;
}

} // namespace dshow
} // namespace standin
