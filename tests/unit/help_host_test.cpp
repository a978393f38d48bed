// The host program's help service: the author presses Help in the object's setup dialog, the
// module asks the host to open the file it names, and the host finds it relative to its own
// folder (the native build's Help/Cinevane.chm beside the program).
#include <gtest/gtest.h>

#include "help_viewer.h"
#include "host_script.h"
#include "host_session.h"
#include "support/module_setup.h"

using namespace hoststandin;

namespace {

TEST(HelpHost, SetupLinesOfTheScriptPressOkOrHelpThenOk) {
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript("0 setup help\n+100 setup\n", &script, &error)) << error;
    ASSERT_EQ(script.events.size(), 2u);
    EXPECT_EQ(script.events[0].verb, ScriptVerb::Setup);
    EXPECT_EQ(script.events[0].code, 1);
    EXPECT_EQ(script.events[1].verb, ScriptVerb::Setup);
    EXPECT_EQ(script.events[1].code, 0);
    EXPECT_FALSE(ParseScript("0 setup cancel\n", &script, &error));
    EXPECT_EQ(error, "line 1: bad setup button 'cancel' (only 'help')");
}

TEST(HelpHost, HelpInTheSetupDialogFindsTheCompiledFileBesideTheProgram) {
    StartFreshModule();
    ModuleApi api;
    std::string error;
    ASSERT_TRUE(BindModule(nullptr, &api, &error));
    Timeline timeline(nullptr);
    {
        HostSession session(api, &timeline);
        ASSERT_TRUE(session.Start(320, 240, &error)) << error;
        timeline.ForgetLines();
        session.SetupDialog(true);
        session.SetupDialog(false);
    }
    ReleaseModule(&api);
    FreeModuleCompletely();

    // The tests run from the build folder, where the build puts the compiled help file.
    const std::string location = HelpFileLocation("Help\\Cinevane.chm");
    EXPECT_EQ(location, CINEVANE_HELP_CHM);
    const std::vector<std::string>& lines = timeline.Lines();
    ASSERT_EQ(lines.size(), 4u); // and the session's end
    EXPECT_EQ(lines[0].substr(12), "help         \"Help\\Cinevane.chm\": " + location +
                                       ", present (the native build has no help viewer)");
    EXPECT_EQ(lines[1].substr(12), "setup        Help, then OK pressed; EditObject answered 1");
    EXPECT_EQ(lines[2].substr(12), "setup        OK pressed; EditObject answered 1");
    EXPECT_EQ(ShowHelpFile(location + ".missing", nullptr), "missing");
}

} // namespace
