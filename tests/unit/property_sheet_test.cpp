// The property sheet: the row table handed to the host, the host-model value objects, every
// row's check-box effect, the file-name change with its measuring preview, and the setup dialog.
#include "edit/prop_value.h"
#include "edit/property_table.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace {

// ---- The value objects, called the way the host's compiler calls them ----

// Slots of the host's object model: the object pointer in ECX, arguments on the stack.
typedef void*(__thiscall* DestroySlot)(void* self, unsigned int flags);
typedef void(__thiscall* DiscardSlot)(void* self);
typedef void*(__thiscall* DuplicateSlot)(void* self);
typedef BOOL(__thiscall* SameAsSlot)(void* self, void* other);
typedef DWORD(__thiscall* KindCodeSlot)(void* self);

void* Slot(void* object, int index) {
    return (*reinterpret_cast<void***>(object))[index];
}

LPCWSTR TextField(void* object) {
    return *reinterpret_cast<LPCWSTR*>(static_cast<BYTE*>(object) + 8);
}

TEST(PropValue, FieldLayoutAfterTheVirtualTable) {
    CPropWStringValue* value = CPropWStringValue::Create(L"clip.avi", 8);
    ASSERT_NE(value, nullptr);
    BYTE* base = reinterpret_cast<BYTE*>(value);
    EXPECT_EQ(reinterpret_cast<BYTE*>(&value->Word) - base, 4);
    EXPECT_EQ(reinterpret_cast<BYTE*>(&value->text) - base, 8);
    EXPECT_EQ(sizeof(CPropWStringValue), 12u);
    EXPECT_EQ(*reinterpret_cast<DWORD*>(base + 4), 0u);
    EXPECT_EQ(Utf8(TextField(value)), "clip.avi");
    value->Discard();
}

TEST(PropValue, SlotsInTheHostsOrder) {
    CPropWStringValue* value = CPropWStringValue::Create(L"a.avi", 5);
    ASSERT_NE(value, nullptr);

    EXPECT_EQ(reinterpret_cast<KindCodeSlot>(Slot(value, 4))(value), 0x53545257u);

    void* copy = reinterpret_cast<DuplicateSlot>(Slot(value, 2))(value);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(TextField(copy), TextField(value));
    EXPECT_EQ(Utf8(TextField(copy)), "a.avi");
    EXPECT_EQ(reinterpret_cast<SameAsSlot>(Slot(value, 3))(value, copy), TRUE);

    // Slot 0 frees the object but leaves the text to its owner; slot 1 frees both.
    LPWSTR text = static_cast<CPropWStringValue*>(static_cast<CPropValue*>(copy))->text;
    reinterpret_cast<DestroySlot>(Slot(copy, 0))(copy, 1);
    EXPECT_EQ(Utf8(text), "a.avi");
    delete[] text;
    reinterpret_cast<DiscardSlot>(Slot(value, 1))(value);
}

TEST(PropValue, SameAsComparesTextsOrPointers) {
    CPropWStringValue* a = CPropWStringValue::Create(L"movie.avi", 9);
    CPropWStringValue* b = CPropWStringValue::Create(L"movie.avi", 9);
    CPropWStringValue* c = CPropWStringValue::Create(L"movie.AVI", 9);
    CPropWStringValue* shortText = CPropWStringValue::Create(L"movie.avi", 5);
    ASSERT_TRUE(a && b && c && shortText);
    EXPECT_TRUE(a->SameAs(b));
    EXPECT_FALSE(a->SameAs(c)); // character for character
    EXPECT_FALSE(a->SameAs(shortText));
    EXPECT_FALSE(a->SameAs(nullptr));

    // Both null: the same pointer. One null: different.
    LPWSTR keptA = a->text;
    LPWSTR keptB = b->text;
    a->text = nullptr;
    EXPECT_FALSE(a->SameAs(b));
    b->text = nullptr;
    EXPECT_TRUE(a->SameAs(b));
    delete[] keptA;
    delete[] keptB;
    for (CPropWStringValue* value : {a, b, c, shortText})
        value->Discard();
}

