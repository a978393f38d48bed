// The help file's generator: the notes files and their markup, the checks that keep the notes in
// step with the module, the pages, contents and index it writes, and what it reads of the module.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "catalogue_reader.h"
#include "help_notes.h"
#include "help_site.h"
#include "support/module_setup.h"

using namespace helpgen;

namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

// Links to "action 1" and "page errors" only.
bool ResolveFew(const std::string& reference, LinkTarget* target) {
    if (reference == "action 1")
        *target = LinkTarget{"action-01.htm", "Play > Stop"};
    else if (reference == "page errors")
        *target = LinkTarget{"errors.htm", "Last-error codes"};
    else
        return false;
    return true;
}

std::string Render(const std::string& notes) {
    NotesFile file = ParseNotes(notes, "x.txt");
    return RenderBody(file.sections.at(0), file.path, ResolveFew);
}

TEST(HelpNotes, SectionsKeepTheirKeyLabelAndLinesWithoutCommentsOrOuterBlankLines) {
    NotesFile file = ParseNotes("// a comment\n"
                                "\n"
                                "[overview]\n"
                                "\n"
                                "First line.\n"
                                "// not part of the text\n"
                                "Second line.\r\n"
                                "\n"
                                "[35]  Set Volume \n"
                                "Text.\n"
                                "\n\n",
                                "help/actions.txt");
    ASSERT_EQ(file.sections.size(), 2u);
    EXPECT_EQ(file.sections[0].key, "overview");
    EXPECT_EQ(file.sections[0].label, "");
    ASSERT_EQ(file.sections[0].body.size(), 2u);
    EXPECT_EQ(file.sections[0].body[0], std::make_pair(5, std::string("First line.")));
    EXPECT_EQ(file.sections[0].body[1], std::make_pair(7, std::string("Second line.")));
    EXPECT_EQ(file.sections[1].key, "35");
    EXPECT_EQ(file.sections[1].label, "Set Volume");
    EXPECT_EQ(file.sections[1].line, 9);
    EXPECT_EQ(file.sections[1].body.size(), 1u);
    EXPECT_EQ(file.Find("35"), &file.sections[1]);
    EXPECT_EQ(file.Find("36"), nullptr);

    EXPECT_EQ(ErrorOf([] { ParseNotes("[1] A\ntext\n[1] B\n", "n.txt"); }),
              "n.txt:3: [1] appears twice");
    EXPECT_EQ(ErrorOf([] { ParseNotes("stray text\n[1] A\n", "n.txt"); }),
              "n.txt:1: text before the first [section]");
    EXPECT_EQ(ErrorOf([] { ParseNotes("\n[ ] A\n", "n.txt"); }),
              "n.txt:2: a section header reads \"[key] label\"");
}

TEST(HelpNotes, MarkupBecomesParagraphsListsHeadingsCodeAndLinks) {
    EXPECT_EQ(Render("[k]\n"
                     "Joined\n"
                     "lines & <more>.\n"
                     "\n"
                     "### A {page errors|heading}\n"
                     "- one `1`:\n"
                     "  continued\n"
                     "- two {action 1}\n"
                     "\n"
                     "    (03/07) <pre> {kept}\n"
                     "    second\n"
                     "After.\n"),
              "<p>Joined lines &amp; &lt;more&gt;.</p>\n"
              "<h2>A <a href=\"errors.htm\">heading</a></h2>\n"
              "<ul>\n"
              "<li>one <code>1</code>: continued</li>\n"
              "<li>two <a href=\"action-01.htm\">Play &gt; Stop</a></li>\n"
              "</ul>\n"
              "<pre>(03/07) &lt;pre&gt; {kept}\n"
              "second\n"
              "</pre>\n"
              "<p>After.</p>\n");
    // Text for any code page: every non-ASCII character as a numeric reference.
    EXPECT_EQ(EscapeHtml("caf\xC3\xA9 \xE2\x80\x9C\" 50\xE2\x80\xAF%"),
              "caf&#233; &#8220;&quot; 50&#8239;%");
}

TEST(HelpNotes, MarkupMistakesNameTheirLine) {
    EXPECT_EQ(ErrorOf([] { Render("[k]\nfine\n\nsee {action 2}\n"); }),
              "x.txt:4: {action 2} names nothing in the help file");
    EXPECT_EQ(ErrorOf([] { Render("[k]\nfine\nan `open code\n"); }),
              "x.txt:2: ` without its closing `");
    EXPECT_EQ(ErrorOf([] { Render("[k]\n- item {page errors\n"); }),
              "x.txt:2: { without its closing }");
    EXPECT_EQ(ErrorOf([] { Render("[k]\ntext\n###  \n"); }), "x.txt:3: a heading without text");
}

