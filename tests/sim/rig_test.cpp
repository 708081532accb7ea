#include "sim/rig.h"

#include <gtest/gtest.h>

#include <fstream>

#include "sim_test_support.h"

namespace tarvex::sim {
namespace {

bool Parse(const std::string& text, Rig& rig, std::string& error) {
    return ParseRig(text, "/rigs", "rig.json", rig, error);
}

TEST(RigFile, ReadsEveryKeyWithOffsetsInDecimalOrHexAndPathsFromTheRigFolder) {
    Rig rig;
    std::string error;
    ASSERT_TRUE(Parse(R"({
      "host": {"family": "9x", "version": "4.10", "extended_version_info": false},
      "driver": {"interface_version": "0x01020304", "adapter_count": 3,
                 "wrapper_names": ["KvrWrap"]},
      "clock": {"mode": "real", "request_latency_us": 5, "chip_timing": "random:0x2A"},
      "adapters": [
        {"pci": "1c5d:0B22", "model": 9, "name": "Second", "chip": "0xB5BF", "rom": "r/a.rom",
         "sdp": false,
         "faults": {"transient": {"eprom_access": 2}, "refuse": ["capability"],
           "read_fails_at": "0x4002", "write_fails_at": 16386, "protected_sectors": ["0x0", 4096],
           "erase_hangs": true, "program_hangs_at": "100", "unsteady_read_at": 3,
           "weak_cells": {"0x10": "0xA5", "32": 7}, "flaky_pages": {"0x80": 3}}},
        {"rom": "/abs/b.rom"}],
      "trace": {"file": "t.jsonl", "envelopes": true}})",
                      rig, error))
        << error;
    EXPECT_TRUE(!rig.host.nt);
    EXPECT_EQ(rig.host.major, 4);
    EXPECT_EQ(rig.host.minor, 10);
    EXPECT_FALSE(rig.host.extendedVersionInfo);
    EXPECT_EQ(rig.driver.interfaceVersion, 0x01020304u);
    EXPECT_EQ(rig.driver.adapterCount, 3u);
    EXPECT_EQ(rig.driver.wrapperNames, std::vector<std::string>{"KvrWrap"});
    EXPECT_EQ(rig.clock.mode, ModelClock::Mode::Real);
    EXPECT_EQ(rig.clock.requestLatencyUs, 5);
    EXPECT_EQ(rig.clock.chipTiming.pace, ChipTiming::Pace::Random);
    EXPECT_EQ(rig.clock.chipTiming.seed, 42);
    ASSERT_EQ(rig.adapters.size(), 2u);
    const RigAdapter& a = rig.adapters[0];
    EXPECT_EQ(a.vendor, 0x1C5D);
    EXPECT_EQ(a.device, 0x0B22);
    EXPECT_EQ(a.model, 9);
    EXPECT_EQ(a.name, "Second");
    EXPECT_EQ(std::filesystem::path(a.romPath), std::filesystem::path("/rigs/r/a.rom"));
    EXPECT_FALSE(a.sdp);
    EXPECT_TRUE(rig.adapters[1].sdp);
    EXPECT_EQ(rig.adapters[1].romPath, "/abs/b.rom");
    EXPECT_EQ(a.faults.transient, (std::map<std::string, int>{{"eprom_access", 2}}));
    EXPECT_EQ(a.faults.refuse, std::set<std::string>{"capability"});
    EXPECT_EQ(a.faults.readFailsAt, 0x4002u);
    EXPECT_EQ(a.faults.writeFailsAt, 0x4002u);
    EXPECT_EQ(a.faults.unsteadyReadAt, 3u);
    EXPECT_EQ(a.faults.chip.protectedSectors, (std::vector<uint32_t>{0, 4096}));
    EXPECT_TRUE(a.faults.chip.eraseHangs);
    EXPECT_EQ(a.faults.chip.programHangsAt, 100u);
    EXPECT_EQ(a.faults.chip.weakCells, (std::map<uint32_t, uint8_t>{{0x10, 0xA5}, {32, 7}}));
    EXPECT_EQ(a.faults.chip.flakyPages, (std::map<uint32_t, int>{{0x80, 3}}));
    EXPECT_EQ(std::filesystem::path(rig.trace.file), std::filesystem::path("/rigs/t.jsonl"));
    EXPECT_TRUE(rig.trace.envelopes);
}

TEST(RigFile, MissingKeysTakeTheirDefaults) {
    Rig rig;
    std::string error;
    ASSERT_TRUE(Parse(R"({"ports": [null, {"adapters": [0, 5]}], "adapters": [{}]})", rig, error))
        << error;
    EXPECT_TRUE(rig.host.nt);
    EXPECT_EQ(rig.host.major, 5);
    EXPECT_EQ(rig.host.minor, 1);
    EXPECT_EQ(rig.driver.interfaceVersion, 0x01000000u);
    EXPECT_FALSE(rig.driver.adapterCount.has_value());
    EXPECT_EQ(rig.driver.wrapperNames, (std::vector<std::string>{"wrapA4", "KvrWrap"}));
    EXPECT_EQ(rig.clock.mode, ModelClock::Mode::Virtual);
    EXPECT_EQ(rig.clock.chipTiming.pace, ChipTiming::Pace::Typical);
    ASSERT_EQ(rig.ports->size(), 2u);
    EXPECT_FALSE((*rig.ports)[0].exists);
    EXPECT_EQ((*rig.ports)[1].adapters, (std::vector<uint32_t>{0, 5}));
    EXPECT_TRUE((*rig.ports)[1].adapterList);
    EXPECT_TRUE((*rig.ports)[1].answersProbe);
    EXPECT_EQ(rig.adapters[0].chip, "none");
    EXPECT_TRUE(rig.adapters[0].romPath.empty());
    EXPECT_TRUE(rig.trace.file.empty());
}

