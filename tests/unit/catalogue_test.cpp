// The event catalogue: the three tables, their look-ups, titles and the copied menus, compared
// with the catalogue as the host's event editor must show it.
#include <windows.h>

#include "edit_host.h"
#include "host/catalogue_exports.h"
#include "host/event_catalogue.h"
#include "res/resource_ids.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HINSTANCE Instance() {
    return reinterpret_cast<HINSTANCE>(0x10000000);
}

struct Parameter {
    short type;
    short titleId;     // 0: the menu text is the title
    const char* title; // the text the title look-up yields
};

struct Event {
    int code;
    short menuId;
    const char* menuText; // null: no menu item
    short stringId;
    const char* display;
    short flags;
    std::vector<Parameter> parameters;
};

const char* const kTransfill =
    "Red Transfill, 0 to 255, Green Transfill, 0 to 255, Blue Transfill, 0 to 255";
const char* const kVideoFilter = "|*.MPG;*.DAT;*.AVI;*.MOV;*.MP4;*.WMV|Video "
                                 "Files(*.mpg;*.mpeg;*.dat;*.avi;*.mov;*.mp4;*.wmv)";

const std::vector<Event> kConditions = {
    {0, 26000, "Is Video at start position?", 6000, "%o: Start of video?", 512, {}},
    {1, 26001, "Is Video at end position?", 6001, "%o: End of video?", 512, {}},
    {2, 26011, "Is Video paused?", 6011, "%o: Video paused?", 512, {}},
    {3,
     26002,
     "Mouse clicks within the Video window?",
     6002,
     "User %0 within %o",
     0,
     {{32, 0, "Mouse clicks within the Video window?"}}},
    {4,
     26003,
     "Compare to current frame?",
     6003,
     "%o: Current frame %0",
     544,
     {{23, 0, "Compare to current frame?"}}},
    {5,
     26004,
     "Compare to current time position?",
     6004,
     "%o: Current time %0",
     544,
     {{42, 0, "Compare to current time position?"}}},
    {6, 26005, "Check whether a file is open?", 6005, "%o: File is opened?", 512, {}},
    {7, 26006, "Is visible?", 6006, "%o: Visible", 512, {}},
    {8, 26007, "Is Video an Indeo?", 6007, "%o: Is an Indeo Video?", 512, {}},
    {9, 26008, "Is AltLine Mode?", 6008, "%o: Is AltLine?", 512, {}},
    {10, 26009, "Is Video an Indio?", 6009, "%o: Is an Indio Video?", 512, {}},
    {11, 26010, "Is Video an DIVX v4/3", 6010, "%o: Is an DIVX Video?", 512, {}},
    {12, 26012, "Is Image saved?", 6012, "%o: Image Grab/Clip Ok?", 512, {}},
    {13,
     26013,
     "Upon a Key press in fullscreen?",
     6013,
     "%o: Upon pressing %0 in fullscreen",
     0,
     {{14, 0, "Upon a Key press in fullscreen?"}}},
};

