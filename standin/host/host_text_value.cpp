#include "host_text_value.h"

namespace hoststandin {

HostTextValue::HostTextValue(const std::u16string& source) {
    text = new WCHAR[source.size() + 1];
    for (size_t i = 0; i < source.size(); ++i)
        text[i] = static_cast<WCHAR>(source[i]);
    text[source.size()] = 0;
}

HostTextValue::~HostTextValue() {
    delete[] text;
}

void* __thiscall HostTextValue::Destroy(unsigned int) {
    return this;
}

void __thiscall HostTextValue::Discard() {
    delete[] text;
    text = nullptr;
}

CPropValue* __thiscall HostTextValue::Duplicate() {
    return nullptr;
}

BOOL __thiscall HostTextValue::SameAs(CPropValue* other) {
    return other == this;
}

DWORD __thiscall HostTextValue::KindCode() {
    return kWideTextKind;
}

} // namespace hoststandin
