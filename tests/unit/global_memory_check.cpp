// Every test ends with no global-memory block alive: what a test hands to the stand-in clipboard
// (or leaks) would otherwise outlive it and show up only as a leak report at process exit, which
// the sanitizer run cannot give where it runs without LeakSanitizer.
#include "standin/kernel_control.h"

#include <gtest/gtest.h>

namespace {

class GlobalMemoryCheck : public ::testing::EmptyTestEventListener {
    // Runs after the fixture's TearDown and destructor.
    void OnTestEnd(const ::testing::TestInfo& test) override {
        const int alive = standin::LiveGlobalBlocks();
        if (alive != 0)
            ADD_FAILURE() << test.test_suite_name() << "." << test.name() << " left " << alive
                          << " global-memory block(s) alive";
    }
};

const bool installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new GlobalMemoryCheck);
    return true;
}();

} // namespace