// A small module: one event of each kind, two property rows and a dialog.
Catalogue SmallCatalogue() {
    Catalogue catalogue;
    catalogue.objectName = "Test Object";
    catalogue.helpFile = "Help\\Test.chm";
    Event condition;
    condition.kind = EventKind::Condition;
    condition.menuText = "Is it?";
    condition.menuPosition = 0;
    condition.displayString = "%o: It is";
    condition.flags = 0x0200;
    catalogue.conditions = {condition};
    Event play;
    play.kind = EventKind::Action;
    play.menuText = "Set Contrast";
    play.menuPath = {"Indeo Options"};
    play.menuPosition = 1;
    play.displayString = "Set contrast to %0";
    play.parameters = {EventParameter{22, "Contrast, 0 to 256"}};
    Event other = play;
    other.code = 1;
    other.menuPath = {"Divx Options"};
    other.menuPosition = 0;
    other.displayString = "Set DIVX contrast to %0";
    Event hidden;
    hidden.kind = EventKind::Action;
    hidden.code = 2;
    hidden.displayString = "Do nothing";
    catalogue.actions = {play, other, hidden};
    Event expression;
    expression.kind = EventKind::Expression;
    expression.menuText = "Volume";
    expression.menuPosition = 0;
    expression.displayString = "GetVolume(";
    catalogue.expressions = {expression};
    catalogue.properties = {PropertyRow{0x80001, kRowGroup, "Group", "Group", {}},
                            PropertyRow{0x80002, kRowFileName, "File", "The file", {"Videos"}}};
    catalogue.setupDialog = SetupDialogFacts{" Test", {"OK", "Help"}};
    return catalogue;
}

HelpNotes SmallNotes() {
    HelpNotes notes;
    notes.conditions = ParseNotes("[overview]\nAll.\n[0] Is it?\nTrue when.\n", "c.txt");
    notes.actions = ParseNotes("[overview]\nAll.\n[0] Set Contrast\nSets.\n[1] Set Contrast\n"
                               "Sets too, see {action 0} and {property 0x80002}.\n"
                               "[2] Do nothing\nNothing.\n",
                               "a.txt");
    notes.expressions = ParseNotes("[overview]\nAll.\n[0] Volume\nThe volume.\n", "e.txt");
    notes.properties = ParseNotes("[overview]\nRows.\n[0x80001] Group\nG.\n[0x80002] File\nF.\n"
                                  "[setup-dialog] Setup\nD.\n",
                                  "p.txt");
    notes.topics = ParseNotes(
        "[welcome] Test\nHello.\n[errors] Last-error codes\nSee {page actions}.\n", "t.txt");
    return notes;
}

const SiteFile* FindFile(const std::vector<SiteFile>& files, const std::string& name) {
    for (const SiteFile& file : files)
        if (file.name == name)
            return &file;
    return nullptr;
}

