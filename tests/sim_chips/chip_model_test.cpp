#include <gtest/gtest.h>

#include <cstdio>

#include "chip_bus.h"
#include "sim/chips/part_facts.h"
#include "support/test_files.h"

namespace tarvex::sim {
namespace {

using tarvex::testing::ReadFile;
using testing::ChipBus;

TEST(PartTable, EveryNameAndIdTextFindsItsPart) {
    for (const PartFacts& part : PartTable()) {
        for (std::string_view name : part.names) {
            if (!name.empty()) {
                EXPECT_EQ(FindPart(name), &part) << name;
            }
        }
        char text[8];
        std::snprintf(text, sizeof text, "0x%04x", part.id);
        EXPECT_EQ(FindPart(text), &part) << text;
    }
    EXPECT_EQ(FindPart("sst39sf010a"), FindPart("0XB5BF"));
}

TEST(ChipModel, EmptySocketAndUnknownPartsBuildNoModel) {
    for (const char* chip : {"none", "0x1234", "0xB5BG", "0x", "SST 39SF010B", ""}) {
        EXPECT_EQ(ChipModelSize(chip), 0u) << chip;
        EXPECT_EQ(ChipBus(chip).model, nullptr) << chip;
    }
    ModelClock clock;
    ChipStore small(64 * 1024, "");  // a store that does not fit the part
    EXPECT_EQ(MakeChipModel("SST 39SF010A", small, clock, {}), nullptr);
}

TEST(ChipModel, CompletedOperationsReachTheRomFile) {
    tarvex::testing::TempDir dir;  // its files closed before it goes: Windows deletes no open file
    const std::string sst = dir / "sst.rom", w29 = dir / "w29.rom";
    {
        ChipBus bus("SST 39SF010A", {}, sst);
        bus.Program(0x1234, {0x5A});
        bus.Program(0x10, {0x00});  // the process goes before anyone reads it again
        bus.clock.Advance(100);
        ChipBus page("WINBOND W29C040", {}, w29);
        page.Program(0x300, {0x77});
        page.clock.Advance(10000);
    }
    std::vector<uint8_t> rom = ReadFile(sst);
    ASSERT_EQ(rom.size(), 128u * 1024);
    EXPECT_EQ(rom[0x1234], 0x5A);
    EXPECT_EQ(rom[0x10], 0x00);
    EXPECT_EQ(ReadFile(w29).at(0x300), 0x77);
    ChipBus again("SST 39SF010A", {}, sst);
    EXPECT_EQ(again.Read(0x1234), 0x5A);
    again.SixCycle(0x10);
    EXPECT_EQ(ReadFile(sst).at(0x1234), 0x5A);  // not before the erase completes
    EXPECT_GT(again.Poll(0, 0xFF), 0);
    EXPECT_EQ(ReadFile(sst).at(0x1234), 0xFF);
}

}  // namespace
}  // namespace tarvex::sim
