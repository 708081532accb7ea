#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <tuple>

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
    Rig rig = MakeRig({Adapter()});
    rig.trace = RigTrace{dir / "trace.jsonl", true};
    rig.clock.requestLatencyUs = 7;  // every request costs it, a malformed one too
    Bench b(rig);
    b.sim->CaptureTrace(true);  // from here on
    b.sim->OpenDevice("\\\\.\\Scsi1:");
    b.Write(0x10, {0xAB, 0xCD});
    b.Read(0x10, 2);
    b.Ask(0, Version, {}, 8);
    b.sim->Sleep(10);

    const std::vector<json> lines = ReadLines(dir / "trace.jsonl");
    ASSERT_EQ(lines.size(), 6u);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i]["seq"], i + 1);
    EXPECT_EQ(lines[0], json::parse(R"({"seq":1,"open":"\\\\.\\Scsi0:","result":0})"));
    EXPECT_EQ(lines[1]["result"], 2);
    json write = lines[2];
    EXPECT_EQ(write["envelope"].get<std::string>().size(), 2u * (36 + 20));
    write.erase("envelope");
    EXPECT_EQ(write, json::parse(R"({"seq":3,"t_us":7,"device":"\\\\.\\Scsi0:","ioctl":315400,
        "code":57681304,"kind":"eprom_access","adapter":0,"result":0,
        "eprom":{"adapter":0,"offset":16,"dir":1,"len":2,"data":"abcd"}})"));
    EXPECT_EQ(lines[3]["eprom"]["data"], "ffff");
    EXPECT_EQ(lines[4]["kind"], "version");
    EXPECT_EQ(lines[4]["result"], platform::ErrorInvalidParameter);
    EXPECT_FALSE(lines[4].contains("eprom"));
    EXPECT_EQ(lines[5], json::parse(R"({"seq":6,"t_us":10021,"sleep_ms":10})"));

    EXPECT_EQ(std::tuple(b.sim->ClockUs(), b.sim->RequestCount()), std::tuple(10021u, 3u));
    ASSERT_EQ(b.sim->CapturedTrace().size(), 5u);
    EXPECT_EQ(b.sim->CapturedTrace()[2].epromData, (std::vector<uint8_t>{0xFF, 0xFF}));
    b.sim->ClearCapturedTrace();
    EXPECT_TRUE(b.sim->CapturedTrace().empty());
}

// The rig file's paths resolve from its folder; a rig that cannot be had stops the process.
TEST(Environment, NamesTheRigAndTheTraceFile) {
    TempDir dir;
    std::ofstream(dir / "rig.json") << R"({"host": {"family": "9x"}, "adapters": [{"rom": "a"}]})";
    std::ofstream(dir / "bad.json") << R"({"adapters": [{"pci": "x"}]})";
    tarvex::testing::ScopedEnvironment env(
        {{"TARVEX_SIM_RIG", dir / "rig.json"}, {"TARVEX_SIM_TRACE", dir / "t.jsonl"}});
    auto sim = MakeSimulatorFromEnvironment();
    EXPECT_EQ(
        std::tuple(sim->GetRig().host.nt, sim->GetRig().adapters[0].romPath, sim->GetRig().source),
        std::tuple(false, dir / "a", dir / "rig.json"));
    sim->Sleep(1);
    EXPECT_EQ(ReadLines(dir / "t.jsonl").size(), 1u);
    for (const auto& [rig, message] :
         {std::pair{"bad.json", "bad.json: adapters\\[0\\].pci: expected"},
          {"missing.json", "missing.json: \\(file\\)"}}) {
        tarvex::testing::SetEnvironment("TARVEX_SIM_RIG", dir / rig);
        EXPECT_EXIT(MakeSimulatorFromEnvironment(), ::testing::ExitedWithCode(78), message);
    }
}

}  // namespace
}  // namespace tarvex::sim
