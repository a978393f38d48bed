#include "support/log_capture.h"

#include "diag/event_log.h"
#include "support/module_setup.h"
#include "standin/sandbox.h"

namespace {

// "(03/07/2012 14:05:09): " is 23 characters.
constexpr size_t kPrefixLength = 23;

bool HasPrefix(const std::string& line) {
    return line.size() >= kPrefixLength && line[0] == '(' && line[3] == '/' && line[6] == '/' &&
           line[11] == ' ' && line[20] == ')' && line[21] == ':' && line[22] == ' ';
}

std::string Utf8FromUtf16Le(const std::string& bytes) {
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    std::string out;
    for (size_t i = 0; i < units.size(); ++i) {
        unsigned code = units[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
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
