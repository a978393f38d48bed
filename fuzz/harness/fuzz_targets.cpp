#include "harness/fuzz_targets.h"

#include "standin/faults.h"
#include "support/module_setup.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {
namespace {

void AbortOnFinding(const std::string& what) {
    std::fprintf(stderr, "fuzz finding: %s\n", what.c_str());
    std::abort();
}

FindingHandler findingHandler = AbortOnFinding;

struct Target {
    const char* name;
    std::unique_ptr<Harness> (*make)();
};

const Target kTargets[] = {
    {"settings_upgrade", MakeSettingsUpgradeHarness},
    {"grab", MakeGrabHarness},
    {"catalogue", MakeCatalogueHarness},
    {"dib_loader", MakeDibLoaderHarness},
    {"media_reader", MakeMediaReaderHarness},
};

} // namespace

FreshModuleHarness::FreshModuleHarness() {
    StartFreshModule();
}

FreshModuleHarness::~FreshModuleHarness() {
    FreeModuleCompletely();
    standin::ResetPlatform();
}

const std::vector<std::string>& TargetNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const Target& target : kTargets)
            all.push_back(target.name);
        return all;
    }();
    return names;
}

std::unique_ptr<Harness> MakeHarness(const std::string& name) {
    for (const Target& target : kTargets)
        if (name == target.name)
            return target.make();
    return nullptr;
}

void SetFindingHandler(FindingHandler handler) {
    findingHandler = handler ? handler : AbortOnFinding;
}

void Expect(bool holds, const std::string& what) {
    if (!holds)
        findingHandler(what);
}

uint32_t ReadLe(const uint8_t* data, size_t size, size_t offset, size_t bytes) {
    uint32_t value = 0;
    for (size_t i = 0; i < bytes && offset + i < size; ++i)
        value |= static_cast<uint32_t>(data[offset + i]) << (8 * i);
    return value;
}

} // namespace fuzz
