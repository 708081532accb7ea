#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "cli_fixture.h"

namespace tarvex::testing {

// The built binary against a rig file of two adapters whose ROMs persist from one run to the
// next: A (1C5D:0A12, SST 39SF010A) and B (1C5D:0C32, the driver-programmed chip).
class CliBinaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(m_dir.Path("rig.json")) << R"({"clock": {"mode": "virtual"}, "adapters": [
            {"pci": "1C5D:0A12", "model": 7, "name": "A", "chip": "SST 39SF010A", "rom": "a0.rom"},
            {"pci": "1C5D:0C32", "model": 12, "name": "B", "chip": "ATMEL FLASH", "rom": "a1.rom"}]})";
        ::setenv("TARVEX_SIM_RIG", m_dir.Path("rig.json").c_str(), 1);
        // A host lock of the test's own, so that tests running side by side never meet on it.
        ::setenv("TARVEX_LOCK_FILE", m_dir.Path("host.lock").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("TARVEX_SIM_RIG");
        ::unsetenv("TARVEX_LOCK_FILE");
    }

    // Runs the binary with its input from /dev/null, as a script runs it.
    CliResult Run(const std::string& arguments) { return RunWith("", arguments); }
    // The same on the built-in default rig.
    CliResult RunWithoutRig(const std::string& arguments) {
        return RunWith("env -u TARVEX_SIM_RIG ", arguments);
    }
    CliResult RunWith(const std::string& prefix, const std::string& arguments) {
        const std::string command = prefix + "'" TARVEX_CLI_BINARY "' " + arguments +
                                    " </dev/null >'" + m_dir.Path("out") + "' 2>'" +
                                    m_dir.Path("err") + "'";
        const int status = std::system(command.c_str());
        const std::vector<uint8_t> out = ReadFile(m_dir.Path("out")),
                                   err = ReadFile(m_dir.Path("err"));
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                {out.begin(), out.end()},
                {err.begin(), err.end()}};
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    TempDir m_dir;
};

}  // namespace tarvex::testing