const std::vector<Event> kActions = {
    {0, 25000, "Forward", 5000, "Play video", 0, {}},
    {1, 25001, "Stop", 5001, "Stop video", 0, {}},
    {2, 25002, "Pause", 5002, "Pause video", 0, {}},
    {3, 25003, "Resume", 5003, "Resume video", 0, {}},
    {4, 25004, nullptr, 5004, "Play video backward", 0, {}},
    {5, 25005, "Step Frames", 5005, "Step %0 Frame", 0, {{22, 5036, "Select the New Position"}}},
    {6, 25006, "A new file", 5006, "New file %0", 0, {{40, 20204, kVideoFilter}}},
    {7, 25007, "A new file via a file selector", 5007, "New file from selector", 0, {}},
    {8, 25008, "Make Object Invisible", 5008, "Hide", 0, {}},
    {9, 25009, "Make Object Reappear", 5009, "Show", 0, {}},
    {10, 25010, "Beginning", 5010, "Goto beginning", 0, {}},
    {11, 25011, "End", 5011, "Goto end", 0, {}},
    {12, 25012, "A Frame Number", 5012, "Goto frame %0", 0, {{22, 5038, "Select New Frame"}}},
    {13,
     25013,
     "A Time Position",
     5013,
     "Goto time %0",
     0,
     {{22, 5051, "Select New Time (second)"}}},
    {14,
     25014,
     "Set Horizontal and Vertical size",
     5014,
     "Set horizontal size to %0, and vertical size to %1",
     0,
     {{22, 5058, "Set horizontal size"}, {22, 5059, "Set vertical size"}}},
    {15,
     25015,
     "Set Horizontal size",
     5015,
     "Set horizontal size to %0",
     0,
     {{22, 5058, "Set horizontal size"}}},
    {16,
     25016,
     "Set Vertical size",
     5016,
     "Set vertical size to %0",
     0,
     {{22, 5059, "Set vertical size"}}},
    {17, 25017, "Full Screen", 5017, "Set %o Full Video ", 0, {}},
    {18, 25018, "Normal Size", 5018, "Set %o Normal Video ", 0, {}},
    {19, 25019, "Center Video", 5019, "Center Video", 0, {}},
    {20,
     25020,
     "Set RGB Trans Fill",
     5020,
     "Set Indeo TransFill RGB(%0)",
     0,
     {{24, 5041, kTransfill}}},
    {21, 25021, "Toggle AltLine", 5021, "Toggle Indeo AltLine", 0, {}},
    {22,
     25022,
     "Set Contrast",
     5022,
     "Set Indeo Contrast to %0",
     0,
     {{22, 5045, "Contrast, 0 to 256"}}},
    {23,
     25023,
     "Set Brightness",
     5023,
     "Set Indeo Brightness to %0",
     0,
     {{22, 5046, "Brightness, 0 to 256"}}},
    {24,
     25024,
     "Set Saturation",
     5024,
     "Set Indeo Saturation to %0",
     0,
     {{22, 5047, "Saturation, 0 to 256"}}},
    {25,
     25025,
     "Set Numeric Password",
     5025,
     "Set Indeo Password to %0",
     0,
     {{22, 5048, "Numeric Password"}}},
    {26, 25026, "Toggle Aspect Ratio", 5026, "Toggle (Keep Aspect Ratio)", 0, {}},
    {27,
     25027,
     "Set Background Color",
     5027,
     "Set Background color to %0",
     0,
     {{24, 5041, kTransfill}}},
    {28,
     25028,
     "Set Indio Password",
     5050,
     "Set Indio Password to %0",
     0,
     {{45, 5048, "Numeric Password"}}},
    {29,
     25029,
     nullptr,
     5028,
     "Set Postprocessing level to %0",
     0,
     {{22, 5052, "Set Postprocessing level (0 - 100)%"}}},
    {30,
     25030,
     "Set Contrast",
     5029,
     "Set DIVX Contrast to %0",
     0,
     {{22, 5053, "Divx - Contrast, 0 to 256"}}},
    {31,
     25031,
     "Set Brightness",
     5030,
     "Set DIVX Brightness to %0",
     0,
     {{22, 5054, "Divx - Brightness, 0 to 256"}}},
    {32,
     25032,
     "Set Saturation",
     5031,
     "Set DIVX Saturation to %0",
     0,
     {{22, 5055, "Divx - Saturation, 0 to 256"}}},
    {33,
     25033,
     "Set Horizontal position",
     5032,
     "Set horizontal position to %0",
     0,
     {{22, 5056, "Set horizontal position"}}},
    {34,
     25034,
     "Set Vertical position",
     5033,
     "Set vertical position to %0",
     0,
     {{22, 5057, "Set vertical position"}}},
    {35, 25035, "Set Volume", 5034, "Set Volume to %0", 0, {{22, 5060, "New Volume, 0 to 100"}}},
    {36,
     25036,
     "Grab Image to file",
     5061,
     "Grab Image and save to %0",
     0,
     {{45, 20206, "Image Filename"}}},
    {37, 25037, "Grab Image to Clipboard", 20207, "Grab Image to clipboard", 0, {}},
    {38, 25038, "Reset Clipboard", 20208, "Reset clipboard", 0, {}},
    {39,
     25039,
     "Set Playback Rate",
     5062,
     "Set Playback rate to %0",
     0,
     {{22, 5063, "Set Playback Rate like: 0.5, 1.0, 1.5, 2.0"}}},
};