TEST(HelpSite, WritesEveryPageContentsIndexAndProjectTheNotesAndModuleAgreeOn) {
    const std::vector<SiteFile> files =
        BuildSite(SmallCatalogue(), SmallNotes(), "body {}", "Test.chm");
    std::vector<std::string> names;
    for (const SiteFile& file : files)
        names.push_back(file.name);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "welcome.htm", "conditions.htm", "condition-00.htm", "actions.htm",
                         "action-00.htm", "action-01.htm", "action-02.htm", "expressions.htm",
                         "expression-00.htm", "properties.htm", "setup-dialog.htm", "errors.htm",
                         "help.css", "Cinevane.hhc", "Cinevane.hhk", "Cinevane.hhp"}));

    const std::string& project = FindFile(files, "Cinevane.hhp")->content;
    EXPECT_NE(project.find("Compiled file=Test.chm\n"), std::string::npos);
    EXPECT_NE(project.find("Default topic=welcome.htm\n"), std::string::npos);
    EXPECT_NE(project.find("[FILES]\nwelcome.htm\nconditions.htm\n"), std::string::npos);
    EXPECT_NE(project.find("errors.htm\nhelp.css\n"), std::string::npos);

    const std::string& action = FindFile(files, "action-01.htm")->content;
    EXPECT_NE(action.find("<h1>Set Contrast</h1>"), std::string::npos);
    EXPECT_NE(action.find("<td>Divx Options &gt; Set Contrast</td>"), std::string::npos);
    EXPECT_NE(action.find("<code>Set DIVX contrast to <var>parameter 1</var></code>"),
              std::string::npos);
    EXPECT_NE(action.find("<li>a number, asked for as &#8220;Contrast, 0 to 256&#8221;</li>"),
              std::string::npos);
    EXPECT_NE(action.find("<a href=\"action-00.htm\">Indeo Options &gt; Set Contrast</a>"),
              std::string::npos);
    EXPECT_NE(action.find("<a href=\"properties.htm#row-80002\">File</a>"), std::string::npos);
    EXPECT_NE(FindFile(files, "action-02.htm")->content.find("Not offered in the menu."),
              std::string::npos);
    EXPECT_NE(FindFile(files, "properties.htm")->content.find("<h3 id=\"row-80002\">File</h3>"),
              std::string::npos);

    // The contents follow the menus: sub-menus become folders, menu order wins over codes.
    const std::string& contents = FindFile(files, "Cinevane.hhc")->content;
    const size_t divx = contents.find("value=\"Divx Options\"></OBJECT>");
    const size_t indeo = contents.find("value=\"Indeo Options\"></OBJECT>");
    const size_t hidden = contents.find("value=\"Not in the menu\"></OBJECT>");
    ASSERT_NE(divx, std::string::npos);
    EXPECT_LT(divx, indeo);
    EXPECT_LT(indeo, hidden);

    // Index names that lead to several pages are told apart by their menu.
    const std::string& index = FindFile(files, "Cinevane.hhk")->content;
    EXPECT_NE(index.find("value=\"Set Contrast (Divx Options)\"><param name=\"Local\" "
                         "value=\"action-01.htm\">"),
              std::string::npos);
    EXPECT_NE(index.find("value=\"Set Contrast (Indeo Options)\""), std::string::npos);
    EXPECT_NE(index.find("value=\"It is\"><param name=\"Local\" value=\"condition-00.htm\">"),
              std::string::npos);
    EXPECT_NE(index.find("value=\"GetVolume(\""), std::string::npos);
}

TEST(HelpSite, RefusesNotesThatDisagreeWithTheModule) {
    const Catalogue catalogue = SmallCatalogue();
    auto errorWith = [&](auto change) {
        HelpNotes notes = SmallNotes();
        change(notes);
        return ErrorOf([&] { BuildSite(catalogue, notes, "", "Test.chm"); });
    };
    EXPECT_EQ(errorWith([](HelpNotes& n) {
                  n.actions = ParseNotes("[overview]\nAll.\n[0] Set Contrast\nS.\n"
                                         "[2] Do nothing\nN.\n",
                                         "a.txt");
              }),
              "a.txt:1: action 1 \"Set Contrast\" has no [1] section");
    EXPECT_EQ(errorWith([](HelpNotes& n) {
                  n.conditions = ParseNotes("[overview]\nAll.\n[0] Is it really?\nT.\n", "c.txt");
              }),
              "c.txt:3: [0] is labelled \"Is it really?\"; the module calls condition 0 \"Is "
              "it?\"");
    EXPECT_EQ(errorWith([](HelpNotes& n) {
                  n.expressions =
                      ParseNotes("[overview]\nAll.\n[0] Volume\nV.\n[1] Rate\nR.\n", "e.txt");
              }),
              "e.txt:5: [1]: the module has no expression 1");
    EXPECT_EQ(
        errorWith([](HelpNotes& n) { n.expressions = ParseNotes("[0] Volume\nV.\n", "e.txt"); }),
        "e.txt:1: the Expressions page has no [overview] section");
    EXPECT_EQ(errorWith([](HelpNotes& n) {
                  n.properties = ParseNotes("[overview]\nR.\n[0x80002] File\nF.\n"
                                            "[setup-dialog] Setup\nD.\n",
                                            "p.txt");
              }),
              "p.txt:1: the row \"Group\" has no [0x...] section");
    EXPECT_EQ(errorWith([](HelpNotes& n) {
                  n.topics = ParseNotes("[welcome] Test\nHello.\n[actions] Mine\nA.\n", "t.txt");
              }),
              "t.txt:3: [actions] cannot name a page (lower-case letters, digits and hyphens; "
              "not the name of a generated page)");
    EXPECT_EQ(errorWith([](HelpNotes& n) {
                  n.topics = ParseNotes("[welcome] Test\nSee {page missing}.\n", "t.txt");
              }),
              "t.txt:2: {page missing} names nothing in the help file");

    Catalogue unknownKind = catalogue;
    unknownKind.actions[0].parameters[0].kind = 99;
    EXPECT_NE(ErrorOf([&] {
                  BuildSite(unknownKind, SmallNotes(), "", "Test.chm");
              }).find("a parameter of a kind this help file cannot describe (99)"),
              std::string::npos);
}

