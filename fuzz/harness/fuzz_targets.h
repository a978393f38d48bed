// The fuzz targets: one per parser of bytes the module does not control. Each harness is set up
// once and then given one input after another; the libFuzzer programs (fuzz/fuzz_main.cpp) and
// the unit test that replays the checked-in corpus (fuzz/corpus/<target>/) drive the same code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fuzz {

class Harness {
  public:
    virtual ~Harness() = default;
    // Feeds one input. A broken promise about the answer is reported through Finding; a crash
    // or a sanitizer report is the other kind of finding.
    virtual void Run(const uint8_t* data, size_t size) = 0;
};

// A harness that starts with the module as the host finds it right after loading it (no log)
// and leaves nothing set up behind it.
class FreshModuleHarness : public Harness {
  protected:
    FreshModuleHarness();
    ~FreshModuleHarness() override;
};

// "settings_upgrade", "grab", "catalogue", "dib_loader", "media_reader".
const std::vector<std::string>& TargetNames();
// A new harness for the target, or null for an unknown name.
std::unique_ptr<Harness> MakeHarness(const std::string& name);

// Where findings go: by default printed and the process aborted (libFuzzer keeps the input).
using FindingHandler = void (*)(const std::string& what);
void SetFindingHandler(FindingHandler handler);
// Reports `what` when `holds` is false.
void Expect(bool holds, const std::string& what);

// The input read as a little-endian number at `offset`, 0 where the input ends first.
uint32_t ReadLe(const uint8_t* data, size_t size, size_t offset, size_t bytes);

std::unique_ptr<Harness> MakeSettingsUpgradeHarness();
std::unique_ptr<Harness> MakeGrabHarness();
std::unique_ptr<Harness> MakeCatalogueHarness();
std::unique_ptr<Harness> MakeDibLoaderHarness();
std::unique_ptr<Harness> MakeMediaReaderHarness();

} // namespace fuzz
