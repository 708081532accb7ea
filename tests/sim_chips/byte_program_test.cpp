#include <gtest/gtest.h>

#include "chip_bus.h"

namespace tarvex::sim {
namespace {

using testing::ChipBus;

TEST(ByteProgramChip, IdModeEntryExitsAndWrongCycles) {
    ChipBus bus("SST 39SF010A");
    bus.store.Set(0, 0x12);
    bus.Command(0x90);
    EXPECT_EQ(bus.IdWord(), 0xB5BF);
    bus.Command(0xF0);
    EXPECT_EQ(bus.IdWord(), 0xFF12);
    bus.Command(0x90, false, 0x60000);  // address lines above the part's are not connected
    bus.Write(0x1234, 0xF0);            // the single-cycle exit
    EXPECT_EQ(bus.IdWord(), 0xFF12);
    bus.SixCycle(0x60);  // an entry this part does not know
    bus.Write(0x5555, 0xAA);
    bus.Write(0x2AAB, 0x55);  // wrong address
    bus.Write(0x5555, 0x90);
    EXPECT_EQ(bus.IdWord(), 0xFF12);
    bus.Write(0x5555, 0xAA);  // a fresh AA restarts a broken sequence
    bus.Command(0x90);
    EXPECT_EQ(bus.IdWord(), 0xB5BF);
}

TEST(ByteProgramChip, ProgramsWithDataPollingAndOnlyClearsBits) {
    ChipBus bus("WINBOND W39L040");  // 35 us a byte: the first poll read still sees status
    bus.Program(0x100, {0x5A});
    const uint8_t first = bus.Read(0x100), second = bus.model->Read(0x100);
    EXPECT_EQ(first & 0x80, 0x80);  // complement of bit 7 of 0x5A
    EXPECT_NE(first & 0x40, second & 0x40);
    EXPECT_EQ(bus.Poll(0x100, 0x5A), 1);
    bus.Program(0x80100, {0xF0});
    bus.clock.Advance(100);
    EXPECT_EQ(bus.Read(0x100), 0x50);
    bus.Command(0xA0);
    bus.Write(0x5555, 0xAA);  // after the prefix even a command byte is data
    bus.clock.Advance(100);
    bus.Write(0x2AAB, 0x00);  // and without a prefix nothing is programmed
    bus.clock.Advance(100);
    EXPECT_EQ(bus.Read(0x5555), 0xAA);
    EXPECT_EQ(bus.Read(0x2AAB), 0xFF);
}

TEST(ByteProgramChip, ChipEraseShowsStatusIgnoresWritesAndSkipsLockedBootBlock) {
    // AT49F002(N): the 16 KiB boot block at 0 locked.
    ChipBus bus("ATMEL AT49F002(N)", {.protectedSectors = {0x0100}});
    bus.store.Fill(0, bus.store.Size(), 0x55);
    bus.SixCycle(0x10);
    EXPECT_EQ(bus.Read(0x8000) & 0x80, 0);
    EXPECT_TRUE(bus.Toggles(0x8000));
    bus.Command(0x90);  // ignored while busy
    EXPECT_NEAR(bus.Poll(0x8000, 0xFF, 300000) * ChipBus::LatencyUs, 5000000, 200);
    EXPECT_EQ(bus.Read(0x3FFF), 0x55);
    EXPECT_EQ(bus.Read(0x4000), 0xFF);
    bus.Program(0x20, {0x00});  // locked: the cell keeps its contents
    bus.clock.Advance(100);
    EXPECT_EQ(bus.Read(0x20), 0x55);
}

TEST(ByteProgramChip, FaultsHangsWeakCellsAndFlakyPages) {
    // The flaky 128-byte page at 0x180 is good for one erase.
    ChipBus bus("SST 39SF010A",
                {.programHangsAt = 0x40, .weakCells = {{0x50, 0x3C}}, .flakyPages = {{0x180, 1}}});
    EXPECT_EQ(bus.Read(0x50), 0x3C);
    for (uint8_t expected : {0xFF, 0xFE}) {
        bus.SixCycle(0x10);
        EXPECT_GT(bus.Poll(0, 0xFF), 0);
        EXPECT_EQ(bus.Read(0x1FF), expected);
        EXPECT_EQ(bus.Read(0x200), 0xFF);
    }
    bus.Program(0x40, {0x00});
    EXPECT_EQ(bus.Poll(0x40, 0x00, 5000), -1);
    ChipBus stuck("SST 39SF010A", {.eraseHangs = true});
    stuck.SixCycle(0x10);
    EXPECT_EQ(stuck.Poll(0, 0xFF, 200000), -1);
}

}  // namespace
}  // namespace tarvex::sim
