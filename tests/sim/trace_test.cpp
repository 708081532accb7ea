#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "sim/simulator_factory.h"
#include "sim_test_support.h"
#include "support/environment.h"

namespace tarvex::sim {
namespace {

using namespace testing;
using nlohmann::json;

std::vector<json> ReadLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<json> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(json::parse(line));
    return lines;
}

TEST(Trace, FileHoldsOneJsonObjectPerOpenRequestAndSleep) {
    TempDir dir;
    Rig rig;
    rig.adapters = {Adapter()};
    rig.trace = RigTrace{dir / "trace.jsonl", true};
    auto sim = MakeSim(rig);
    sim->CaptureTrace(true);
    const platform::Handle h = sim->OpenDevice("\\\\.\\Scsi0:");
    sim->OpenDevice("\\\\.\\Scsi1:");
    Send(*sim, h, 0, Eprom, EpromWrite(0, 0x10, {0xAB, 0xCD}), 0);
    Send(*sim, h, 0, Eprom, EpromRead(0, 0x10, 2), 2);
    Send(*sim, h, 0, Version, {}, 8);
    sim->Sleep(10);

    const std::vector<json> lines = ReadLines(dir / "trace.jsonl");
    ASSERT_EQ(lines.size(), 6u);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i]["seq"], i + 1);
    EXPECT_EQ(lines[0], json::parse(R"({"seq":1,"open":"\\\\.\\Scsi0:","result":0})"));
    EXPECT_EQ(lines[1]["result"], 2);
    json write = lines[2];
    EXPECT_EQ(write["envelope"].get<std::string>().size(), 2u * (36 + 20));
    write.erase("envelope");
    EXPECT_EQ(write, json::parse(R"({"seq":3,"t_us":20,"device":"\\\\.\\Scsi0:","ioctl":315400,
        "code":57681304,"kind":"eprom_access","adapter":0,"result":0,
        "eprom":{"adapter":0,"offset":16,"dir":1,"len":2,"data":"abcd"}})"));
    EXPECT_EQ(lines[3]["eprom"]["data"], "ffff");
    EXPECT_EQ(lines[4]["kind"], "version");
    EXPECT_EQ(lines[4]["result"], platform::ErrorInvalidParameter);
    EXPECT_FALSE(lines[4].contains("eprom"));
    EXPECT_EQ(lines[5], json::parse(R"({"seq":6,"t_us":10060,"sleep_ms":10})"));

    ASSERT_EQ(sim->CapturedTrace().size(), 6u);
    EXPECT_EQ(sim->CapturedTrace()[3].epromData, (std::vector<uint8_t>{0xFF, 0xFF}));
    sim->ClearCapturedTrace();
    EXPECT_TRUE(sim->CapturedTrace().empty());
}

class Environment : public ::testing::Test {
protected:
    void TearDown() override {
        tarvex::testing::UnsetEnvironment("TARVEX_SIM_RIG");
        tarvex::testing::UnsetEnvironment("TARVEX_SIM_TRACE");
    }
    TempDir m_dir;
};

TEST_F(Environment, NamesTheRigAndTheTraceFile) {
    std::ofstream(m_dir / "rig.json") << R"({"host": {"family": "9x"}, "adapters": [{}]})";
    tarvex::testing::SetEnvironment("TARVEX_SIM_RIG", m_dir / "rig.json");
    tarvex::testing::SetEnvironment("TARVEX_SIM_TRACE", m_dir / "t.jsonl");
    auto sim = MakeSimulatorFromEnvironment();
    EXPECT_FALSE(sim->GetRig().host.nt);
    sim->Sleep(1);
    EXPECT_EQ(ReadLines(m_dir / "t.jsonl").size(), 1u);
}

TEST_F(Environment, BadRigStopsTheProcessWithItsReason) {
    std::ofstream(m_dir / "rig.json") << R"({"adapters": [{"pci": "x"}]})";
    tarvex::testing::SetEnvironment("TARVEX_SIM_RIG", m_dir / "rig.json");
    EXPECT_EXIT(MakeSimulatorFromEnvironment(), ::testing::ExitedWithCode(78),
                "rig.json: adapters\\[0\\].pci: expected");
}

}  // namespace
}  // namespace tarvex::sim
