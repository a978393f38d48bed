#include "support/log_capture.h"

#include "diag/event_log.h"
#include "support/module_setup.h"
#include "standin/sandbox.h"
#include "support/wide.h"

#include <vector>

namespace {

// "(03/07/2012 14:05:09): " is 23 characters.
constexpr size_t kPrefixLength = 23;

bool HasPrefix(const std::string& line) {
    return line.size() >= kPrefixLength && line[0] == '(' && line[3] == '/' && line[6] == '/' &&
           line[11] == ' ' && line[20] == ')' && line[21] == ':' && line[22] == ' ';
}

std::string Utf8FromUtf16Le(const std::string& bytes) {
    std::vector<WCHAR> units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<WCHAR>(static_cast<unsigned char>(bytes[i]) |
                                           (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return Utf8(units.data(), units.size());
}

} // namespace

void StartFreshModuleLog() {
    StartFreshModule();
    OpenModuleLog();
}

void EndModuleLog() {
    CloseModuleLog();
}

std::string LogFileBytes() {
    std::string bytes;
    return standin::ReadSandboxFile(kModuleLogPath, &bytes) ? bytes : std::string();
}

std::vector<std::string> LogLinesWithPrefix() {
    std::string text = Utf8FromUtf16Le(LogFileBytes());
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> LogLines() {
    std::vector<std::string> lines = LogLinesWithPrefix();
    for (std::string& line : lines)
        if (HasPrefix(line))
            line.erase(0, kPrefixLength);
    return lines;
}

void ClearLogLines() {
    if (standin::SandboxFileExists(kModuleLogPath))
        standin::WriteSandboxFile(kModuleLogPath, "");
}
