#pragma once
#include "cli_fixture.h"
#include "support/child_process.h"

namespace tarvex::testing {

// The built binary against a rig file of two adapters whose ROMs persist from one run to the
// next: A (1C5D:0A12, SST 39SF010A) and B (1C5D:0C32, the driver-programmed chip).
class CliBinaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteRigFile(m_dir.Path("rig.json"), {{"1C5D:0A12", "SST 39SF010A", "a0.rom", "", "A", 7},
                                              {"1C5D:0C32", "ATMEL FLASH", "a1.rom", "", "B", 12}});
    }

    // The binary on that rig with a host lock of the test's own (so that tests running side by
    // side never meet on it); the arguments split at spaces, 'single quotes' keeping spaces.
    ChildLaunch Launch(const std::string& arguments, const EnvironmentChanges& changes = {}) {
        ChildLaunch launch{TARVEX_CLI_BINARY,
                           {""},
                           {{"TARVEX_SIM_RIG", m_dir.Path("rig.json")},
                            {"TARVEX_LOCK_FILE", m_dir.Path("host.lock")}}};
        launch.env.insert(launch.env.end(), changes.begin(), changes.end());
        bool quoted = false;
        for (char c : arguments) {
            if (c == ' ' && !quoted && !launch.args.back().empty()) launch.args.emplace_back();
            if (c == '\'') quoted = !quoted;
            if (c != '\'' && (c != ' ' || quoted)) launch.args.back() += c;
        }
        if (launch.args.back().empty()) launch.args.pop_back();
        return launch;
    }
    // Runs the binary with its input from the null device, as a script runs it.
    CliResult Run(const std::string& arguments, const EnvironmentChanges& changes = {}) {
        const ProgramResult result = RunToEnd(Launch(arguments, changes));
        return {result.exit, result.out, result.err};
    }
    // The same on the built-in default rig, which Windows runs only when asked for it.
    CliResult RunWithoutRig(const std::string& arguments) {
#ifdef _WIN32
        return Run(arguments, {{ "TARVEX_SIM_RIG", "default" }});
#else
        return Run(arguments, {{"TARVEX_SIM_RIG", std::nullopt}});
#endif
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    TempDir m_dir;
};

}  // namespace tarvex::testing