const std::vector<Event> kExpressions = {
    {0, 27000, "Current frame number", 7000, "VideoFrame(", 0, {}},
    {1, 27001, "Total number of frames", 7001, "VideoTotalFrames(", 0, {}},
    {2, 27002, "Current time position", 7002, "VideoTime(", 0, {}},
    {3, 27003, "Total time", 7003, "VideoTotalTime(", 0, {}},
    {4, 27004, "Horizontal window size", 7004, "VideoXSize(", 0, {}},
    {5, 27005, "Vertical window size", 7005, "VideoYSize(", 0, {}},
    {6, 27006, "Last Error Number", 7006, "LastError(", 0, {}},
    {7, 27007, "Get Indeo Password", 7007, "IndeoKey(", 0, {}},
    {8, 27008, "Get Indeo Contrast", 7008, "GetIndeoContrast(", 0, {}},
    {9, 27009, "Get Indeo Brightness", 7009, "GetIndeoBrightness(", 0, {}},
    {10, 27010, "Get Indeo Saturation", 7010, "GetIndeoSaturation(", 0, {}},
    {11, 27011, "Get Divx Contrast", 7011, "GetDivxContrast(", 0, {}},
    {12, 27012, "Get Divx Brightness", 7012, "GetDivxBrightness(", 0, {}},
    {13, 27013, "Get Divx Saturation", 7013, "GetDivxSaturation(", 0, {}},
    {14, 27014, "Get Indio Password", 7014, "GetIndioKey$(", 1, {}},
    {15, 27015, "Get Volume", 7015, "GetVolume(", 0, {}},
    {16, 27016, "Get Playback Rate", 7016, "GetPlaybackRate(", 2, {}},
    {17, 27017, "Get Video Error", 7017, "VideoError(", 0, {}},
    {18, 27018, "Video Filename", 7018, "VideoFilename$(", 1, {}},
    {19, 27019, "Current position in H:M:S", 7019, "VidPositionHMS$(", 1, {}},
    {20, 27020, "Total time in H:M:S", 7020, "VideoLengthHMS$(", 1, {}},
    {21, 27021, "Get Avg. Frame Rate", 7021, "GetAvgFrameRate(", 2, {}},
    {22, 27022, "Get Video Width", 7022, "GetNativeVideoWidth(", 0, {}},
    {23, 27023, "Get Video Heigth", 7023, "GetNativeVideoHeight(", 0, {}},
};

struct Catalogue {
    const char* name;
    const EventTable& table;
    const std::vector<Event>& events;
};

std::vector<Catalogue> AllCatalogues() {
    return {{"conditions", ConditionEvents(), kConditions},
            {"actions", ActionEvents(), kActions},
            {"expressions", ExpressionEvents(), kExpressions}};
}

class EventCatalogue : public ::testing::Test {
  protected:
    void SetUp() override { standin::ResetPlatform(); }
};

TEST_F(EventCatalogue, EveryEntryStringTitleAndMenuTextMatchesTheCatalogue) {
    for (const Catalogue& catalogue : AllCatalogues()) {
        // Entries are contiguous, in code order, and fill their table exactly.
        size_t position = 0;
        ASSERT_EQ(static_cast<size_t>(catalogue.table.entryCount), catalogue.events.size());
        for (const Event& event : catalogue.events) {
            SCOPED_TRACE(std::string(catalogue.name) + " code " + std::to_string(event.code));
            const short* entry = FindEventEntry(catalogue.table, event.code);
            ASSERT_EQ(entry, catalogue.table.values + position);
            int n = static_cast<int>(event.parameters.size());
            std::vector<short> expected = {event.menuId, event.stringId,
                                           static_cast<short>(event.code), event.flags,
                                           static_cast<short>(n)};
            for (const Parameter& parameter : event.parameters)
                expected.push_back(parameter.type);
            for (const Parameter& parameter : event.parameters)
                expected.push_back(parameter.titleId);
            EXPECT_EQ(std::vector<short>(entry, entry + expected.size()), expected);
            position += expected.size();

            WCHAR text[128];
            EXPECT_EQ(GetEventString(Instance(), catalogue.table, event.code, text, 128),
                      static_cast<int>(std::string(event.display).size()));
            EXPECT_EQ(Utf8(text), event.display);

            const char* menuText = event.menuText ? event.menuText : "";
            for (int index = 0; index < n; ++index) {
                GetEventTitle(Instance(), catalogue.table, event.code, index, text, 128);
                EXPECT_EQ(Utf8(text), event.parameters[index].title) << "title " << index;
                GetEventParameterTitle(Instance(), catalogue.table, event.code, index, text, 128);
                EXPECT_EQ(Utf8(text),
                          event.parameters[index].titleId ? event.parameters[index].title : "");
            }
            // Past the last parameter the title is the menu text.
            GetEventTitle(Instance(), catalogue.table, event.code, n, text, 128);
            EXPECT_EQ(Utf8(text), menuText);
            GetEventParameterTitle(Instance(), catalogue.table, event.code, n, text, 128);
            EXPECT_EQ(Utf8(text), "");

            EXPECT_EQ(EventCodeFromMenu(catalogue.table, event.menuId), event.code);
        }
        EXPECT_EQ(position, catalogue.table.length);
    }
}

