// The host's help service as the host program answers it. The module names its help file by a
// path relative to the host's installation folder ("Help\Cinevane.chm"); for the host program
// that is the folder the program itself was started from.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace hoststandin {

// The full path (UTF-8, with the platform's separators) of the help file the module names.
std::string HelpFileLocation(const std::string& named);

// Opens the help file: on Windows in HTML Help (HtmlHelpW of hhctrl.ocx, or hh.exe when that
// cannot be had), owned by `owner`; the native build has no viewer and only looks whether the
// file is there. Returns what happened, for the timeline.
std::string ShowHelpFile(const std::string& path, HWND owner);

// Shows the object's setup dialog through `show` (the module's EditObject) and answers it as an
// author would: Help first when `pressHelp`, then OK. Returns what `show` returned. (Windows: a
// timer of this thread finds the dialog once it is shown; native: the dialog stand-in's input.)
BOOL AnswerSetupDialog(const std::function<BOOL()>& show, bool pressHelp);

} // namespace hoststandin
