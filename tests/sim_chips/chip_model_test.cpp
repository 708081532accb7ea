#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "chip_bus.h"
#include "sim/chips/part_facts.h"

namespace tarvex::sim {
namespace {

using testing::ChipBus;

// clang-format off
const std::pair<const char*, uint16_t> CatalogueNames[] = {
    {"ATMEL FLASH", 0x631F}, {"ATMEL AT29C010A", 0xD51F}, {"WINBOND W29EE011/W29C011A", 0xC1DA},
    {"WINBOND W29C020C", 0x45DA}, {"WINBOND W29C040", 0x46DA}, {"WINBOND W39L010", 0x31DA},
    {"WINBOND W39L020", 0xB5DA}, {"WINBOND W39L040", 0xB6DA}, {"WINBOND W39L040A", 0xD6DA},
    {"ATMEL AT49F010", 0x171F}, {"ATMEL AT49F002(N)", 0x071F}, {"ATMEL AT49F002(N)T", 0x081F},
    {"ATMEL AT49F001", 0x051F}, {"ATMEL AT29C040", 0x5B1F}, {"ATMEL AT29C040A", 0xA41F},
    {"ATMEL AT29LV040", 0x3B1F}, {"ATMEL AT29LV040A", 0xC41F}, {"SST 39SF010", 0xD4BF},
    {"SST 39SF010A", 0xB5BF}, {"SST 39SF020A", 0xB6BF}, {"SST 39SF040", 0xB7BF},
    {"SST 39VF010", 0xD5BF}, {"SST 39VF020", 0xD6BF}, {"SST 39VF040", 0xD7BF},
    {"SST 29EE020", 0x10BF}, {"SST 29LE020", 0x12BF}, {"SST 29EE010", 0x07BF},
    {"SST 29LE010", 0x08BF}, {"MOSEL F29C51001T", 0x0140}, {"AMIC A29001/A290011", 0xA137},
    {"AMD29F010", 0x2001}, {"AMD29F040", 0xA401}, {"AM29LV040", 0x4F01},
    {"AM29LV001BT", 0xED01}, {"AM29LV001BB", 0x6D01}};
// clang-format on

TEST(PartTable, CatalogueNamesDatasheetNamesAndIdTextFindTheirPart) {
    for (const auto& [name, id] : CatalogueNames) {
        const PartFacts* part = FindPart(name);
        ASSERT_NE(part, nullptr) << name;
        EXPECT_EQ(part->id, id) << name;
        char text[8];
        std::snprintf(text, sizeof text, "0x%04x", id);
        EXPECT_EQ(FindPart(text), part) << text;
    }
    EXPECT_EQ(PartTable().size(), std::size(CatalogueNames));
    EXPECT_EQ(FindPart("sst39sf010a"), FindPart("0XB5BF"));
    EXPECT_EQ(FindPart("W29C011A"), FindPart("0xC1DA"));
    EXPECT_EQ(FindPart("AM29F010"), FindPart("AMD29F010"));
    EXPECT_EQ(ChipModelSize("SST 39SF040"), 512u * 1024);
    EXPECT_EQ(ChipModelSize("0xD4BF"), 64u * 1024);  // device code 0xD4: SST's 64 KiB part
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

std::vector<uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ChipModel, CompletedOperationsReachTheRomFile) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("tarvex-chips-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto sst = dir / "sst.rom", w29 = dir / "w29.rom";
    {
        ChipBus bus("SST 39SF010A", {}, sst.string());
        ASSERT_TRUE(bus.store.Ok());
        bus.Program(0x1234, {0x5A});
        bus.Program(0x10, {0x00});  // the process goes before anyone reads it again
        bus.clock.Advance(100);
        ChipBus page("WINBOND W29C040", {}, w29.string());
        page.Program(0x300, {0x77});
        page.clock.Advance(10000);
    }
    std::vector<uint8_t> rom = FileBytes(sst);
    ASSERT_EQ(rom.size(), 128u * 1024);
    EXPECT_EQ(rom[0x1234], 0x5A);
    EXPECT_EQ(rom[0x10], 0x00);
    EXPECT_EQ(FileBytes(w29).at(0x300), 0x77);
    {
        ChipBus again("SST 39SF010A", {}, sst.string());
        EXPECT_EQ(again.Read(0x1234), 0x5A);
        again.SixCycle(0x10);
        EXPECT_EQ(FileBytes(sst).at(0x1234), 0x5A);  // not before the erase completes
        EXPECT_GT(again.Poll(0, 0xFF), 0);
        EXPECT_EQ(FileBytes(sst).at(0x1234), 0xFF);
    }  // closed before it goes: Windows deletes no open file
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tarvex::sim
