#include "host_script.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace hoststandin {

namespace {

// Splits a line into words; a word starting with '"' runs to the next '"' (no escapes) and is
// kept with its quotes so the argument parser can tell a text from a number.
bool SplitWords(const std::string& line, std::vector<std::string>* words, std::string* error) {
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        if (c == '"') {
            size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                *error = "unterminated text";
                return false;
            }
            words->push_back(line.substr(i, end - i + 1));
            i = end + 1;
            continue;
        }
        size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r' &&
               line[end] != '#')
            ++end;
        words->push_back(line.substr(i, end - i));
        i = end;
    }
    return true;
}

bool ParseLong(const std::string& word, long low, long high, long* value) {
    if (word.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long parsed = std::strtol(word.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

bool ParseInt(const std::string& word, long low, long high, int* value) {
    long parsed = 0;
    if (!ParseLong(word, low, high, &parsed))
        return false;
    *value = static_cast<int>(parsed);
    return true;
}

bool ParseArgument(const std::string& word, ScriptArgument* argument) {
    if (word.size() >= 2 && word.front() == '"') {
        argument->kind = ScriptArgument::Text;
        argument->text = word.substr(1, word.size() - 2);
        return true;
    }
    if (ParseLong(word, LONG_MIN, LONG_MAX, &argument->integer)) {
        argument->kind = ScriptArgument::Integer;
        return true;
    }
    errno = 0;
    char* end = nullptr;
    double value = std::strtod(word.c_str(), &end);
    if (word.empty() || errno != 0 || *end != '\0' || !(value > -1e30 && value < 1e30))
        return false;
    argument->kind = ScriptArgument::Decimal;
    argument->decimal = static_cast<float>(value);
    return true;
}

// The text of a path argument: quoted or a single bare word.
std::string PathWord(const std::string& word) {
    if (word.size() >= 2 && word.front() == '"')
        return word.substr(1, word.size() - 2);
    return word;
}

constexpr int kLongestTime = 24 * 60 * 60 * 1000;

bool ParseVerb(const std::vector<std::string>& words, size_t at, ScriptEvent* event,
               std::string* error) {
    const std::string& verb = words[at];
    const size_t count = words.size() - at - 1; // arguments after the verb
    auto argument = [&](size_t k) -> const std::string& { return words[at + 1 + k]; };
    auto wants = [&](size_t low, size_t high) {
        if (count >= low && count <= high)
            return true;
        *error = "'" + verb + "' takes " +
                 (low == high ? std::to_string(low)
                              : std::to_string(low) + " to " + std::to_string(high)) +
                 " argument" + (high == 1 ? "" : "s");
        return false;
    };
    auto code = [&](int high, const char* what) {
        if (ParseInt(argument(0), 0, high, &event->code))
            return true;
        *error = std::string("bad ") + what + " number '" + argument(0) + "' (0 to " +
                 std::to_string(high) + ")";
        return false;
    };

    if (verb == "action") {
        event->verb = ScriptVerb::Action;
        if (!wants(1, 3) || !code(39, "action"))
            return false;
    } else if (verb == "condition") {
        event->verb = ScriptVerb::Condition;
        if (!wants(1, 2) || !code(13, "condition"))
            return false;
    } else if (verb == "expression") {
        event->verb = ScriptVerb::Expression;
        if (!wants(1, 1) || !code(23, "expression"))
            return false;
    } else if (verb == "position") {
        event->verb = ScriptVerb::Position;
        return wants(0, 0);
    } else if (verb == "grab") {
        event->verb = ScriptVerb::Grab;
        if (!wants(1, 1))
            return false;
        event->path = PathWord(argument(0));
        return true;
    } else if (verb == "screenshot") {
        event->verb = ScriptVerb::Screenshot;
        if (!wants(1, 1))
            return false;
        event->path = PathWord(argument(0));
        return true;
    } else if (verb == "click") {
        event->verb = ScriptVerb::Click;
        if (!wants(1, 2))
            return false;
        const std::string& button = argument(0);
        if (button == "left")
            event->button = ClickButton::Left;
        else if (button == "middle")
            event->button = ClickButton::Middle;
        else if (button == "right")
            event->button = ClickButton::Right;
        else {
            *error = "bad button '" + button + "' (left, middle or right)";
            return false;
        }
        if (count == 2 && argument(1) != "double") {
            *error = "bad click kind '" + argument(1) + "' (only 'double')";
            return false;
        }
        event->doubleClick = count == 2;
        return true;
    } else if (verb == "key") {
        event->verb = ScriptVerb::Key;
        if (!wants(1, 1) || !code(255, "key"))
            return false;
        return true;
    } else if (verb == "frame") {
        event->verb = ScriptVerb::Frame;
        if (!wants(2, 2))
            return false;
        if (!ParseInt(argument(0), 1, 8192, &event->width) ||
            !ParseInt(argument(1), 1, 8192, &event->height)) {
            *error = "bad frame size (1 to 8192 pixels each)";
            return false;
        }
        return true;
    } else if (verb == "create") {
        event->verb = ScriptVerb::Create;
        if (!wants(0, 1))
            return false;
        if (count == 1)
            event->path = PathWord(argument(0));
        return true;
    } else if (verb == "select") {
        event->verb = ScriptVerb::Select;
        if (!wants(1, 1))
            return false;
        if (!ParseInt(argument(0), 1, 1000, &event->code)) {
            *error = "bad object number '" + argument(0) + "'";
            return false;
        }
        return true;
    } else if (verb == "destroy") {
        event->verb = ScriptVerb::Destroy;
        return wants(0, 0);
    } else if (verb == "setup") {
        event->verb = ScriptVerb::Setup;
        if (!wants(0, 1))
            return false;
        if (count == 1 && argument(0) != "help") {
            *error = "bad setup button '" + argument(0) + "' (only 'help')";
            return false;
        }
        event->code = count == 1 ? 1 : 0;
        return true;
    } else if (verb == "end") {
        event->verb = ScriptVerb::End;
        return wants(0, 0);
    } else {
        *error = "unknown verb '" + verb + "'";
        return false;
    }
    // action, condition, expression: the arguments after the code
    for (size_t k = 1; k < count; ++k) {
        ScriptArgument parsed;
        if (!ParseArgument(argument(k), &parsed)) {
            *error = "bad argument '" + argument(k) + "'";
            return false;
        }
        event->arguments.push_back(parsed);
    }
    return true;
}

bool ParseLine(const std::vector<std::string>& words, int previousMs, ScriptEvent* event,
               std::string* error) {
    size_t at = 0;
    if (words[0] == "on") {
        if (words.size() < 3 || !ParseInt(words[1], 0, 13, &event->onCondition)) {
            *error = "'on' needs a condition number (0 to 13) and a verb";
            return false;
        }
        at = 2;
        if (words[2].size() > 1 && words[2][0] == '+') {
            if (!ParseInt(words[2].substr(1), 0, kLongestTime, &event->atMs)) {
                *error = "bad delay '" + words[2] + "'";
                return false;
            }
            at = 3;
        }
    } else if (words[0][0] == '+') {
        int delay = 0;
        if (!ParseInt(words[0].substr(1), 0, kLongestTime, &delay)) {
            *error = "bad delay '" + words[0] + "'";
            return false;
        }
        event->atMs = previousMs + delay > kLongestTime ? kLongestTime : previousMs + delay;
        at = 1;
    } else {
        if (!ParseInt(words[0], 0, kLongestTime, &event->atMs)) {
            *error = "bad time '" + words[0] + "' (milliseconds, +delay or 'on N')";
            return false;
        }
        at = 1;
    }
    if (at >= words.size()) {
        *error = "missing verb";
        return false;
    }
    return ParseVerb(words, at, event, error);
}

} // namespace

bool ParseScript(const std::string& text, Script* script, std::string* error) {
    script->events.clear();
    int previousMs = 0;
    int lineNumber = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++lineNumber;
        std::vector<std::string> words;
        std::string reason;
        ScriptEvent event;
        event.line = lineNumber;
        if (!SplitWords(text.substr(start, end - start), &words, &reason) ||
            (!words.empty() && !ParseLine(words, previousMs, &event, &reason))) {
            *error = "line " + std::to_string(lineNumber) + ": " + reason;
            return false;
        }
        if (!words.empty()) {
            if (event.onCondition < 0)
                previousMs = event.atMs;
            script->events.push_back(event);
        }
        start = end + 1;
    }
    return true;
}

std::string DefaultScript(const std::string& grabPath, const std::string& screenshotPath) {
    return "# what the clip is\n"
           "0     expression 18     # VideoFilename$(\n"
           "0     expression 1      # VideoTotalFrames(\n"
           "0     expression 3      # VideoTotalTime(\n"
           "0     expression 20     # VideoLengthHMS$(\n"
           "0     expression 22     # GetNativeVideoWidth(\n"
           "0     expression 23     # GetNativeVideoHeight(\n"
           "0     expression 21     # GetAvgFrameRate(\n"
           "0     expression 15     # GetVolume(\n"
           "# while it plays\n"
           "500   position\n"
           "1000  position\n"
           "1200  grab \"" +
           grabPath + "\"\n" +
           (screenshotPath.empty() ? std::string()
                                   : "1300  screenshot \"" + screenshotPath + "\"\n") +
           "1500  position\n"
           "2000  position\n"
           "2500  position\n"
           "# the end\n"
           "on 1  position\n"
           "on 1 +300 end\n"
           "8000  end               # in case the end never comes\n";
}

} // namespace hoststandin
