#include <gtest/gtest.h>

#include "chip_bus.h"

namespace tarvex::sim {
namespace {

using testing::ChipBus;

TEST(PageWriteChip, IdEntryMethodsAndAtmelSettlingTime) {
    ChipBus atmel("ATMEL AT29C010A");
    atmel.Command(0x90);
    EXPECT_EQ(atmel.IdWord(), 0xFFFF);  // still the array
    atmel.clock.Advance(10000);
    EXPECT_EQ(atmel.IdWord(), 0xD51F);
    atmel.Command(0xF0);  // the exit is a write cycle of its own
    EXPECT_TRUE(atmel.Toggles(0));
    atmel.clock.Advance(10000);
    EXPECT_EQ(atmel.IdWord(), 0xFFFF);

    ChipBus older("WINBOND W29EE011/W29C011A");
    older.Command(0x90);  // unknown, so an ordinary write: protected, it changes nothing
    older.clock.Advance(10000);
    EXPECT_EQ(older.IdWord(), 0xFFFF);
    EXPECT_EQ(older.store.Get(0x5555), 0xFF);
    older.SixCycle(0x60);
    EXPECT_EQ(older.IdWord(), 0xC1DA);
}

TEST(PageWriteChip, PageWriteReplacesThePageWithUnloadedBytesErased) {
    ChipBus bus("WINBOND W29C020C");
    bus.store.Fill(0x100, 0x100, 0x00);
    bus.Program(0x110, {0x91, 0x22});
    // While the page loads and programs every address reads the status of the last byte
    // loaded: DQ7 its complement, DQ6 toggling, never the new data.
    for (uint32_t offset : {0x110u, 0x111u, 0x200u}) {
        const uint8_t a = bus.Read(offset), b = bus.Read(offset);
        EXPECT_EQ(a & 0x80, 0x80) << offset;
        EXPECT_NE(a & 0x40, b & 0x40) << offset;
        EXPECT_NE(a & 0xBF, 0x91 & 0xBF) << offset;
    }
    // Typical: the load closes 200 us after the last byte, the page cycle takes 5 ms.
    EXPECT_NEAR((bus.Poll(0x111, 0x22) + 6) * ChipBus::LatencyUs, 5200, 40);
    EXPECT_EQ(bus.Read(0x110), 0x91);
    EXPECT_EQ(bus.Read(0x100), 0xFF);
    EXPECT_EQ(bus.Read(0x17F), 0xFF);
    EXPECT_EQ(bus.Read(0x180), 0x00);  // the next page is untouched
}

TEST(PageWriteChip, AtmelLoadEndsByWindowOrAnotherPageAndUnloadedBytesChange) {
    ChipBus bus("ATMEL AT29C010A");
    for (uint32_t i = 0; i < 128; ++i) bus.store.Set(0x300 + i, static_cast<uint8_t>(i));
    bus.Program(0x300, {0xEE});
    bus.clock.Advance(150);  // 170 us after the byte: the load is over
    bus.Write(0x301, 0x02);
    bus.clock.Advance(10000);
    EXPECT_EQ(bus.Read(0x300), 0xEE);
    for (uint32_t i = 1; i < 128; ++i) EXPECT_NE(bus.Read(0x300 + i), i) << i;

    bus.Program(0x400, {0x0A});
    bus.Write(0x480, 0x0B);  // another page ends the load and is dropped
    bus.Write(0x401, 0x0C);  // the page already programs
    bus.clock.Advance(10000);
    EXPECT_EQ(bus.Read(0x400), 0x0A);
    EXPECT_NE(bus.Read(0x401), 0x0C);
    EXPECT_EQ(bus.Read(0x480), 0xFF);
}

TEST(PageWriteChip, ChipEraseAndFaults) {
    ChipBus bus("SST 29EE010",  // the page at 0 locked
                {.protectedSectors = {0x0}, .programHangsAt = 0x1005, .flakyPages = {{0x880, 2}}});
    bus.store.Fill(0, bus.store.Size(), 0x00);
    bus.SixCycle(0x10);
    EXPECT_GT(bus.Poll(0x80, 0xFF), 0);
    EXPECT_EQ(bus.Read(0x80), 0xFF);
    bus.Program(0x0, {0x12});
    bus.clock.Advance(10000);
    EXPECT_EQ(bus.Read(0x0), 0x00);
    for (uint8_t expected : {0x33, 0x32}) {  // the erase was the page's first rewrite
        bus.Program(0x880, {0x33});
        bus.clock.Advance(10000);
        EXPECT_EQ(bus.Read(0x880), expected);
    }
    bus.Program(0x1000, {0x55});
    EXPECT_EQ(bus.Poll(0x1000, 0x55, 5000), -1);
    ChipBus stuck("WINBOND W29C040", {.eraseHangs = true});
    stuck.SixCycle(0x10);
    EXPECT_EQ(stuck.Poll(0, 0xFF, 20000), -1);
}

}  // namespace
}  // namespace tarvex::sim