TEST(HelpSite, DisplayStringsReadAsWords) {
    EXPECT_EQ(DisplayWords("%o: Start of video?"), "Start of video?");
    EXPECT_EQ(DisplayWords("Set %o Full Video "), "Set Full Video");
    EXPECT_EQ(DisplayWords("Set horizontal size to %0, and vertical size to %1"),
              "Set horizontal size to ..., and vertical size to ...");
    EXPECT_EQ(DisplayWords("GetIndioKey$("), "GetIndioKey$(");
    EXPECT_EQ(FilterDescriptions("|*.MPG;*.AVI|Video Files(*.mpg;*.avi)"),
              (std::vector<std::string>{"Video Files(*.mpg;*.avi)"}));
    EXPECT_EQ(FilterDescriptions("Video (*.avi)|*.avi|All Files (*.*)|*.*|"),
              (std::vector<std::string>{"Video (*.avi)", "All Files (*.*)"}));
    EXPECT_EQ(WithoutMnemonics("&Help && more"), "Help & more");
}

// What the generator reads of the module: menus walked into their sub-menus, events without a
// menu item, parameters, property rows and the setup dialog.
TEST(HelpCatalogue, ReadsTheModuleThroughItsEntryPoints) {
    const Catalogue catalogue = ReadCatalogue(StartFreshModule());
    FreeModuleCompletely();
    ASSERT_EQ(catalogue.conditions.size(), 14u);
    ASSERT_EQ(catalogue.actions.size(), 40u);
    ASSERT_EQ(catalogue.expressions.size(), 24u);
    EXPECT_EQ(catalogue.helpFile, "Help\\Cinevane.chm");
    EXPECT_EQ(catalogue.objectName, "Cinevane Object 5.3 w/unicode");

    const Event& forward = catalogue.actions[0];
    EXPECT_EQ(forward.menuText, "Forward");
    EXPECT_EQ(forward.menuPath, std::vector<std::string>{"Play"});
    EXPECT_EQ(forward.displayString, "Play video");
    EXPECT_EQ(EventMenuLine(catalogue.actions[30]), "Divx Ver 4/3 Options > Set Contrast");
    for (int code : {4, 29}) {
        EXPECT_EQ(catalogue.actions[code].menuText, "") << code;
        EXPECT_EQ(catalogue.actions[code].menuPosition, -1) << code;
    }
    ASSERT_EQ(catalogue.actions[14].parameters.size(), 2u);
    EXPECT_EQ(catalogue.actions[14].parameters[1].title, "Set vertical size");
    EXPECT_EQ(catalogue.actions[6].parameters.at(0).kind, 40);
    // A title slot of 0 is answered with the menu text.
    EXPECT_EQ(catalogue.conditions[3].parameters.at(0).title,
              "Mouse clicks within the Video window?");
    EXPECT_EQ(catalogue.conditions[2].menuText, "Is Video paused?");
    EXPECT_EQ(catalogue.expressions[16].flags, 2);
    // Menu order is the order of the item in its menu, not the code.
    EXPECT_LT(catalogue.conditions[13].menuPosition, catalogue.conditions[4].menuPosition);

    ASSERT_EQ(catalogue.properties.size(), 16u);
    EXPECT_EQ(catalogue.properties[1].name, "Filename");
    EXPECT_EQ(catalogue.properties[1].type, kRowFileName);
    EXPECT_EQ(catalogue.properties[1].fileTypes.size(), 6u);
    EXPECT_EQ(catalogue.properties[13].info, "Create a log file in C:\\Cinevane\\EventLog.txt");
    EXPECT_EQ(catalogue.setupDialog.caption, " Cinevane Object");
    EXPECT_EQ(catalogue.setupDialog.buttons, (std::vector<std::string>{"OK", "Help"}));
}

} // namespace
