#pragma once
#include <fstream>

#include "cli_fixture.h"
#include "support/program_run.h"

namespace tarvex::testing {

// The built binary against a rig file of two adapters whose ROMs persist from one run to the
// next: A (1C5D:0A12, SST 39SF010A) and B (1C5D:0C32, the driver-programmed chip).
class CliBinaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteRigFile(m_dir.Path("rig.json"), {{"1C5D:0A12", "SST 39SF010A", "a0.rom", "", "A", 7},
                                              {"1C5D:0C32", "ATMEL FLASH", "a1.rom", "", "B", 12}});
        SetEnvironment("TARVEX_SIM_RIG", m_dir.Path("rig.json"));
        // A host lock of the test's own, so that tests running side by side never meet on it.
        SetEnvironment("TARVEX_LOCK_FILE", m_dir.Path("host.lock"));
    }
    void TearDown() override {
        UnsetEnvironment("TARVEX_SIM_RIG");
        UnsetEnvironment("TARVEX_LOCK_FILE");
    }

    // Runs the binary with its input from the null device, as a script runs it.
    CliResult Run(const std::string& arguments) { return RunWith({}, arguments); }
    // The same on the built-in default rig, which Windows runs only when asked for it.
    CliResult RunWithoutRig(const std::string& arguments) {
#ifdef _WIN32
        return RunWith({{ "TARVEX_SIM_RIG", "default" }}, arguments);
#else
        return RunWith({{"TARVEX_SIM_RIG", std::nullopt}}, arguments);
#endif
    }
    CliResult RunWith(const EnvironmentChanges& environment, const std::string& arguments) {
        const ProgramResult result = RunProgram(TARVEX_CLI_BINARY, SplitArguments(arguments),
                                                m_dir.Root().string(), environment);
        return {result.exit, result.out, result.err};
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    TempDir m_dir;
};

}  // namespace tarvex::testing