TEST_F(EventCatalogue, CodesFromMenuIds) {
    EXPECT_EQ(EventCodeFromMenu(ConditionEvents(), 26011), 2);
    EXPECT_EQ(EventCodeFromMenu(ConditionEvents(), 26013), 13);
    EXPECT_EQ(EventCodeFromMenu(ConditionEvents(), 0), -1);
    EXPECT_EQ(EventCodeFromMenu(ConditionEvents(), 25000), -1);
    EXPECT_EQ(EventCodeFromMenu(ActionEvents(), 25039), 39);
    EXPECT_EQ(EventCodeFromMenu(ActionEvents(), 25004), 4) << "no menu item, still in the table";
    EXPECT_EQ(EventCodeFromMenu(ExpressionEvents(), 26000), -1);
    EXPECT_EQ(EventCodeFromMenu(ExpressionEvents(), 0xFFFF), -1);
}

TEST_F(EventCatalogue, CodesOutsideTheTablesFindNothingAndYieldEmptyTexts) {
    for (const Catalogue& catalogue : AllCatalogues()) {
        for (int code : {-1, catalogue.table.entryCount, catalogue.table.entryCount + 1, 1000,
                         32767, -32768}) {
            SCOPED_TRACE(std::string(catalogue.name) + " code " + std::to_string(code));
            EXPECT_EQ(FindEventEntry(catalogue.table, code), nullptr);
            WCHAR text[16] = {L'x', L'x', 0};
            EXPECT_EQ(GetEventString(Instance(), catalogue.table, code, text, 16), 0);
            EXPECT_EQ(text[0], 0);
            text[0] = L'x';
            GetEventTitle(Instance(), catalogue.table, code, 0, text, 16);
            EXPECT_EQ(text[0], 0);
            text[0] = L'x';
            GetEventParameterTitle(Instance(), catalogue.table, code, 0, text, 16);
            EXPECT_EQ(text[0], 0);
        }
    }
    // A negative parameter index is no parameter: the menu text, not a type read as a string id.
    WCHAR text[64];
    GetEventTitle(Instance(), ActionEvents(), 14, -1, text, 64);
    EXPECT_EQ(Utf8(text), "Set Horizontal and Vertical size");
}

TEST_F(EventCatalogue, TextsAreCutToTheBufferAndNoRoomWritesNothing) {
    WCHAR text[8];
    EXPECT_EQ(GetEventString(Instance(), ActionEvents(), 28, text, 8), 7);
    EXPECT_EQ(Utf8(text), "Set Ind");
    GetEventTitle(Instance(), ConditionEvents(), 3, 0, text, 8);
    EXPECT_EQ(Utf8(text), "Mouse c");
    GetEventTitle(Instance(), ActionEvents(), 27, 0, text, 8);
    EXPECT_EQ(Utf8(text), "Red Tra");

    // Size 0 must not turn into LoadStringW's pointer-returning form.
    WCHAR untouched[4] = {L'a', L'b', L'c', 0};
    EXPECT_EQ(GetEventString(Instance(), ActionEvents(), 28, untouched, 0), 0);
    GetEventTitle(Instance(), ActionEvents(), 28, 0, untouched, 0);
    GetEventParameterTitle(Instance(), ActionEvents(), 28, 0, untouched, -3);
    EXPECT_EQ(Utf8(untouched), "abc");
    EXPECT_EQ(GetEventString(Instance(), ActionEvents(), 28, nullptr, 8), 0);
    EXPECT_EQ(standin::LiveMenuCount(), 0) << "title look-ups release the menus they load";
}

