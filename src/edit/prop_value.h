// Property values in the host's object model. The host was built with a 32-bit C++ compiler
// whose classes have ONE destructor slot (slot 0, taking a "free the memory too" flag) and whose
// member functions are __thiscall. GCC would give a virtual destructor two slots, so the slots are
// declared here as plain virtual functions, in the host's order, with no C++ destructor slot.
#pragma once

#include <windows.h>

// The kind code of a wide-text value: the letters S, T, R, W from the most significant byte down.
constexpr DWORD kWideTextKind = 0x53545257;

class CPropValue {
  public:
    // Slot 0: the destructor. Bit 0 of `flags` set frees the object's memory; returns the object.
    virtual void* __thiscall Destroy(unsigned int flags) = 0;
    // Slot 1: frees what the value owns, then the value itself.
    virtual void __thiscall Discard() = 0;
    // Slot 2: a new, independent copy (null when memory runs out).
    virtual CPropValue* __thiscall Duplicate() = 0;
    // Slot 3: non-zero when both values hold the same content.
    virtual BOOL __thiscall SameAs(CPropValue* other) = 0;
    // Slot 4: what kind of value this is.
    virtual DWORD __thiscall KindCode() = 0;

  protected:
    CPropValue() = default;
    ~CPropValue() = default; // never called directly: destruction goes through slot 0
};

class CPropWStringValue final : public CPropValue {
  public:
    // A value holding a heap copy of `text` (first `length` units; a null text gives an empty
    // one). Null when memory runs out.
    static CPropWStringValue* Create(LPCWSTR text, size_t length);

    void* __thiscall Destroy(unsigned int flags) override; // frees the object, not the text
    void __thiscall Discard() override;                    // frees the text, then the object
    CPropValue* __thiscall Duplicate() override;
    BOOL __thiscall SameAs(CPropValue* other) override;
    DWORD __thiscall KindCode() override;

    LPCWSTR Text() const { return text; }

    DWORD Word;  // 4: 0 in every value the module makes
    LPWSTR text; // 8: owned wide text, may be null

  private:
    CPropWStringValue() : Word(0), text(nullptr) {}
    ~CPropWStringValue() = default;
};

// The text of a value the host hands back, or null when it is not a wide-text value.
LPCWSTR PropValueText(CPropValue* value);
