// One libFuzzer program per target (the name is given when it is built, see fuzz/fuzz.cmake).
#include "harness/fuzz_targets.h"

#include <cstdio>
#include <cstdlib>

namespace {

fuzz::Harness* harness = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Set up once and kept for the process's life: the harness's objects live until exit.
    harness = fuzz::MakeHarness(CINEVANE_FUZZ_TARGET).release();
    if (!harness) {
        std::fprintf(stderr, "no fuzz target named %s\n", CINEVANE_FUZZ_TARGET);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    harness->Run(data, size);
    return 0;
}
