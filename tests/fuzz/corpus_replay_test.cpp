// Every kept input of every fuzz target goes through its entry again: the seeds, and each
// input that once broke a property, crashed or hung.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "fuzz_entries.h"
#include "support/test_files.h"

namespace tarvex::fuzz {
namespace {

class KeptInputs : public ::testing::TestWithParam<Target> {};

std::vector<std::filesystem::path> InputsOf(const char* target) {
    std::vector<std::filesystem::path> inputs;
    for (const char* kind : {"corpus", "regressions"}) {
        const std::filesystem::path folder = std::filesystem::path(TARVEX_FUZZ_DIR) / kind / target;
        if (!std::filesystem::is_directory(folder)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    return inputs;
}

TEST_P(KeptInputs, PassEveryPropertyAgain) {
    const std::vector<std::filesystem::path> inputs = InputsOf(GetParam().name);
    EXPECT_FALSE(inputs.empty()) << "no seed corpus for " << GetParam().name;
    for (const auto& path : inputs) {
        SCOPED_TRACE(path.string());
        const std::vector<uint8_t> bytes = testing::ReadFile(path.string());
        // A broken property aborts, so the failing input is the one the log names last.
        std::fprintf(stderr, "replaying %s\n", path.string().c_str());
        EXPECT_EQ(GetParam().entry(bytes.data(), bytes.size()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, KeptInputs, ::testing::ValuesIn(Targets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvex::fuzz
