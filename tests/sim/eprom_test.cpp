#include <gtest/gtest.h>

#include <fstream>

#include "sim_test_support.h"

namespace tarvex::sim {
namespace {

using namespace testing;

// One adapter with the chip (and the ROM file), its port open.
Bench Start(const std::string& chip, const std::string& rom = "") {
    Rig rig;
    rig.adapters = {Adapter(chip, rom)};
    return Bench(rig);
}

TEST(EpromAccess, ReadsComeFromTheRomFileAndWrapAtTheChipSize) {
    TempDir dir;
    const uint32_t size = ChipModelSize("SST 39SF010A");
    std::vector<uint8_t> rom(size);
    for (uint32_t i = 0; i < size; ++i) rom[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    std::ofstream(dir / "a.rom", std::ios::binary)
        .write(reinterpret_cast<const char*>(rom.data()), size);
    Bench b = Start("SST 39SF010A", dir / "a.rom");
    EXPECT_EQ(b.Read(0x100, 3).output, (std::vector<uint8_t>{rom[0x100], rom[0x101], rom[0x102]}));
    EXPECT_EQ(b.Read(size - 1, 2).output, (std::vector<uint8_t>{rom[size - 1], rom[0]}));
    EXPECT_EQ(b.Read(size + 5, 1).output, std::vector<uint8_t>{rom[5]});
    EXPECT_EQ(b.sim->ChipContents(0), rom);
}

TEST(EpromAccess, EmptySocketReadsErasedAndTakesWritesWithoutEffect) {
    Bench b = Start("none");
    EXPECT_TRUE(b.Write(0x10, {0, 0}).ok);
    EXPECT_EQ(b.Read(0x10, 2).output, (std::vector<uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ(b.Read(0xFFFFFFFF, 2).error, platform::ErrorInvalidParameter);
    EXPECT_EQ(b.sim->Chip(0), nullptr);
}

TEST(EpromAccess, ByteWritesReachTheChipOneCycleEachAndMalformedOnesNever) {
    Bench b = Start("SST 39SF010A");
    EXPECT_TRUE(b.Write(0x5555, {0xAA}).ok);
    EXPECT_TRUE(b.Write(0x2AAA, {0x55}).ok);
    std::vector<uint8_t> e = Envelope(true, 0, Eprom, EpromWrite(0, 0x5555, {0xA0}), 1);
    EXPECT_FALSE(b.sim->DeviceControl(b.handle, Miniport, e.data(), uint32_t(e.size())));
    EXPECT_TRUE(b.Write(0x5555, {0xA0}).ok);
    EXPECT_TRUE(b.Write(0x300, {0x12}).ok);
    b.sim->Sleep(1);
    EXPECT_EQ(b.Read(0x300, 1).output, std::vector<uint8_t>{0x12});
    EXPECT_EQ(b.Read(0x5555, 1).output, std::vector<uint8_t>{0xFF});
    EXPECT_EQ(b.Read(0xFFFFFFFF, 2).error, platform::ErrorInvalidParameter);
}

TEST(EpromAccess, PageOfOneRequestIsLoadedByteByByteInOrder) {
    Bench b = Start("WINBOND W29C020C");
    for (auto [offset, value] : {std::pair{0x5555u, 0xAA}, {0x2AAAu, 0x55}, {0x5555u, 0xA0}})
        ASSERT_TRUE(b.Write(offset, {static_cast<uint8_t>(value)}).ok);
    std::vector<uint8_t> page(128);
    for (size_t i = 0; i < page.size(); ++i) page[i] = static_cast<uint8_t>(i);
    ASSERT_TRUE(b.Write(0x200, page).ok);
    b.sim->Sleep(20);
    EXPECT_EQ(b.Read(0x200, 128).output, page);
}

TEST(EpromAccess, DriverProgrammedChipUsesTheControlLocationAndBlockWrites) {
    Bench b = Start("ATMEL FLASH");
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
    const auto contents = b.sim->ChipContents(0);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), contents.begin() + 0x1000));
}

TEST(Simulator, CreateFailsWhenARomOrTraceFileCannotBeMade) {
    TempDir dir;
    std::string error;
    Rig rig;
    rig.adapters = {Adapter("SST 39SF010A", dir / "no/such/a.rom")};
    EXPECT_FALSE(Simulator::Create(rig, error));
    EXPECT_EQ(error.rfind("adapters[0].rom: cannot open ROM file " + (dir / "no/such/a.rom"), 0),
              0u)
        << error;
    rig.adapters = {Adapter("SST 39SF010A", dir / "a.rom")};
    rig.trace.file = dir / "no/such/trace.jsonl";
    EXPECT_FALSE(Simulator::Create(rig, error));
    EXPECT_EQ(
        error.rfind("trace.file: cannot create trace file " + (dir / "no/such/trace.jsonl"), 0), 0u)
        << error;
}

}  // namespace
}  // namespace tarvex::sim
