#include <gtest/gtest.h>

#include "chip_bus.h"

namespace tarvex::sim {
namespace {

using testing::ChipBus;
constexpr bool Short = true;

TEST(ShortSetChip, AutoselectGivesIdsAndSectorProtectCodesOnA10ToA0) {
    ChipBus bus("AMD29F010", {.protectedSectors = {0x4100}});
    bus.Command(0x90, Short);
    EXPECT_EQ(bus.IdWord(), 0x2001);
    EXPECT_EQ(bus.Read(0x0002), 0x00);
    EXPECT_EQ(bus.Read(0x4002), 0x01);
    EXPECT_EQ(bus.Read(0x8002), 0x00);
    bus.Write(0x555, 0xF0);
    EXPECT_EQ(bus.IdWord(), 0xFFFF);
    bus.Command(0x90);  // the long set's addresses decode to the short set's
    EXPECT_EQ(bus.IdWord(), 0x2001);
    bus.Command(0xF0, Short, 0x1800);
    EXPECT_EQ(bus.IdWord(), 0xFFFF);
}

TEST(ShortSetChip, ProgramsAndErasesAroundProtectedSectors) {
    ChipBus bus("AMD29F010", {.protectedSectors = {0x0}});
    bus.store.Fill(0, bus.store.Size(), 0x0F);
    bus.Program(0x10, {0x00}, Short);
    EXPECT_EQ(bus.Read(0x10), 0x0F);  // the brief busy is over by the next request
    bus.Program(0x4010, {0x00}, Short);
    EXPECT_EQ(bus.Poll(0x4010, 0x00), 1);
    EXPECT_EQ(bus.Read(0x4010), 0x00);
    bus.SixCycle(0x10, Short);
    bus.Write(0x555, 0xF0);  // reset is ignored while the erase runs
    EXPECT_EQ(bus.Read(0x4000) & 0x80, 0);
    EXPECT_NEAR(bus.Poll(0x4000, 0xFF) * ChipBus::LatencyUs, 1500000, 100);
    EXPECT_EQ(bus.Read(0x3FFF), 0x0F);
    EXPECT_EQ(bus.Read(0x4000), 0xFF);
}

TEST(ShortSetChip, FullyProtectedEraseIsBrief) {
    ChipFaults faults;
    for (uint32_t sector = 0; sector < 0x20000; sector += 0x4000)
        faults.protectedSectors.push_back(sector);
    ChipBus bus("AMD29F010", faults);
    bus.SixCycle(0x10, Short);
    EXPECT_EQ(bus.Read(0) & 0x80, 0);
    EXPECT_EQ(bus.Poll(0, 0xFF), 4);  // 100 us after the last cycle
}

}  // namespace
}  // namespace tarvex::sim
