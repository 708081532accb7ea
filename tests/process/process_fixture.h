#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/test_files.h"

namespace tarvex::testing {

// A folder of the test's own holding the rig, its chips, the host lock and the files the tool
// reads and writes; every process the test starts uses them.
class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_dir.Root().empty()); }

    std::string Path(const std::string& name) const { return m_dir.Path(name); }

    // A rig of one adapter on the virtual clock, its chip kept in chip.rom.
    void WriteRig(const std::string& pci, const std::string& chip) const {
        WriteRigFile(Path("rig.json"), {{pci, chip, "chip.rom", "", "Test", 7}});
    }

    // The tool on that rig, its simulator's trace paced through the pipe when one is named.
    ChildLaunch Launch(std::vector<std::string> args, std::string tracePipe = {},
                       const EnvironmentChanges& changes = {}) const {
        ChildLaunch launch{
            TARVEX_CLI_BINARY,
            std::move(args),
            {{"TARVEX_SIM_RIG", Path("rig.json")}, {"TARVEX_LOCK_FILE", Path("host.lock")}},
            std::move(tracePipe)};
        launch.env.insert(launch.env.end(), changes.begin(), changes.end());
        return launch;
    }
    // The same for a command line split at spaces, 'single quotes' keeping spaces.
    ChildLaunch Command(const std::string& line, const EnvironmentChanges& changes = {}) const {
        std::vector<std::string> args{""};
        bool quoted = false;
        for (char c : line) {
            if (c == ' ' && !quoted && !args.back().empty()) args.emplace_back();
            if (c == '\'') quoted = !quoted;
            if (c != '\'' && (c != ' ' || quoted)) args.back() += c;
        }
        if (args.back().empty()) args.pop_back();
        return Launch(std::move(args), {}, changes);
    }
    // Runs the tool with its input from the null device, as a script runs it.
    ProgramResult Run(const std::string& line, const EnvironmentChanges& changes = {}) const {
        return RunToEnd(Command(line, changes));
    }
    // The same on the built-in default rig, which Windows runs only when asked for it.
    ProgramResult RunWithoutRig(const std::string& line) const {
#ifdef _WIN32
        return Run(line, {{ "TARVEX_SIM_RIG", "default" }});
#else
        return Run(line, {{"TARVEX_SIM_RIG", std::nullopt}});
#endif
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    TempDir m_dir;
};

// Two adapters whose ROMs persist from one run to the next: A (1C5D:0A12, SST 39SF010A) and
// B (1C5D:0C32, the driver-programmed chip).
class CliBinaryTest : public ProcessTest {
protected:
    void SetUp() override {
        WriteRigFile(Path("rig.json"), {{"1C5D:0A12", "SST 39SF010A", "a0.rom", "", "A", 7},
                                        {"1C5D:0C32", "ATMEL FLASH", "a1.rom", "", "B", 12}});
    }
};

}  // namespace tarvex::testing
