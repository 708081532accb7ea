#include <gtest/gtest.h>

#include "sim_test_support.h"
#include "support/test_files.h"

namespace tarvex::sim {
namespace {

using namespace testing;

TEST(EpromAccess, ReadsComeFromTheRomFileAndWrapAtTheChipSize) {
    TempDir dir;
    const uint32_t size = ChipModelSize("SST 39SF010A");
    std::vector<uint8_t> rom(size);
    for (uint32_t i = 0; i < size; ++i) rom[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    Bench b(MakeRig({Adapter("SST 39SF010A", tarvex::testing::WriteFile(dir / "a.rom", rom))}));
    EXPECT_EQ(b.Read(0x100, 3).output, (std::vector<uint8_t>{rom[0x100], rom[0x101], rom[0x102]}));
    EXPECT_EQ(b.Read(size - 1, 2).output, (std::vector<uint8_t>{rom[size - 1], rom[0]}));
    EXPECT_EQ(b.Read(size + 5, 1).output, std::vector<uint8_t>{rom[5]});
    EXPECT_EQ(b.sim->ChipContents(0), rom);
}

TEST(EpromAccess, EmptySocketReadsErasedAndTakesWritesWithoutEffect) {
    Bench b(MakeRig({Adapter()}));
    EXPECT_TRUE(b.Write(0x10, {0, 0}).ok);
    EXPECT_EQ(b.Read(0x10, 2).output, (std::vector<uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ(b.Read(0xFFFFFFFF, 2).error, platform::ErrorInvalidParameter);
    EXPECT_EQ(b.sim->Chip(0), nullptr);
}

// Each byte written is one bus cycle, a page of one request loaded in order; a malformed
// request reaches the chip not at all.
TEST(EpromAccess, WritesReachTheChipByteByByteInOrderAndMalformedOnesNever) {
    Bench b(MakeRig({Adapter("WINBOND W29C020C")}));
    ASSERT_TRUE(b.Write(0x5555, {0xAA}).ok && b.Write(0x2AAA, {0x55}).ok);
    std::vector<uint8_t> e = Envelope(true, 0, Eprom, EpromWrite(0, 0x5555, {0xA0}), 1);
    EXPECT_FALSE(b.sim->DeviceControl(b.handle, Miniport, e.data(), uint32_t(e.size())));
    ASSERT_TRUE(b.Write(0x5555, {0xA0}).ok);
    std::vector<uint8_t> page(128);
    for (size_t i = 0; i < page.size(); ++i) page[i] = static_cast<uint8_t>(i);
    ASSERT_TRUE(b.Write(0x200, page).ok);
    b.sim->Sleep(20);
    EXPECT_EQ(b.Read(0x200, 128).output, page);
}

TEST(EpromAccess, DriverProgrammedChipUsesTheControlLocationAndBlockWrites) {
    Bench b(MakeRig({Adapter("ATMEL FLASH")}));
    EXPECT_EQ(b.Read(0xFFFFFFFF, 2).output, (std::vector<uint8_t>{0x1F, 0x63}));
    EXPECT_EQ(b.Read(0xFFFFFFFF, 1).error, platform::ErrorInvalidParameter);
    EXPECT_EQ(b.Write(0xFFFFFFFF, {0x0F, 0}).error, platform::ErrorInvalidParameter);
    std::vector<uint8_t> block(512);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i ^ 0x5A);
    EXPECT_EQ(b.Write(0x1000, block).error, platform::ErrorInvalidFunction);  // no session
    EXPECT_TRUE(b.Write(0xFFFFFFFF, {0x0F}).ok);
    EXPECT_TRUE(b.Write(0x1000, block).ok);
    EXPECT_TRUE(b.Write(0xFFFFFFFF, {0x00}).ok);
    b.sim->Sleep(1000);
    EXPECT_EQ(b.Read(0x1000, 512).output, block);
}

TEST(Simulator, CreateFailsWhenARomOrTraceFileCannotBeMade) {
    TempDir dir;
    const std::string missing = dir / "no/such";
    Rig rom = MakeRig({Adapter("SST 39SF010A", missing + "/a.rom")}), trace = MakeRig({});
    trace.trace.file = missing + "/t.jsonl";
    for (const auto& [rig, message] :
         {std::pair{rom, "adapters[0].rom: cannot open ROM file " + missing + "/a.rom"},
          {trace, "trace.file: cannot create trace file " + missing + "/t.jsonl"}}) {
        std::string error;
        EXPECT_FALSE(Simulator::Create(rig, error));
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
    }
}

}  // namespace
}  // namespace tarvex::sim