// Renders a menu as lines: "-" separator, "[text]" popup followed by its indented items,
// "id text" for a command, with "+state" when the item has state flags.
void Render(HMENU menu, const std::string& indent, std::vector<std::string>& lines) {
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        UINT id = GetMenuItemID(menu, position);
        WCHAR text[128];
        GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
        if (id == 0) {
            lines.push_back(indent + "-");
        } else if (id == static_cast<UINT>(-1)) {
            lines.push_back(indent + "[" + Utf8(text) + "]");
            Render(GetSubMenu(menu, position), indent + "  ", lines);
        } else {
            UINT state = GetMenuState(menu, position, MF_BYPOSITION);
            lines.push_back(indent + std::to_string(id) + " " + Utf8(text) +
                            (state ? "+" + std::to_string(state) : ""));
        }
    }
}

std::vector<std::string> CopiedMenu(UINT resource) {
    HMENU menu = CopyMenuTree(Instance(), resource);
    std::vector<std::string> lines;
    if (!menu)
        return {"null"};
    Render(menu, "", lines);
    DestroyMenu(menu);
    return lines;
}

TEST_F(EventCatalogue, CopiedMenusHoldTheItemsInOrder) {
    const std::vector<std::string> actions = {
        "-",
        "[Play]",
        "  25000 Forward",
        "  25006 A new file",
        "  25007 A new file via a file selector",
        "25001 Stop",
        "25002 Pause",
        "25003 Resume",
        "25005 Step Frames",
        "25039 Set Playback Rate",
        "[Set Video Play Position to...]",
        "  25010 Beginning",
        "  25011 End",
        "  25012 A Frame Number",
        "  25013 A Time Position",
        "[Size/Position]",
        "  25034 Set Vertical position",
        "  25033 Set Horizontal position",
        "  -",
        "  25016 Set Vertical size",
        "  25015 Set Horizontal size",
        "  25014 Set Horizontal and Vertical size",
        "[Sound]",
        "  25035 Set Volume",
        "[Visibility]",
        "  25008 Make Object Invisible",
        "  25009 Make Object Reappear",
        "[Window Size and Color]",
        "  25017 Full Screen",
        "  25018 Normal Size",
        "  25026 Toggle Aspect Ratio",
        "  -",
        "  25027 Set Background Color",
        "25019 Center Video",
        "[Indeo Options]",
        "  25020 Set RGB Trans Fill",
        "  25021 Toggle AltLine",
        "  25023 Set Brightness",
        "  25022 Set Contrast",
        "  25024 Set Saturation",
        "  -",
        "  25025 Set Numeric Password",
        "[Indio Options]",
        "  25028 Set Indio Password",
        "[Divx Ver 4/3 Options]",
        "  25031 Set Brightness",
        "  25030 Set Contrast",
        "  25032 Set Saturation",
        "-",
        "25036 Grab Image to file",
        "25037 Grab Image to Clipboard",
        "25038 Reset Clipboard",
        "-",
    };
    EXPECT_EQ(CopiedMenu(IDR_ACTION_MENU), actions);

    const std::vector<std::string> conditions = {
        "26000 Is Video at start position?",
        "26001 Is Video at end position?",
        "26011 Is Video paused?",
        "-",
        "26002 Mouse clicks within the Video window?",
        "26013 Upon a Key press in fullscreen?",
        "-",
        "26003 Compare to current frame?",
        "26004 Compare to current time position?",
        "-",
        "26005 Check whether a file is open?",
        "-",
        "26006 Is visible?",
        "-",
        "26007 Is Video an Indeo?",
        "26008 Is AltLine Mode?",
        "-",
        "26009 Is Video an Indio?",
        "26010 Is Video an DIVX v4/3",
        "-",
        "26012 Is Image saved?",
    };
    EXPECT_EQ(CopiedMenu(IDR_CONDITION_MENU), conditions);

    const std::vector<std::string> expressions = {
        "-",
        "27018 Video Filename",
        "-",
        "27000 Current frame number",
        "27001 Total number of frames",
        "27002 Current time position",
        "27003 Total time",
        "27004 Horizontal window size",
        "27005 Vertical window size",
        "-",
        "27015 Get Volume",
        "27016 Get Playback Rate",
        "27021 Get Avg. Frame Rate",
        "27022 Get Video Width",
        "27023 Get Video Heigth",
        "-",
        "27019 Current position in H:M:S",
        "27020 Total time in H:M:S",
        "-",
        "27006 Last Error Number",
        "-",
        "27007 Get Indeo Password",
        "27009 Get Indeo Brightness",
        "27008 Get Indeo Contrast",
        "27010 Get Indeo Saturation",
        "-",
        "27012 Get Divx Brightness",
        "27011 Get Divx Contrast",
        "27013 Get Divx Saturation",
        "-",
        "27014 Get Indio Password",
        "-",
        "27017 Get Video Error",
    };
    EXPECT_EQ(CopiedMenu(IDR_EXPRESSION_MENU), expressions);
    EXPECT_EQ(standin::LiveMenuCount(), 0);
}

