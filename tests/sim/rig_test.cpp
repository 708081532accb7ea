#include "sim/rig.h"

#include <gtest/gtest.h>

#include <tuple>

#include "sim_test_support.h"

namespace tarvex::sim {
namespace {

using Offsets = std::vector<uint32_t>;

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
    EXPECT_EQ(std::tuple(rig.host.nt, rig.host.major, rig.host.minor, rig.host.extendedVersionInfo),
              std::tuple(false, 4u, 10u, false));
    EXPECT_EQ(std::tuple(rig.driver.interfaceVersion, rig.driver.adapterCount.value_or(0),
                         rig.driver.wrapperNames),
              std::tuple(0x01020304u, 3u, std::vector<std::string>{"KvrWrap"}));
    EXPECT_EQ(std::tuple(rig.clock.mode, rig.clock.requestLatencyUs, rig.clock.chipTiming.pace,
                         rig.clock.chipTiming.seed),
              std::tuple(ModelClock::Mode::Real, 5u, ChipTiming::Pace::Random, uint64_t{42}));
    ASSERT_EQ(rig.adapters.size(), 2u);
    const RigAdapter& a = rig.adapters[0];
    EXPECT_EQ(std::tuple(a.vendor, a.device, a.model, a.name, a.sdp, rig.adapters[1].sdp),
              std::tuple(0x1C5Du, 0x0B22u, 9u, "Second", false, true));
    EXPECT_EQ(std::filesystem::path(a.romPath), std::filesystem::path("/rigs/r/a.rom"));
    EXPECT_EQ(rig.adapters[1].romPath, "/abs/b.rom");
    EXPECT_EQ(a.faults.transient, (std::map<std::string, int>{{"eprom_access", 2}}));
    EXPECT_EQ(a.faults.refuse, std::set<std::string>{"capability"});
    EXPECT_EQ(std::tuple(a.faults.readFailsAt.value_or(0), a.faults.writeFailsAt.value_or(0),
                         a.faults.unsteadyReadAt.value_or(0), a.faults.chip.protectedSectors,
                         a.faults.chip.eraseHangs, a.faults.chip.programHangsAt.value_or(0)),
              std::tuple(0x4002u, 0x4002u, 3u, Offsets{0, 4096}, true, 100u));
    EXPECT_EQ(a.faults.chip.weakCells, (std::map<uint32_t, uint8_t>{{0x10, 0xA5}, {32, 7}}));
    EXPECT_EQ(a.faults.chip.flakyPages, (std::map<uint32_t, int>{{0x80, 3}}));
    EXPECT_EQ(std::filesystem::path(rig.trace.file), std::filesystem::path("/rigs/t.jsonl"));
    EXPECT_TRUE(rig.trace.envelopes);
}

TEST(RigFile, PortsAreNullForAMissingOneOrListTheirAdapters) {
    Rig rig;
    std::string error;
    ASSERT_TRUE(Parse(R"({"ports": [null, {"adapters": [0, 5]}]})", rig, error)) << error;
    ASSERT_EQ(rig.ports->size(), 2u);
    const RigPort& port = (*rig.ports)[1];
    EXPECT_FALSE((*rig.ports)[0].exists);
    EXPECT_EQ(std::tuple(port.adapters, port.adapterList, port.answersProbe),
              std::tuple(Offsets{0, 5}, true, true));
}

TEST(RigFile, ProblemsNameTheFileAndTheKey) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"adapters": [{}, {"pci": "1C5D-0A12"}]})",
         R"(rig.json: adapters[1].pci: expected "VVVV:DDDD" in hexadecimal)"},
        {R"({"colour": 1})", "rig.json: colour: unknown key"},
        {R"({"a\u000ab": 1})", R"(rig.json: "a\x0Ab": unknown key)"},
        {R"({": x": 1})", R"(rig.json: ": x": unknown key)"},
        {R"({"": 1})", R"(rig.json: "": unknown key)"},
        {R"({"adapters": [{"chip": "\u001b[31m"}]})",
         R"(rig.json: adapters[0].chip: unknown chip "\x1B[31m")"},
        {R"({"adapters": [{"faults": {"slow": true}}]})",
         "rig.json: adapters[0].faults.slow: unknown key"},
        {R"({"host": {"family": "os2"}})", "rig.json: host.family: expected"},
        {R"({"adapters": [{"model": 256}]})", "rig.json: adapters[0].model: expected"},
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

// Three adapters told apart by their identities, with chips the simulator has.
TEST(RigFile, DefaultRigHasThreeDifferentAdapters) {
    const Rig rig = DefaultRig();
    std::set<std::pair<uint16_t, uint8_t>> identities;
    for (const RigAdapter& a : rig.adapters) {
        identities.insert({a.device, a.model});
        EXPECT_NE(ChipModelSize(a.chip), 0) << a.chip;
    }
    EXPECT_EQ(identities.size(), 3u);
}

}  // namespace
}  // namespace tarvex::sim
