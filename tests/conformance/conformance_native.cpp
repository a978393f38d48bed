// The native side of the conformance cases: GoogleTest reports the checks, and every case starts
// from a reset stand-in on its real clock (position and events follow real time, as on Windows)
// with an empty sandbox, so the temporary folder of one case never holds another's files.
#include "conformance/conformance.h"

#include "standin/clock.h"
#include "standin/faults.h"
#include "standin/sandbox.h"

#include <cstdarg>
#include <cstdio>
#include <string>

void PlatformConformance::SetUp() {
    standin::ResetPlatform();
    standin::UseRealClock();
    standin::ClearSandbox();
}

void PlatformConformance::TearDown() {
    standin::ResetPlatform();
}

namespace conformance {

void check(bool passed, const char* file, int line, const char* format, ...) {
    if (passed)
        return;
    char message[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    std::string text(message);
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    ADD_FAILURE_AT(file, line) << text;
}

} // namespace conformance