TEST_F(EventCatalogue, MenuCopyFailuresLeaveNothingBehind) {
    standin::InjectFault("LoadMenuW", 0);
    EXPECT_EQ(CopyMenuTree(Instance(), IDR_ACTION_MENU), nullptr);
    EXPECT_EQ(CopyMenuTree(Instance(), 20999), nullptr);
    EXPECT_EQ(standin::LiveMenuCount(), 0);

    standin::InjectFault("CreatePopupMenu", 0);
    EXPECT_EQ(CopyMenuTree(Instance(), IDR_ACTION_MENU), nullptr);
    EXPECT_EQ(standin::LiveMenuCount(), 0) << "the loaded resource menu is destroyed";

    // A sub-popup that cannot be created is left out; the rest of the copy goes on.
    standin::InjectFault("CreatePopupMenu", 0, 2);
    HMENU menu = CopyMenuTree(Instance(), IDR_ACTION_MENU);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 20);
    WCHAR text[32];
    GetMenuStringW(menu, 1, text, 32, MF_BYPOSITION);
    EXPECT_EQ(Utf8(text), "Stop");
    DestroyMenu(menu);

    // A popup that cannot be appended is destroyed, not leaked.
    standin::InjectFault("AppendMenuW", 0, 2);
    menu = CopyMenuTree(Instance(), IDR_ACTION_MENU);
    ASSERT_NE(menu, nullptr);
    DestroyMenu(menu);
    EXPECT_EQ(standin::LiveMenuCount(), 0);
}

// The exported look-ups, as the host's event editor calls them.
class CatalogueEntryPoints : public EventCatalogue {
  protected:
    hoststandin::EditHost host{0x02000000u | 251u};
};

TEST_F(CatalogueEntryPoints, MenusAreCopiesTheHostOwns) {
    HMENU actions = GetActionMenu(host.Record(), nullptr, nullptr);
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(host.VersionCalls(), 2);
    int count = GetMenuItemCount(actions);
    int popups = 0;
    for (int position = 0; position < count; ++position)
        popups += GetMenuItemID(actions, position) == static_cast<UINT>(-1);
    EXPECT_EQ(GetMenuItemID(actions, 0), 0u);
    EXPECT_EQ(GetMenuItemID(actions, count - 1), 0u);
    EXPECT_EQ(popups, 9);
    EXPECT_EQ(standin::LiveMenuCount(), 10) << "the copy and its nine popups, nothing else";
    DestroyMenu(actions);

    HMENU conditions = GetConditionMenu(host.Record(), nullptr, nullptr);
    HMENU expressions = GetExpressionMenu(host.Record(), nullptr, nullptr);
    EXPECT_EQ(GetMenuItemCount(conditions), 21);
    EXPECT_EQ(GetMenuItemCount(expressions), 33);
    DestroyMenu(conditions);
    DestroyMenu(expressions);
}