TEST(PropValue, DuplicateOfANullTextIsEmpty) {
    CPropWStringValue* value = CPropWStringValue::Create(nullptr, 40);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(Utf8(value->text), "");
    LPWSTR kept = value->text;
    value->text = nullptr;
    CPropValue* copy = value->Duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Utf8(PropValueText(copy)), "");
    EXPECT_EQ(static_cast<CPropWStringValue*>(copy)->Word, 0u);
    copy->Discard();
    value->Discard(); // a null text is fine to discard
    delete[] kept;
}

// ---- The row table ----

TEST(PropertyTable, SixteenRowsThenTheZeroRow) {
    struct Row {
        DWORD id, name, info, type, options;
    } expected[] = {
        {0x80001, 133, 133, 1014, 0}, {0x80002, 134, 434, 1016, 4}, {0x80003, 135, 435, 1010, 1},
        {0x80004, 136, 436, 1010, 1}, {0x80005, 137, 437, 1010, 1}, {0x80006, 138, 438, 1010, 1},
        {0x80007, 139, 439, 1010, 1}, {0x80008, 140, 440, 1010, 1}, {0x80009, 141, 141, 1014, 0},
        {0x8000A, 142, 442, 1010, 1}, {0x8000B, 143, 443, 1010, 1}, {0x8000C, 144, 444, 1010, 1},
        {0x8000D, 445, 445, 1014, 0}, {0x8000E, 446, 447, 1010, 1}, {0x8000F, 448, 449, 1010, 1},
        {0x80010, 450, 451, 1010, 1},
    };
    // The host reads the table as rows of six 32-bit words.
    const DWORD* words = reinterpret_cast<const DWORD*>(PropertyTable);
    for (int row = 0; row < 16; ++row) {
        const DWORD* w = words + row * 6;
        EXPECT_EQ(w[0], expected[row].id) << row;
        EXPECT_EQ(w[1], expected[row].name) << row;
        EXPECT_EQ(w[2], expected[row].info) << row;
        EXPECT_EQ(w[3], expected[row].type) << row;
        EXPECT_EQ(w[4], expected[row].options) << row;
        EXPECT_EQ(w[5], row == 1 ? reinterpret_cast<DWORD>(&FileNameRowParameter) : 0u) << row;
    }
    for (int field = 0; field < 6; ++field)
        EXPECT_EQ(words[16 * 6 + field], 0u);
}

TEST(PropertyTable, FileRowParameterAndFilterText) {
    const DWORD* words = reinterpret_cast<const DWORD*>(&FileNameRowParameter);
    EXPECT_EQ(words[0], reinterpret_cast<DWORD>(FileNameFilter));
    EXPECT_EQ(words[1], 0x1804u);
    EXPECT_EQ(words[2], 0u);
    EXPECT_EQ(Utf8(FileNameFilter),
              "Video Files (*.avi; *.qt; *.mov; *.mpg; *.mpeg; *.m1v; *.dat; *.mp4)|*.avi; *.qt; "
              "*.mov; *.mpg; *.mpeg; *.m1v; *.dat; *.mp4|Audio files (*.wav; *.mpa; *.mp2; *.mp3; "
              "*.au; *.aif; *.aiff; *.snd)|*.wav; *.mpa; *.mp2; *.mp3; *.au; *.aif; *.aiff; "
              "*.snd|WMT Files (*.asf; *.wma; *.wmv)|*.asf; *.wma; *.wmv|MIDI Files (*.mid, "
              "*.midi, *.rmi)|*.mid; *.midi; *.rmi|Image Files (*.jpg, *.bmp, *.gif, *.tga)|*.jpg; "
              "*.bmp; *.gif; *.tga|All Files (*.*)|*.*|");
}

} // namespace
