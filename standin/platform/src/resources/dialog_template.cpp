// DIALOG and DIALOGEX templates as the resource compiler writes them.
#include <windows.h>

#include "byte_reader.h"

namespace standin {
namespace {

constexpr WORD kExtendedSignature = 0xFFFF;

void ReadRectangle(ByteReader& reader, short* x, short* y, short* cx, short* cy) {
    *x = reader.Short();
    *y = reader.Short();
    *cx = reader.Short();
    *cy = reader.Short();
}

} // namespace

const WCHAR* PredefinedControlClass(const ResourceName& className) {
    static const WCHAR* const names[] = {L"Button",  L"Edit",      L"Static",
                                         L"ListBox", L"ScrollBar", L"ComboBox"};
    if (className.isOrdinal)
        return className.ordinal >= 0x80 && className.ordinal <= 0x85
                   ? names[className.ordinal - 0x80]
                   : nullptr;
    auto upper = [](WCHAR c) { return c >= L'a' && c <= L'z' ? static_cast<WCHAR>(c - 32) : c; };
    for (const WCHAR* name : names) {
        size_t i = 0;
        while (name[i] && upper(name[i]) == upper(className.text[i]))
            ++i;
        if (!name[i] && !className.text[i])
            return name;
    }
    return nullptr;
}

bool ReadDialogTemplate(const BYTE* data, DWORD size, DialogTemplate* dialog) {
    ByteReader reader(data, size);
    DialogTemplate result = {};
    result.extended =
        size >= 4 && data[0] == 1 && data[1] == 0 && (data[2] | data[3] << 8) == kExtendedSignature;
    if (result.extended) {
        reader.Skip(8); // version, signature, help id
        result.exStyle = reader.Dword();
        result.style = reader.Dword();
    } else {
        result.style = reader.Dword();
        result.exStyle = reader.Dword();
    }
    const WORD controlCount = reader.Word();
    ReadRectangle(reader, &result.x, &result.y, &result.cx, &result.cy);
    result.menu = reader.NameOrOrdinal();
    result.windowClass = reader.NameOrOrdinal();
    result.caption = reader.Text();
    result.hasFont = (result.style & DS_SETFONT) != 0;
    if (result.hasFont) {
        result.pointSize = reader.Word();
        if (result.extended) {
            result.weight = reader.Word();
            result.italic = reader.Byte();
            result.charset = reader.Byte();
        }
        result.fontName = reader.Text();
    }
    for (WORD i = 0; i < controlCount && reader.Ok(); ++i) {
        DialogControlTemplate control = {};
        reader.Align(4);
        if (result.extended) {
            reader.Skip(4); // help id
            control.exStyle = reader.Dword();
            control.style = reader.Dword();
        } else {
            control.style = reader.Dword();
            control.exStyle = reader.Dword();
        }
        ReadRectangle(reader, &control.x, &control.y, &control.cx, &control.cy);
        control.id = result.extended ? reader.Dword() : reader.Word();
        control.className = reader.NameOrOrdinal();
        if (control.className.isOrdinal) {
            const WCHAR* name = PredefinedControlClass(control.className);
            control.className.text = name ? name : L"";
        }
        control.text = reader.NameOrOrdinal();
        reader.Skip(reader.Word()); // creation data
        result.controls.push_back(control);
    }
    if (!reader.Ok())
        return false;
    *dialog = std::move(result);
    return true;
}

} // namespace standin
