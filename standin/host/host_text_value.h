// The host's wide-text property value, as the property sheet hands a new file name to the
// module's SetPropValue: the host's object model (one destructor slot, __thiscall slots in the
// host's order), a 32-bit word, then the text.
#pragma once

#include "edit/prop_value.h"

#include <string>

namespace hoststandin {

class HostTextValue final : public CPropValue {
  public:
    explicit HostTextValue(const std::u16string& text);
    ~HostTextValue();
    HostTextValue(const HostTextValue&) = delete;
    HostTextValue& operator=(const HostTextValue&) = delete;

    // The host owns this value on its stack: slot 0 and Discard never free the object itself.
    void* __thiscall Destroy(unsigned int flags) override;
    void __thiscall Discard() override;
    CPropValue* __thiscall Duplicate() override; // never asked for by the module: null
    BOOL __thiscall SameAs(CPropValue* other) override;
    DWORD __thiscall KindCode() override;

    DWORD word = 0;        // 4
    LPWSTR text = nullptr; // 8
};

} // namespace hoststandin
