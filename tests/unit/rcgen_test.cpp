// The stand-in's resource compiler: the .rc constructs it reads, with the values windres gives
// them, and the faults it reports by file and line.
#include "rc_parser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class ResourceCompiler : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/cinevane_rcgen_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
    }
    void TearDown() override {
        std::string command = "rm -rf '" + directory + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    std::string Write(const std::string& name, const std::string& text) {
        std::string path = directory + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    rcgen::ResourceFile Parse(const std::string& text) {
        return rcgen::ParseResourceFile(Write("test.rc", text));
    }
    std::string Error(const std::string& text) {
        try {
            Parse(text);
        } catch (const rcgen::RcError& error) {
            std::string message = error.what();
            return message.substr(message.find("test.rc:"));
        }
        return "no error";
    }

    std::string directory;
};

TEST_F(ResourceCompiler, StringsWithEscapesDefinesAndConditions) {
    Write("ids.h", "#pragma once\n#define BASE 100\n#define NEXT (BASE + 1) // comment\n"
                   "#ifndef MISSING\n#define CHOSEN 7\n#else\n#define CHOSEN 8\n#endif\n");
    rcgen::ResourceFile file = Parse("#pragma code_page(65001)\n#include \"ids.h\"\n"
                                     "#include <windows.h>\n/* block\n comment */\n"
                                     "STRINGTABLE DISCARDABLE\n{\n"
                                     "  BASE, \"say \"\"hi\"\"\\\\\\n\\t\\x41\\101\\0z\"\n"
                                     "  NEXT \"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\"\n"
                                     "  CHOSEN L\"wide\"\n}\n");
    ASSERT_EQ(file.strings.size(), 3u);
    EXPECT_EQ(file.strings[0].id, 100);
    EXPECT_EQ(file.strings[0].text, std::u16string(u"say \"hi\"\\\n\tAA\0z", 15));
    EXPECT_EQ(file.strings[1].id, 101);
    EXPECT_EQ(file.strings[1].text, u"caf\u00e9 \u20ac \U0001F600");
    EXPECT_EQ(file.strings[2].id, 7);
}

TEST_F(ResourceCompiler, MenusClassicAndExtended) {
    rcgen::ResourceFile file =
        Parse("1 MENU\nBEGIN\n POPUP \"&File\", GRAYED\n BEGIN\n"
              "  MENUITEM \"Open\", 10, CHECKED MENUBREAK\n"
              "  MENUITEM SEPARATOR\n  MENUITEM \"\", 0\n END\nEND\n"
              "2 MENUEX\nBEGIN\n POPUP \"Top\", 50, MFT_STRING, MFS_GRAYED\n"
              " BEGIN\n  MENUITEM \"Item\", 51, MFT_RADIOCHECK, MFS_CHECKED\n"
              "  MENUITEM \"\", 0, MFT_SEPARATOR\n END\nEND\n");
    ASSERT_EQ(file.menus.size(), 2u);
    const rcgen::MenuItem& popup = file.menus[0].items.at(0);
    EXPECT_EQ(popup.flags, 0x10u | 0x01u); // MF_POPUP | MF_GRAYED
    EXPECT_EQ(popup.text, u"&File");
    ASSERT_EQ(popup.children.size(), 3u);
    EXPECT_EQ(popup.children[0].flags, 0x08u | 0x40u);
    EXPECT_EQ(popup.children[0].id, 10u);
    EXPECT_EQ(popup.children[1].flags, 0x800u);
    EXPECT_EQ(popup.children[2].flags, 0x800u) << "an empty item with id 0 is a separator";

    const rcgen::MenuItem& extended = file.menus[1].items.at(0);
    EXPECT_TRUE(file.menus[1].extended);
    EXPECT_EQ(extended.id, 50u);
    EXPECT_EQ(extended.flags, 0x10u | 0x03u);
    ASSERT_EQ(extended.children.size(), 2u);
    EXPECT_EQ(extended.children[0].flags, 0x200u | 0x08u);
    EXPECT_EQ(extended.children[1].flags, 0x800u);
}

TEST_F(ResourceCompiler, DialogStylesFollowTheResourceCompilerDefaults) {
    rcgen::ResourceFile file =
        Parse("#include <windows.h>\n5 DIALOGEX 1, 2, 30, 40\nCAPTION \"T\"\n"
              "FONT 9, \"Tahoma\", 700, 1, 0\nBEGIN\n"
              "  LTEXT \"L\", IDC_STATIC, 0, 0, 10, 8\n"
              "  EDITTEXT 20, 0, 10, 10, 8, ES_NUMBER | NOT WS_BORDER\n"
              "  CONTROL \"\", 21, \"msctls_custom\", NOT WS_VISIBLE | WS_TABSTOP, 0, 0, 1, 1, "
              "WS_EX_CLIENTEDGE\n"
              "END\n");
    ASSERT_EQ(file.dialogs.size(), 1u);
    const rcgen::Dialog& dialog = file.dialogs[0];
    // No STYLE: a bordered popup with a system menu; CAPTION and FONT add their bits.
    EXPECT_EQ(dialog.style, 0x80880000u | 0x00C00000u | 0x40u);
    EXPECT_EQ(dialog.weight, 700);
    EXPECT_EQ(dialog.italic, 1);
    ASSERT_EQ(dialog.controls.size(), 3u);
    EXPECT_EQ(dialog.controls[0].id, 0xFFFFFFFFu) << "extended templates keep 32-bit ids";
    EXPECT_EQ(dialog.controls[0].style, 0x50020000u);
    EXPECT_EQ(dialog.controls[0].className.ordinal, 0x82);
    EXPECT_EQ(dialog.controls[1].style, 0x50010000u | 0x2000u);
    EXPECT_EQ(dialog.controls[1].className.ordinal, 0x81);
    EXPECT_FALSE(dialog.controls[2].className.isOrdinal);
    EXPECT_EQ(dialog.controls[2].style, 0x40010000u);
    EXPECT_EQ(dialog.controls[2].exStyle, 0x200u);
}

TEST_F(ResourceCompiler, FaultsAreReportedWithTheirLine) {
    EXPECT_EQ(Error("STRINGTABLE\nBEGIN\n 1 \"a\\qb\"\nEND\n"), "test.rc:3: unknown escape \\q");
    EXPECT_EQ(Error("STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n"),
              "test.rc:4: string id 1 defined twice");
    EXPECT_EQ(Error("STRINGTABLE\nBEGIN\n 1 \"open\nEND\n"), "test.rc:3: unterminated string");
    EXPECT_EQ(Error("\n7 DIALOG 0, 0, 1, 1\nSTYLE WS_BOGUS\nBEGIN\nEND\n"),
              "test.rc:3: unknown name WS_BOGUS");
    EXPECT_EQ(Error("9 ICON \"x.ico\"\n"), "test.rc:1: unsupported resource type ICON");
    EXPECT_EQ(Error("9 BITMAP \"missing.bmp\"\n"),
              "test.rc:1: cannot open bitmap " + directory + "/missing.bmp");
    EXPECT_EQ(Error("STRINGTABLE\nBEGIN\n 1 \"\xc3\x28\"\nEND\n"),
              "test.rc:3: text is not valid UTF-8");
    EXPECT_EQ(Error("#if 1\n"), "test.rc:1: unsupported directive #if");
}

} // namespace
