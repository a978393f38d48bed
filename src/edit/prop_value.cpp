#include "edit/prop_value.h"

#include "diag/text.h"

#include <new>

namespace {

LPWSTR CopyText(LPCWSTR source, size_t length) {
    LPWSTR copy = new (std::nothrow) WCHAR[length + 1];
    if (!copy)
        return nullptr;
    for (size_t i = 0; i < length; ++i)
        copy[i] = source[i];
    copy[length] = 0;
    return copy;
}

} // namespace

CPropWStringValue* CPropWStringValue::Create(LPCWSTR text, size_t length) {
    if (!text)
        length = 0;
    CPropWStringValue* value = new (std::nothrow) CPropWStringValue();
    if (!value)
        return nullptr;
    value->text = CopyText(text ? text : L"", length);
    if (!value->text) {
        delete value;
        return nullptr;
    }
    return value;
}

void* __thiscall CPropWStringValue::Destroy(unsigned int flags) {
    if (flags & 1) {
        delete this;
        return nullptr;
    }
    return this;
}

void __thiscall CPropWStringValue::Discard() {
    delete[] text;
    text = nullptr;
    Destroy(1);
}

CPropValue* __thiscall CPropWStringValue::Duplicate() {
    return Create(text, text ? TextLength(text) : 0);
}

BOOL __thiscall CPropWStringValue::SameAs(CPropValue* other) {
    if (!other || other->KindCode() != kWideTextKind)
        return FALSE;
    LPCWSTR otherText = static_cast<CPropWStringValue*>(other)->text;
    if (text == otherText)
        return TRUE;
    return text && otherText && TextCompare(text, otherText) == 0;
}

DWORD __thiscall CPropWStringValue::KindCode() {
    return kWideTextKind;
}

LPCWSTR PropValueText(CPropValue* value) {
    if (!value || value->KindCode() != kWideTextKind)
        return nullptr;
    return static_cast<CPropWStringValue*>(value)->Text();
}