TEST(RigFile, ProblemsNameTheFileAndTheKey) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"adapters": [{}, {"pci": "1C5D-0A12"}]})",
         R"(rig.json: adapters[1].pci: expected "VVVV:DDDD" in hexadecimal)"},
        {R"({"colour": 1})", "rig.json: colour: unknown key"},
        {R"({"a\u000ab": 1})", R"(rig.json: a\x0Ab: unknown key)"},
        {R"({"": 1})", R"(rig.json: "": unknown key)"},
        {R"({"adapters": [{"chip": "\u001b[31m"}]})",
         R"(rig.json: adapters[0].chip: unknown chip "\x1B[31m")"},
        {R"({"adapters": [{"faults": {"slow": true}}]})",
         "rig.json: adapters[0].faults.slow: unknown key"},
        {R"({"host": {"family": "os2"}})", "rig.json: host.family: expected"},
        {R"({"adapters": [{"model": 256}]})", "rig.json: adapters[0].model: expected"},
        {R"({"adapters": [{"chip": "Nonesuch 1"}]})",
         R"(rig.json: adapters[0].chip: unknown chip "Nonesuch 1")"},
        {R"({"adapters": [{"faults": {"refuse": ["version", "x"]}}]})",
         "rig.json: adapters[0].faults.refuse[1]: unknown request kind"},
        {R"({"adapters": [{"faults": {"weak_cells": {"0xZ": 1}}}]})",
         "rig.json: adapters[0].faults.weak_cells.0xZ: expected an offset"},
        {R"({"adapters": [{"faults": {"read_fails_at": "0x1FFFFFFFF"}}]})",
         "rig.json: adapters[0].faults.read_fails_at: expected"},
        {R"({"host": {"family": "9x"}, "ports": []})", "rig.json: ports: only an nt host"},
        {R"({"host": )", "rig.json: line 1, column 10: not valid JSON ("},
        {"{\"name\": \"\xFF\"}", "rig.json: line 1, column 11: not valid JSON ("},
        {R"({"clock": {"chip_timing": "slowest"}})", "rig.json: clock.chip_timing: expected"},
        {R"({"adapters": [{"sdp": "off"}]})", "rig.json: adapters[0].sdp: expected"},
    };
    for (const auto& [text, message] : cases) {
        Rig rig;
        std::string error;
        EXPECT_FALSE(Parse(text, rig, error)) << text;
        EXPECT_EQ(error.rfind(message, 0), 0u) << text << "\n -> " << error;
    }
}

TEST(RigFile, LoadTakesPathsFromTheRigFileFolder) {
    testing::TempDir dir;
    std::ofstream(dir / "rig.json") << R"({"adapters": [{"rom": "a.rom"}]})";
    Rig rig;
    std::string error;
    ASSERT_TRUE(LoadRig(dir / "rig.json", rig, error)) << error;
    EXPECT_EQ(rig.adapters[0].romPath, dir / "a.rom");
    EXPECT_EQ(rig.source, dir / "rig.json");
    EXPECT_FALSE(LoadRig(dir / "missing.json", rig, error));
    EXPECT_NE(error.find("missing.json"), std::string::npos);
}

TEST(RigFile, DefaultRigHasThreeDifferentAdaptersOnAnNtHostWithRealTime) {
    const Rig rig = DefaultRig();
    EXPECT_TRUE(rig.host.nt);
    EXPECT_TRUE(rig.host.extendedVersionInfo);
    EXPECT_EQ(rig.host.major * 10 + rig.host.minor, 51u);
    EXPECT_EQ(rig.clock.mode, ModelClock::Mode::Real);
    EXPECT_EQ(rig.clock.requestLatencyUs, 20);
    ASSERT_EQ(rig.adapters.size(), 3u);
    const std::pair<uint16_t, uint8_t> identities[] = {{0x0A12, 7}, {0x0B22, 9}, {0x0C32, 12}};
    for (size_t i = 0; i < 3; ++i) {
        const RigAdapter& a = rig.adapters[i];
        EXPECT_EQ(std::pair(a.device, a.model), identities[i]);
        EXPECT_EQ(a.vendor, 0x1C5D);
        EXPECT_NE(ChipModelSize(a.chip), 0);
        EXPECT_TRUE(a.romPath.empty());
    }
    EXPECT_EQ(rig.adapters[2].chip, "ATMEL FLASH");
}

}  // namespace
}  // namespace tarvex::sim
