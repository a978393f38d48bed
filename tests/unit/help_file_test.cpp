// The compiled help file, Help/Cinevane.chm, read back with chmls: a page for every event the
// module has (asked of the module itself, not of the generator), every link of every page, of
// the contents and of the index leading to a page (and an anchor) the file holds, and every
// event name in the index.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "edit_host.h"
#include "host/catalogue_exports.h"
#include "host/lifecycle_exports.h"
#include "support/module_setup.h"
#include "support/wide.h"

namespace {

const char kHelpFile[] = CINEVANE_HELP_CHM;

// Runs a command of this machine; its standard output, or "" with `ok` false on a failure.
std::string RunCommand(const std::string& command, bool* ok) {
    std::string output;
    std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) {
        *ok = false;
        return output;
    }
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    *ok = pclose(pipe) == 0;
    return output;
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Unescape(std::string text) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities)
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
            text.replace(at, std::string(entity).size(), plain), at += 1;
    return text;
}

// Every value of `attribute="..."` in an HTML text, in order.
std::vector<std::string> AttributeValues(const std::string& html, const std::string& attribute) {
    std::vector<std::string> values;
    const std::string opening = attribute + "=\"";
    for (size_t at = html.find(opening); at != std::string::npos; at = html.find(opening, at)) {
        at += opening.size();
        const size_t end = html.find('"', at);
        if (end == std::string::npos)
            break;
        // " href=", not "xhref=": the attribute starts after a blank.
        if (at > opening.size() && html[at - opening.size() - 1] == ' ')
            values.push_back(Unescape(html.substr(at, end - at)));
        at = end;
    }
    return values;
}

// The values of the sitemap parameters named `name` (<param name="Local" value="...">).
std::vector<std::string> SitemapValues(const std::string& sitemap, const std::string& name) {
    std::vector<std::string> values;
    const std::string opening = "<param name=\"" + name + "\" value=\"";
    for (size_t at = sitemap.find(opening); at != std::string::npos;
         at = sitemap.find(opening, at)) {
        at += opening.size();
        const size_t end = sitemap.find('"', at);
        values.push_back(Unescape(sitemap.substr(at, end - at)));
        at = end;
    }
    return values;
}

struct EventLookups {
    const char* page;
    int count;
    int(WINAPI* displayString)(EditHostRecord*, short, LPWSTR, short);
    const short*(WINAPI* infos)(EditHostRecord*, short);
    // The title look-up past the last parameter: the event's menu text, "" without a menu item.
    std::string (*menuText)(EditHostRecord*, short code, short parameterCount);
};

std::string ConditionMenuText(EditHostRecord* host, short code, short index) {
    WCHAR text[256] = {};
    GetConditionTitle(host, code, index, text, 256);
    return Utf8(text);
}

std::string ActionMenuText(EditHostRecord* host, short code, short index) {
    WCHAR text[256] = {};
    GetActionTitle(host, code, index, text, 256);
    return Utf8(text);
}

std::string ExpressionMenuText(EditHostRecord* host, short code, short) {
    WCHAR text[256] = {};
    GetExpressionTitle(host, code, text, 256);
    return Utf8(text);
}

class HelpFileTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/cinevane-help-XXXXXX";
        folder = mkdtemp(pattern) ? pattern : "";
        // chmls locks the file it reads: each test process reads a copy of its own.
        std::error_code copyError;
        std::filesystem::copy_file(kHelpFile, folder + "/Cinevane.chm", copyError);
        const std::string chm = "'" + folder + "/Cinevane.chm'";
        const std::string listing = RunCommand("chmls --no-page --name-only list " + chm, &listed);
        std::istringstream lines(listing);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && line[0] == '/' && line.back() != '/')
                files.insert(line.substr(1));
        RunCommand("chmls extractall " + chm + " '" + folder + "/pages'", &extracted);
        bool ok = false; // the files read below are empty when these fail
        RunCommand("chmls extracttoc " + chm + " '" + folder + "/toc.hhc'", &ok);
        RunCommand("chmls extractindex " + chm + " '" + folder + "/index.hhk'", &ok);
        contents = ReadText(folder + "/toc.hhc");
        index = ReadText(folder + "/index.hhk");
    }

    static void TearDownTestSuite() {
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    void SetUp() override {
        ASSERT_TRUE(listed) << kHelpFile << " cannot be listed with chmls (scripts/install-deps "
                            << "installs fp-utils-3.2.2; the build compiles the file)";
        ASSERT_TRUE(extracted);
        instance = StartFreshModule();
    }
    void TearDown() override { FreeModuleCompletely(); }

    static std::vector<std::string> Pages() {
        std::vector<std::string> pages;
        for (const std::string& file : files)
            if (file.size() > 4 && file.compare(file.size() - 4, 4, ".htm") == 0)
                pages.push_back(file);
        return pages;
    }

    static std::string Page(const std::string& name) { return ReadText(folder + "/pages/" + name); }

    // Whether `target` ("page.htm" or "page.htm#anchor") is a page of the file with that anchor.
    static bool Resolves(const std::string& target, std::string* why) {
        const size_t hash = target.find('#');
        const std::string file = target.substr(0, hash);
        if (!files.count(file)) {
            *why = "no file " + file;
            return false;
        }
        if (hash == std::string::npos)
            return true;
        const std::string anchor = target.substr(hash + 1);
        for (const std::string& id : AttributeValues(Page(file), "id"))
            if (id == anchor)
                return true;
        *why = file + " has no anchor " + anchor;
        return false;
    }

    std::vector<EventLookups> Kinds() {
        RunObjectInfos infos = {};
        GetRunObjectInfos(host.Record(), &infos);
        return {{"condition", infos.conditionCount, GetConditionString, GetConditionInfos,
                 ConditionMenuText},
                {"action", infos.actionCount, GetActionString, GetActionInfos, ActionMenuText},
                {"expression", infos.expressionCount, GetExpressionString, GetExpressionInfos,
                 ExpressionMenuText}};
    }

    // The name the author picks an event by: its menu text, or its display string.
    std::string EventName(const EventLookups& kind, short code) {
        const short* info = kind.infos(host.Record(), code);
        std::string name = kind.menuText(host.Record(), code, info ? info[2] : 0);
        if (name.empty()) {
            WCHAR display[256] = {};
            kind.displayString(host.Record(), code, display, 256);
            name = Utf8(display);
        }
        return name;
    }

    static std::string folder, contents, index;
    static std::set<std::string> files;
    static bool listed, extracted;
    HINSTANCE instance = nullptr;
    hoststandin::EditHost host;
};

