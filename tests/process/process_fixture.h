#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_process.h"
#include "support/test_files.h"

namespace tarvex::testing {

// A folder of the test's own holding the rig, its chips, the host lock and the files the tool
// reads and writes; every process the test starts uses them.
class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_dir.Root().empty()); }

    std::string Path(const std::string& name) const { return (m_dir.Root() / name).string(); }

    // A rig of one adapter on the virtual clock, its chip kept in <chip file>.
    std::string WriteRig(const std::string& pci, const std::string& chip,
                         const std::string& chipFile = "chip.rom") const {
        return WriteRigFile(Path("rig.json"), {{pci, chip, chipFile, "", "Test", 7}});
    }

    CliLaunch Launch(std::vector<std::string> args, std::string traceFifo = {}) const {
        CliLaunch launch;
        launch.args = std::move(args);
        launch.env = {"TARVEX_SIM_RIG=" + Path("rig.json"),
                      "TARVEX_LOCK_FILE=" + Path("host.lock")};
        launch.traceFifo = std::move(traceFifo);
        return launch;
    }

    std::vector<std::string> Names() const { return m_dir.Names(); }

private:
    tarvex::testing::TempDir m_dir;
};

}  // namespace tarvex::testing
