#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli_process.h"
#include "support/temp_dir.h"

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
        const std::string path = Path("rig.json");
        std::ofstream(path) << R"({"clock": {"mode": "virtual"}, "adapters": [{"pci": ")" << pci
                            << R"(", "model": 7, "name": "Test", "chip": ")" << chip
                            << R"(", "rom": ")" << chipFile << R"("}]})";
        return path;
    }

    CliLaunch Launch(std::vector<std::string> args, std::string traceFifo = {}) const {
        CliLaunch launch;
        launch.args = std::move(args);
        launch.env = {"TARVEX_SIM_RIG=" + Path("rig.json"),
                      "TARVEX_LOCK_FILE=" + Path("host.lock")};
        launch.traceFifo = std::move(traceFifo);
        return launch;
    }

    static void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<uint8_t> Read(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> Names() const { return m_dir.Names(); }

private:
    tarvex::testing::TempDir m_dir;
};

}  // namespace tarvex::testing
