// The checked-in fuzz corpus replayed through the fuzz harnesses on every run: each input (the
// inputs of earlier crashes among them) runs without a finding, and in the sanitizer run without
// a report, so a fixed crash stays fixed without clang in the test command.
#include "harness/fuzz_targets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::filesystem::path> CorpusFiles(const std::string& target) {
    std::vector<std::filesystem::path> files;
    const std::filesystem::path folder = std::filesystem::path(CINEVANE_FUZZ_CORPUS) / target;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

class FuzzCorpus : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        fuzz::SetFindingHandler([](const std::string& what) { ADD_FAILURE() << what; });
    }
    void TearDown() override { fuzz::SetFindingHandler(nullptr); }
};

TEST_P(FuzzCorpus, EveryInputRunsWithoutAFinding) {
    const std::vector<std::filesystem::path> files = CorpusFiles(GetParam());
    ASSERT_FALSE(files.empty()) << "no corpus for " << GetParam();
    std::unique_ptr<fuzz::Harness> harness = fuzz::MakeHarness(GetParam());
    ASSERT_TRUE(harness);
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const std::vector<uint8_t> bytes = FileBytes(file);
        harness->Run(bytes.data(), bytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, ::testing::ValuesIn(fuzz::TargetNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

} // namespace
