// The module's own formatter and text helpers: Windows printf conventions on a 16-bit wchar_t.
#include "diag/format.h"
#include "diag/text.h"
#include "support/wide.h"

#include <gtest/gtest.h>

namespace {

std::string Format(LPCWSTR format, ...) {
    WCHAR buffer[256];
    va_list args;
    va_start(args, format);
    FormatText(buffer, 256, format, args);
    va_end(args);
    return Utf8(buffer);
}

TEST(FormatText, WindowsConventions) {
    EXPECT_EQ(Format(L"%s|%c|%x|%X|%d|%%", L"wide", L'Z', 0x40d, 0xbeefu, -42),
              "wide|Z|40d|BEEF|-42|%");
    EXPECT_EQ(Format(L"(%02d/%02d/%d %02d:%02d:%02d)", 3, 7, 2012, 14, 5, 9),
              "(03/07/2012 14:05:09)");
    EXPECT_EQ(Format(L"%I64d %I64d", (long long)-9000000000LL, (long long)42), "-9000000000 42");
    EXPECT_EQ(Format(L"[%5d][%-5d][%05d]", 42, 42, -42), "[   42][42   ][-0042]");
    EXPECT_EQ(Format(L"%s", (LPCWSTR) nullptr), "(null)");
    EXPECT_EQ(Format(L"0x%x", 0x80004005u), "0x80004005");
    EXPECT_EQ(Format(L"%f %.2f %.0f", 1.5, -2.345, 2.5), "1.500000 -2.35 3");
}

TEST(FormatText, CutsToCapacityAndReportsFullLength) {
    WCHAR buffer[5] = {L'x', L'x', L'x', L'x', L'x'};
    EXPECT_EQ(FormatTextArgs(buffer, 5, L"%d", 1234567), 7u);
    EXPECT_EQ(Utf8(buffer), "1234");
    WCHAR untouched[2] = {L'q', 0};
    EXPECT_EQ(FormatTextArgs(untouched, 0, L"abc"), 3u);
    EXPECT_EQ(untouched[0], L'q');
}

TEST(Text, BoundedHelpers) {
    WCHAR buffer[4];
    EXPECT_EQ(TextCopy(buffer, 4, L"abcdef"), 3u);
    EXPECT_EQ(Utf8(buffer), "abc");
    EXPECT_EQ(TextLengthBounded(L"abcdef", 2), 2u);
    EXPECT_EQ(TextCompareNoCase(L"File.PNG", L"file.png"), 0);
    EXPECT_LT(TextCompare(L"a", L"b"), 0);
    EXPECT_EQ(Utf8(TextFindLast(L"a.b.c", L'.')), ".c");
}

} // namespace