TEST_F(CatalogueEntryPoints, UnsupportedHostsGetNoMenusAndNoStrings) {
    for (DWORD version : {0u, 0x02000000u | 250u, 0x01FF0000u | 4095u}) {
        SCOPED_TRACE(version);
        host.SetVersion(version);
        EXPECT_EQ(GetConditionMenu(host.Record(), nullptr, nullptr), nullptr);
        EXPECT_EQ(GetActionMenu(host.Record(), nullptr, nullptr), nullptr);
        EXPECT_EQ(GetExpressionMenu(host.Record(), nullptr, nullptr), nullptr);
        WCHAR text[16] = {L'k', 0};
        EXPECT_EQ(GetConditionString(host.Record(), 0, text, 16), 0);
        EXPECT_EQ(GetActionString(host.Record(), 0, text, 16), 0);
        EXPECT_EQ(GetExpressionString(host.Record(), 0, text, 16), 0);
        EXPECT_EQ(Utf8(text), "k") << "nothing written";
    }
    EXPECT_EQ(GetActionMenu(nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(standin::LiveMenuCount(), 0);
}

TEST_F(CatalogueEntryPoints, LookUpsTheEditorMakes) {
    EXPECT_EQ(GetConditionCodeFromMenu(nullptr, 26011), 2);
    EXPECT_EQ(GetConditionCodeFromMenu(nullptr, 26013), 13);
    EXPECT_EQ(GetConditionCodeFromMenu(nullptr, 0), -1);
    EXPECT_EQ(GetConditionCodeFromMenu(nullptr, 25000), -1);
    EXPECT_EQ(GetActionCodeFromMenu(nullptr, 25039), 39);
    EXPECT_EQ(GetActionCodeFromMenu(nullptr, 25004), 4);
    EXPECT_EQ(GetExpressionCodeFromMenu(nullptr, 27023), 23);

    const short* infos = GetExpressionInfos(nullptr, 16);
    ASSERT_NE(infos, nullptr);
    EXPECT_EQ((std::vector<short>{infos[0], infos[1], infos[2]}), (std::vector<short>{16, 2, 0}));
    infos = GetConditionInfos(nullptr, 3);
    ASSERT_NE(infos, nullptr);
    EXPECT_EQ((std::vector<short>(infos, infos + 5)), (std::vector<short>{3, 0, 1, 32, 0}));
    EXPECT_EQ(GetActionInfos(nullptr, 40), nullptr);
    EXPECT_EQ(GetActionInfos(nullptr, -1), nullptr);
    EXPECT_EQ(GetConditionInfos(nullptr, 14), nullptr);
    EXPECT_EQ(GetExpressionInfos(nullptr, 24), nullptr);

    WCHAR text[128];
    EXPECT_EQ(GetActionString(host.Record(), 28, text, 128), 24);
    EXPECT_EQ(Utf8(text), "Set Indio Password to %0");
    EXPECT_EQ(GetActionString(host.Record(), 29, text, 128), 30);
    EXPECT_EQ(Utf8(text), "Set Postprocessing level to %0");
    EXPECT_EQ(GetConditionString(host.Record(), 99, text, 128), 0);
    EXPECT_EQ(Utf8(text), "");

    GetConditionTitle(nullptr, 3, 0, text, 128);
    EXPECT_EQ(Utf8(text), "Mouse clicks within the Video window?");
    GetActionTitle(nullptr, 14, 1, text, 128);
    EXPECT_EQ(Utf8(text), "Set vertical size");
    GetActionTitle(nullptr, 27, 0, text, 128);
    EXPECT_EQ(Utf8(text), kTransfill);
    for (const Event& expression : kExpressions) {
        GetExpressionTitle(nullptr, static_cast<short>(expression.code), text, 128);
        EXPECT_EQ(Utf8(text), expression.menuText);
        text[0] = L'x';
        GetExpressionParam(nullptr, static_cast<short>(expression.code), 0, text, 128);
        EXPECT_EQ(Utf8(text), "");
    }
    GetExpressionParam(nullptr, 0, 0, text, 0);
    GetParameterString(nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(standin::LiveMenuCount(), 0);
}

} // namespace
