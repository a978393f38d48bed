// The Windows side of the conformance cases: the program conformance_wine. It runs every case in
// the order the sources register them, prints each failed check as "file:line: FAILED in Case:
// message" (the wine tier fails on "FAILED"), lists the differences from Windows that Wine showed,
// and ends with "N passed, N failed". A case that faults (a platform writing through a pointer it
// should have refused) is reported as failed and the run goes on with the next one.
#include "conformance/conformance.h"

#include <csetjmp>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace conformance {
namespace {

struct Case {
    const char* name;
    CaseFunction function;
};

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

int passed = 0;
int failed = 0;
const char* running = "";

std::jmp_buf caseStart;
bool guarding = false;

LONG WINAPI LeaveFaultingCase(PEXCEPTION_POINTERS info) {
    if (!guarding || info->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
        return EXCEPTION_CONTINUE_SEARCH;
    guarding = false;
    std::longjmp(caseStart, 1);
}

} // namespace

Registration::Registration(const char* name, CaseFunction function) {
    Cases().push_back(Case{name, function});
}

void check(bool passedCheck, const char* file, int line, const char* format, ...) {
    if (passedCheck) {
        ++passed;
        return;
    }
    ++failed;
    char message[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    size_t length = 0;
    while (message[length])
        ++length;
    std::printf("%s:%d: FAILED in %s: %s%s", file, line, running, message,
                length && message[length - 1] == '\n' ? "" : "\n");
    std::fflush(stdout);
}

} // namespace conformance

int main() {
    using namespace conformance;
    std::printf("platform: %s\n", on_wine() ? "Wine" : "Windows");
    AddVectoredExceptionHandler(1, LeaveFaultingCase);
    for (const Case& c : Cases()) {
        running = c.name;
        std::printf("--- %s\n", c.name);
        std::fflush(stdout);
        if (setjmp(caseStart) == 0) {
            guarding = true;
            c.function();
            guarding = false;
        } else {
            ++failed;
            std::printf("FAILED in %s: an access violation ended the case\n", c.name);
        }
    }
    const std::vector<std::string>& differences = DifferencesMet();
    if (!differences.empty()) {
        std::printf("wine differs from Windows in %u places:\n",
                    static_cast<unsigned>(differences.size()));
        for (const std::string& difference : differences)
            std::printf("  %s\n", difference.c_str());
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 && passed > 0 ? 0 : 1;
}
