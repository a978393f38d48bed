// What every test must leave behind, checked after the fixture's TearDown and destructor:
// - no global-memory block alive: what a test hands to the stand-in clipboard (or leaks) would
//   otherwise outlive it and show up only as a leak report at process exit, which the sanitizer
//   run cannot give where it runs without LeakSanitizer;
// - no platform call the stand-in answered as unmodelled: such a call passes against a stub
//   that only says E_NOTIMPL, so whatever the test asserted did not meet the platform's
//   behaviour.
#include "standin/faults.h"
#include "standin/kernel_control.h"

#include <gtest/gtest.h>

namespace {

class EndOfTestChecks : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& test) override {
        const int alive = standin::LiveGlobalBlocks();
        if (alive != 0)
            ADD_FAILURE() << test.test_suite_name() << "." << test.name() << " left " << alive
                          << " global-memory block(s) alive";
        for (const std::string& call : standin::TakeUnmodelledCalls())
            ADD_FAILURE() << test.test_suite_name() << "." << test.name()
                          << " made a platform call the stand-in does not model: " << call;
    }
};

const bool installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new EndOfTestChecks);
    return true;
}();

} // namespace
