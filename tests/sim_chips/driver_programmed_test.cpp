#include <gtest/gtest.h>

#include <vector>

#include "chip_bus.h"

namespace tarvex::sim {
namespace {

using testing::ChipBus;

TEST(DriverProgrammedChip, AnswersOnlyTheTwoByteIdentityReadAndIgnoresBusCycles) {
    ChipBus bus("ATMEL FLASH");
    uint8_t id[3] = {0, 0, 0};
    ASSERT_TRUE(bus.model->ControlRead(id, 2));
    EXPECT_EQ(id[0] | id[1] << 8, 0x631F);
    EXPECT_FALSE(bus.model->ControlRead(id, 3));
    bus.Program(0x10, {0x00});
    EXPECT_EQ(bus.Read(0x10), 0xFF);
    EXPECT_FALSE(ChipBus("SST 39SF010A").model->ControlRead(id, 2));
}

TEST(DriverProgrammedChip, StoresBlocksOnlyDuringASession) {
    ChipBus bus("ATMEL FLASH");
    bus.store.Fill(0, bus.store.Size(), 0x00);
    const uint8_t block[] = {0xF1, 0x3C, 0xFF}, over[] = {0x0F};
    EXPECT_FALSE(bus.model->BlockWrite(0x100, block, 3));
    EXPECT_FALSE(bus.model->ControlWrite(0x55));
    ASSERT_TRUE(bus.model->ControlWrite(0x0F));  // erases and opens the session
    EXPECT_EQ(bus.Read(0x1FFFF), 0xFF);
    ASSERT_TRUE(bus.model->BlockWrite(0x100, block, 3));
    ASSERT_TRUE(bus.model->BlockWrite(0x100, over, 1));
    EXPECT_EQ(bus.Read(0x100), 0x01);  // bits only cleared
    EXPECT_EQ(bus.Read(0x101), 0x3C);
    EXPECT_FALSE(bus.model->BlockWrite(0x1FFFF, block, 3));  // past the end
    EXPECT_TRUE(bus.model->ControlWrite(0x00));
    EXPECT_FALSE(bus.model->BlockWrite(0x200, block, 3));
}

TEST(DriverProgrammedChip, FaultsRefuseTheWork) {
    ChipBus bus("ATMEL FLASH", {.protectedSectors = {0x1000}, .programHangsAt = 0x202});
    bus.store.Fill(0, bus.store.Size(), 0x00);
    ASSERT_TRUE(bus.model->ControlWrite(0x0F));
    EXPECT_EQ(bus.Read(0x1000), 0x00);  // the locked block was not erased
    const std::vector<uint8_t> block(4, 0x11);
    EXPECT_FALSE(bus.model->BlockWrite(0x200, block.data(), 4));
    EXPECT_FALSE(bus.model->BlockWrite(0x1FFE, block.data(), 4));
    EXPECT_TRUE(bus.model->BlockWrite(0x204, block.data(), 4));
    ChipBus stuck("ATMEL FLASH", {.eraseHangs = true});
    EXPECT_FALSE(stuck.model->ControlWrite(0x0F));
    EXPECT_FALSE(stuck.model->BlockWrite(0, block.data(), 4));
}

}  // namespace
}  // namespace tarvex::sim
