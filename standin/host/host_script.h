// The event script the stand-in host runs while a clip plays: one timed event per line.
//
//     # comment                      blank lines and text after '#' are ignored
//     <when> <verb> [arguments]
//
// <when> is a time in milliseconds from the first frame ("1500"), a delay after the previous
// line's time ("+250"), or "on <condition>" optionally followed by "+<ms>": the first frame at
// or after the moment that condition was first signalled for the current object (plus the delay).
//
// Verbs (codes are the module's event numbers):
//     action <code> [arg [arg]]  call the action routine; an argument is an integer, a decimal
//                                number (handed over through the host's parameter service, as
//                                for "Set Playback rate") or a "quoted text" (its address)
//     condition <code> [arg]     call the condition routine and print its result
//     expression <code>          call the expression routine and print its value
//     position                   print the position: frame, seconds and H:M:S
//     grab <path>                grab a frame to an image file (action 36), then condition 12
//     screenshot <path>          capture the host's frame window to a PNG file (Windows)
//     click left|middle|right [double]   a mouse click on the object's window
//     key <code>                 a key press on the object's window
//     frame <width> <height>     resize the host's frame window
//     create [path]              create another object (the default clip when no path); it
//                                becomes the current object
//     select <n>                 make object n (1 = the first) the current object
//     destroy                    destroy the current object
//     setup [help]               the author opens the object's setup dialog and presses OK,
//                                or Help and then OK (the host opens the help file)
//     end                        end the run
#pragma once

#include <string>
#include <vector>

namespace hoststandin {

enum class ScriptVerb {
    Action,
    Condition,
    Expression,
    Position,
    Grab,
    Screenshot,
    Click,
    Key,
    Frame,
    Create,
    Select,
    Destroy,
    Setup,
    End,
};

struct ScriptArgument {
    enum Kind { Integer, Decimal, Text } kind = Integer;
    long integer = 0;
    float decimal = 0.0f;
    std::string text; // UTF-8
};

enum class ClickButton { Left, Middle, Right };

struct ScriptEvent {
    int line = 0;         // 1-based line in the script text
    int atMs = 0;         // time of the event, or delay after the trigger
    int onCondition = -1; // >= 0: wait for this condition's first signal
    ScriptVerb verb = ScriptVerb::End;
    int code = 0; // event number (action, condition, expression), object, key; setup: 1 = Help
    ClickButton button = ClickButton::Left;
    bool doubleClick = false;
    int width = 0, height = 0; // frame
    std::vector<ScriptArgument> arguments;
    std::string path; // grab, screenshot, create
};

struct Script {
    std::vector<ScriptEvent> events;
};

// Parses the whole text. On the first bad line returns false with "line N: <reason>" in `error`;
// `script` then holds the lines before it.
bool ParseScript(const std::string& text, Script* script, std::string* error);

// The script the host runs when it is given none: it reads the clip's facts, reports the
// position while it plays, grabs a frame to `grabPath`, captures the frame window to
// `screenshotPath` (when not empty), and ends a little after the end of the clip.
std::string DefaultScript(const std::string& grabPath, const std::string& screenshotPath);

} // namespace hoststandin
