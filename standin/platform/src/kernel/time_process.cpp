// Calendar time (injectable), the tick count and Sleep on the stand-in's clock, process exit.
#include "kernel_internal.h"

#include "standin/kernel_control.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace standin {
namespace kernel {
namespace {

struct TimeAndProcess {
    bool fixedTime = false;
    SYSTEMTIME time = {};
    bool exitRequested = false;
    UINT exitCode = 0;
};

TimeAndProcess& State() {
    static TimeAndProcess state;
    return state;
}

void FromTm(const std::tm& fields, int milliseconds, SYSTEMTIME* time) {
    time->wYear = static_cast<WORD>(fields.tm_year + 1900);
    time->wMonth = static_cast<WORD>(fields.tm_mon + 1);
    time->wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    time->wDay = static_cast<WORD>(fields.tm_mday);
    time->wHour = static_cast<WORD>(fields.tm_hour);
    time->wMinute = static_cast<WORD>(fields.tm_min);
    time->wSecond = static_cast<WORD>(fields.tm_sec);
    time->wMilliseconds = static_cast<WORD>(milliseconds);
}

void RealTime(bool local, SYSTEMTIME* time) {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    int milliseconds = static_cast<int>(
        duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm fields = {};
    if (local)
        localtime_r(&seconds, &fields);
    else
        gmtime_r(&seconds, &fields);
    FromTm(fields, milliseconds, time);
}

} // namespace

void ResetTimeAndProcess() {
    State() = TimeAndProcess();
}

} // namespace kernel

void SetLocalTime(const SYSTEMTIME& time) {
    kernel::EnsureRegistered();
    kernel::State().fixedTime = true;
    kernel::State().time = time;
}

void SetLocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields = {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    std::time_t seconds = timegm(&fields); // normalises and fills the weekday
    std::tm normalised = {};
    gmtime_r(&seconds, &normalised);
    SYSTEMTIME time;
    kernel::FromTm(normalised, 0, &time);
    SetLocalTime(time);
}

void UseRealLocalTime() {
    kernel::State().fixedTime = false;
}

bool ProcessExitRequested() {
    return kernel::State().exitRequested;
}
UINT ProcessExitCode() {
    return kernel::State().exitCode;
}

} // namespace standin

using namespace standin::kernel;

// With a fixed time the stand-in's time zone is UTC, so local and system time agree.
void WINAPI GetLocalTime(LPSYSTEMTIME time) {
    EnsureRegistered();
    if (!time)
        return;
    if (State().fixedTime)
        *time = State().time;
    else
        RealTime(true, time);
}

DWORD WINAPI GetTickCount() {
    return static_cast<DWORD>(standin::NowMs() & 0xFFFFFFFF);
}

void WINAPI Sleep(DWORD milliseconds) {
    if (standin::ManualClockActive())
        standin::AdvanceClock(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void WINAPI ExitProcess(UINT exitCode) {
    EnsureRegistered();
    if (!State().exitRequested) {
        State().exitRequested = true;
        State().exitCode = exitCode;
    }
}
