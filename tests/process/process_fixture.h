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
    ChildLaunch Launch(std::vector<std::string> args, std::string tracePipe = {}) const {
        return {TARVEX_CLI_BINARY,
                std::move(args),
                {{"TARVEX_SIM_RIG", Path("rig.json")}, {"TARVEX_LOCK_FILE", Path("host.lock")}},
                std::move(tracePipe)};
    }

    TempDir m_dir;
};

}  // namespace tarvex::testing
