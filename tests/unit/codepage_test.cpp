// The stand-in's MultiByteToWideChar: code pages 1252, 20127 and 65001, with the byte-level
// results Windows gives (checked under Wine) and its failure codes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Conversion {
    int result;
    DWORD error;
    std::vector<WORD> units; // what the call wrote (all of the buffer's used part)
};

Conversion Convert(UINT codePage, DWORD flags, const std::string& bytes, int capacity = 32,
                   int sourceLength = -2) {
    std::vector<WCHAR> buffer(capacity > 0 ? capacity : 1, 0xAAAA);
    SetLastError(0);
    int length = sourceLength == -2 ? static_cast<int>(bytes.size()) : sourceLength;
    int result = MultiByteToWideChar(codePage, flags, bytes.data(), length,
                                     capacity > 0 ? buffer.data() : nullptr, capacity);
    Conversion conversion{result, GetLastError(), {}};
    for (WCHAR unit : buffer) {
        if (unit == 0xAAAA)
            break;
        conversion.units.push_back(unit);
    }
    return conversion;
}

std::vector<WORD> Units(UINT codePage, const std::string& bytes) {
    return Convert(codePage, 0, bytes).units;
}

TEST(MultiByteToWideChar, Windows1252IsTheWholeTable) {
    EXPECT_EQ(Units(1252, "\x80\x81\x8d\x8f\x90\x9d\x9f\xa0\xe9\xff"),
              (std::vector<WORD>{0x20AC, 0x0081, 0x008D, 0x008F, 0x0090, 0x009D, 0x0178, 0x00A0,
                                 0x00E9, 0x00FF}));
    // Every byte is one unit, NUL included.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Convert(1252, 0, all, 256).result, 256);
    // The ANSI code page is 1252; invalid-character checking finds nothing to refuse in it.
    EXPECT_EQ(Units(CP_ACP, "\x80"), (std::vector<WORD>{0x20AC}));
    EXPECT_EQ(Convert(1252, MB_ERR_INVALID_CHARS, "\x81").result, 1);
}

TEST(MultiByteToWideChar, AsciiClearsTheEighthBit) {
    EXPECT_EQ(Units(20127, "\xe9\x41\x80"), (std::vector<WORD>{0x69, 0x41, 0x00}));
    EXPECT_EQ(Convert(20127, MB_ERR_INVALID_CHARS, "\xe9").result, 1);
}

TEST(MultiByteToWideChar, Utf8DecodesAndReplacesMalformedBytes) {
    struct Case {
        const char* bytes;
        std::vector<WORD> units;
    };
    const Case cases[] = {
        {"a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", {0x61, 0xE9, 0x20AC, 0xD83D, 0xDE00}},
        {"\xed\x9f\xbf\xee\x80\x80", {0xD7FF, 0xE000}},
        {"\xff", {0xFFFD}},
        {"\x80\x80", {0xFFFD, 0xFFFD}},
        {"\xc0\x80", {0xFFFD, 0xFFFD}},                 // overlong lead
        {"\xe0\x80\x80", {0xFFFD, 0xFFFD}},             // lead and out-of-range byte: one
        {"\xed\xa0\x80", {0xFFFD, 0xFFFD}},             // surrogate
        {"\xf4\x90\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD}}, // past U+10FFFF
        {"\xe1\x80\x41", {0xFFFD, 0x41}},               // cut short by a plain byte
        {"\xe2\x82x\xc3", {0xFFFD, 0x78, 0xFFFD}},
        {"\xf0\x9f\x98", {0xFFFD}}, // cut short by the end of the input
    };
    for (const Case& c : cases)
        EXPECT_EQ(Units(CP_UTF8, c.bytes), c.units) << c.bytes;

    Conversion strict = Convert(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xff");
    EXPECT_EQ(strict.result, 0);
    EXPECT_EQ(strict.error, static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(MultiByteToWideChar, NeverReadsPastTheGivenLength) {
    // A lead byte at the end of the counted input: the byte after it is never looked at.
    const char bytes[] = {'a', '\xe2', '\x82', '\xac'};
    WCHAR out[4];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, bytes, 2, out, 4), 2);
    EXPECT_EQ(out[0], L'a');
    EXPECT_EQ(out[1], 0xFFFD);
    // Embedded NULs are converted when a length is given; -1 stops after the terminator.
    EXPECT_EQ(Convert(1252, 0, std::string("ab\0cd", 5)).units,
              (std::vector<WORD>{'a', 'b', 0, 'c', 'd'}));
    EXPECT_EQ(Convert(1252, 0, "abc", 32, -1).units, (std::vector<WORD>{'a', 'b', 'c', 0}));
}

TEST(MultiByteToWideChar, SizesAndFailures) {
    EXPECT_EQ(Convert(CP_UTF8, 0, "abc", 0, -1).result, 4) << "size query counts the terminator";

    Conversion tooSmall = Convert(CP_UTF8, 0, "abc", 2);
    EXPECT_EQ(tooSmall.result, 0);
    EXPECT_EQ(tooSmall.error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(tooSmall.units, (std::vector<WORD>{'a', 'b'}));

    struct Failure {
        UINT codePage;
        DWORD flags;
        int sourceLength;
        int capacity;
        DWORD error;
    };
    const Failure failures[] = {
        {12345, 0, 3, 8, ERROR_INVALID_PARAMETER},            // unknown code page
        {CP_OEMCP, 0, 3, 8, ERROR_INVALID_PARAMETER},         // not provided
        {1252, 0, 0, 8, ERROR_INVALID_PARAMETER},             // empty input
        {1252, 0, 3, -1, ERROR_INVALID_PARAMETER},            // negative capacity
        {1252, 0x10, 3, 8, ERROR_INVALID_FLAGS},              // unknown flag
        {CP_UTF8, MB_PRECOMPOSED, 3, 8, ERROR_INVALID_FLAGS}, // UTF-8 takes no composition flag
    };
    for (const Failure& f : failures) {
        Conversion conversion = Convert(f.codePage, f.flags, "abc", f.capacity, f.sourceLength);
        EXPECT_EQ(conversion.result, 0) << f.codePage << " " << f.flags;
        EXPECT_EQ(conversion.error, f.error) << f.codePage << " " << f.flags;
    }
    SetLastError(0);
    WCHAR out[4];
    EXPECT_EQ(MultiByteToWideChar(1252, 0, nullptr, 3, out, 4), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, nullptr, 4), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

} // namespace