std::string HelpFileTest::folder, HelpFileTest::contents, HelpFileTest::index;
std::set<std::string> HelpFileTest::files;
bool HelpFileTest::listed = false, HelpFileTest::extracted = false;

std::string PageName(const char* kind, int code) {
    char name[40];
    std::snprintf(name, sizeof name, "%s-%02d.htm", kind, code);
    return name;
}

TEST_F(HelpFileTest, IsTheFileTheModuleNamesWithAPageForEachOfItsEvents) {
    std::string named = Utf8(GetHelpFileName());
    for (char& c : named)
        if (c == '\\')
            c = '/';
    const std::string path = kHelpFile;
    EXPECT_EQ(path.substr(path.size() - named.size()), named);

    for (const EventLookups& kind : Kinds()) {
        ASSERT_GT(kind.count, 0);
        int pages = 0;
        for (const std::string& file : files)
            if (file.compare(0, std::string(kind.page).size() + 1, std::string(kind.page) + "-") ==
                0)
                ++pages;
        EXPECT_EQ(pages, kind.count) << kind.page << " pages";
        for (short code = 0; code < kind.count; ++code) {
            const std::string page = PageName(kind.page, code);
            ASSERT_TRUE(files.count(page)) << page;
            const std::string html = Page(page);
            const std::string name = EventName(kind, code);
            EXPECT_NE(html.find("<h1>" + name + "</h1>"), std::string::npos)
                << page << ": " << name;
            // The display string as the event editor lists it, its placeholders set apart.
            WCHAR display[256] = {};
            kind.displayString(host.Record(), code, display, 256);
            std::string shown = Utf8(display);
            for (const char* placeholder : {"%o", "%0", "%1"})
                shown = shown.substr(0, shown.find(placeholder));
            EXPECT_NE(html.find("<code>" + shown), std::string::npos) << page << ": " << shown;
        }
    }
}

TEST_F(HelpFileTest, EveryLinkOfEveryPageLeadsToAPageAndAnchorOfTheFile) {
    const std::vector<std::string> pages = Pages();
    ASSERT_GT(pages.size(), 78u);
    int links = 0;
    for (const std::string& page : pages) {
        const std::string html = Page(page);
        std::vector<std::string> targets = AttributeValues(html, "href");
        for (const std::string& source : AttributeValues(html, "src"))
            targets.push_back(source);
        for (const std::string& target : targets) {
            if (target.compare(0, 5, "http:") == 0 || target.compare(0, 6, "https:") == 0 ||
                target.compare(0, 7, "mailto:") == 0)
                continue;
            std::string why;
            EXPECT_TRUE(Resolves(target[0] == '#' ? page + target : target, &why))
                << page << " links to " << target << ": " << why;
            ++links;
        }
    }
    EXPECT_GT(links, 500); // navigation, cross references, the stylesheet
}

TEST_F(HelpFileTest, ContentsHoldEveryPageAndIndexEveryEventName) {
    ASSERT_FALSE(contents.empty());
    ASSERT_FALSE(index.empty());
    std::set<std::string> inContents;
    for (const std::string& target : SitemapValues(contents, "Local")) {
        std::string why;
        EXPECT_TRUE(Resolves(target, &why)) << "contents: " << target << ": " << why;
        inContents.insert(target.substr(0, target.find('#')));
    }
    for (const std::string& page : Pages())
        EXPECT_TRUE(inContents.count(page)) << page << " is not in the contents";

    for (const std::string& target : SitemapValues(index, "Local")) {
        std::string why;
        EXPECT_TRUE(Resolves(target, &why)) << "index: " << target << ": " << why;
    }
    // Index names are the event names, told apart by their menu when several events share one.
    std::multimap<std::string, std::string> keywords;
    const std::vector<std::string> names = SitemapValues(index, "Name");
    const std::vector<std::string> locals = SitemapValues(index, "Local");
    for (const std::string& name : names)
        keywords.emplace(name.substr(0, name.find(" (")), name);
    for (const EventLookups& kind : Kinds())
        for (short code = 0; code < kind.count; ++code) {
            const std::string name = EventName(kind, code);
            EXPECT_TRUE(keywords.count(name))
                << kind.page << " " << code << " \"" << name << "\" is not in the index";
        }
}

} // namespace
