#include <gtest/gtest.h>

#include <utility>

#include "chip_bus.h"
#include "support/temp_dir.h"

namespace tarvex::sim {
namespace {

using testing::ChipBus;
using Pace = ChipTiming::Pace;

// Model time from now until a poll of offset sees bit 7 of expected, in microseconds.
uint64_t BusyUs(ChipBus& bus, uint32_t offset, uint8_t expected) {
    const uint64_t start = bus.clock.NowUs();
    EXPECT_GT(bus.Poll(offset, expected, 10000000), 0);
    return bus.clock.NowUs() - start;
}

TEST(ChipTiming, PacePicksTypicalMaximumOrASeededPointBetween) {
    const auto eraseUs = [](ChipTiming timing) {
        ChipBus bus("SST 39SF010A", {}, "", timing);
        bus.SixCycle(0x10);
        return BusyUs(bus, 0, 0xFF);
    };
    EXPECT_NEAR(eraseUs({Pace::Typical, 0}), 70000, 40);  // SST39SF: 70 ms typical
    EXPECT_NEAR(eraseUs({Pace::Max, 0}), 100000, 40);     // 100 ms max
    const uint64_t seeded = eraseUs({Pace::Random, 7});
    EXPECT_GE(seeded, 70000u);
    EXPECT_LE(seeded, 100040u);
    EXPECT_EQ(eraseUs({Pace::Random, 7}), seeded);

    ChipTiming parsed;  // "random:<seed>" read through the rig file's test
    EXPECT_TRUE(ParseChipTiming("max", parsed) && parsed.pace == Pace::Max);
    for (const char* bad : {"random:", "random:12x", "Max", "slow", ""})
        EXPECT_FALSE(ParseChipTiming(bad, parsed)) << bad;
}

TEST(PageWriteTiming, LoadWindowTimesThePrefixAndAnUnfinishedOneIsAWriteCycle) {
    ChipBus bus("ATMEL AT29C010A");  // tBLC 150 us, tWC 5 ms typical
    bus.store.Fill(0x300, 0x80, 0x00);
    bus.Write(0x5555, 0xAA);
    bus.Write(0x2AAA, 0x55);
    bus.clock.Advance(200);   // the window closes mid-prefix
    bus.Write(0x5555, 0xA0);  // the part is busy: this and the data go nowhere
    bus.Write(0x300, 0x11);
    EXPECT_TRUE(bus.Toggles(0x300));
    bus.clock.Advance(5000);
    EXPECT_FALSE(bus.Toggles(0x300));
    EXPECT_EQ(bus.Read(0x300), 0x00);
    EXPECT_EQ(bus.Read(0x301), 0x00);

    bus.Command(0xA0);  // a prefix with no data: a write cycle that writes nothing
    bus.clock.Advance(150);
    EXPECT_TRUE(bus.Toggles(0x300));
    bus.clock.Advance(5000);
    EXPECT_EQ(bus.Read(0x300), 0x00);
}

TEST(PageWriteTiming, WritesDuringAWriteCycleAreLostAtTheMaximumPageCycle) {
    // At 10 ms max plus a 300 us window, a 10 ms wait after the last byte is too short.
    ChipBus bus("WINBOND W29C020C", {}, "", {Pace::Max, 0});
    bus.Program(0x0, {0xFF});
    bus.clock.Advance(10000);
    bus.Program(0x1000, {0x12, 0x34});  // reaches a busy part
    BusyUs(bus, 0, 0xFF);
    EXPECT_EQ(bus.clock.NowUs(), 80u + 300u + 10000u);  // the byte went in at 80 us
    bus.clock.Advance(20000);
    EXPECT_EQ(bus.Read(0x1000), 0xFF);
    bus.Program(0x1000, {0x12, 0x34});
    EXPECT_NEAR(BusyUs(bus, 0x1000, 0x12), 10300, 40);
    EXPECT_EQ(bus.Read(0x1001), 0x34);
}

TEST(PageWriteTiming, ProtectionOffOnDeliveryPersistsWithTheCellsUntilAPrefixTurnsItOn) {
    tarvex::testing::TempDir dir;  // its files closed before it goes: Windows deletes no open file
    const std::string rom = dir / "sdp.rom";
    {
        ChipBus bus("SST 29EE010", {}, rom, {}, false);
        bus.Write(0x10, 0x00);  // no prefix, no protection: the page is written
        bus.clock.Advance(10000);
        EXPECT_EQ(bus.Read(0x10), 0x00);
    }
    {
        ChipBus again("SST 29EE010", {}, rom, {}, true);  // the file's state wins
        EXPECT_FALSE(again.store.DataProtection());
        again.Program(0x200, {0x42});
        again.clock.Advance(10000);
        EXPECT_TRUE(again.store.DataProtection());
    }
    ChipBus later("SST 29EE010", {}, rom, {}, false);
    later.Write(0x300, 0x00);  // a write cycle runs, and changes nothing
    EXPECT_TRUE(later.Toggles(0x300));
    later.clock.Advance(10000);
    EXPECT_EQ(later.Read(0x300), 0xFF);
    later.SixCycle(0x20);  // the disable sequence alone is a write cycle of its own
    later.clock.Advance(200);
    EXPECT_TRUE(later.Toggles(0x300));
    later.clock.Advance(10000);
    EXPECT_FALSE(later.store.DataProtection());
    later.Write(0x300, 0x00);
    later.clock.Advance(10000);
    EXPECT_EQ(later.Read(0x300), 0x00);
}

TEST(ShortSetTiming, FailedOperationsShowDq5UntilAResetAfterTheirMaximum) {
    ChipBus stuck("AMD29F010", {.eraseHangs = true, .programHangsAt = 0x100});
    stuck.store.Set(0x100, 0x5A);
    stuck.Program(0x100, {0x00}, true);
    EXPECT_EQ(stuck.Read(0x100) & 0x20, 0);
    stuck.clock.Advance(300);  // Am29F: 300 us max a byte
    const uint8_t status = stuck.Read(0x100);
    EXPECT_EQ(status & 0xA0, 0xA0);  // DQ7 the complement of 0x00, DQ5 set
    stuck.clock.Advance(1000000);
    EXPECT_EQ(stuck.Read(0x100) & 0x20, 0x20);  // still status, however long
    stuck.Write(0x0, 0xF0);
    EXPECT_EQ(stuck.Read(0x100), 0x5A);

    stuck.SixCycle(0x10, true);
    stuck.Write(0x0, 0xF0);  // ignored while the erase is within its time
    stuck.clock.Advance(63000000);
    EXPECT_EQ(stuck.Read(0x0) & 0xA0, 0x00);
    stuck.clock.Advance(1000000);  // 64 s max
    EXPECT_EQ(stuck.Read(0x0) & 0xA0, 0x20);
    stuck.Write(0x0, 0xF0);
    EXPECT_EQ(stuck.Read(0x100), 0x5A);
}

TEST(IdModeCodes, AmicDecodesA11AndReportsProtectionOnItsSectorMap) {
    // Sectors of 8K, 4K, 4K, 16K, then 32K: the ones at 0x3000 and 0x8000 protected.
    ChipBus amic("AMIC A29001/A290011", {.protectedSectors = {0x3FFF, 0x9000}});
    amic.Command(0x90);  // 2AAA decodes as AAA on A11-A0: not a command
    EXPECT_EQ(amic.IdWord(), 0xFFFF);
    amic.Command(0x90, true, 0x1000);  // A12 is not decoded
    EXPECT_EQ(amic.IdWord(), 0xA137);
    EXPECT_EQ(amic.Read(0x3), 0x7F);
    const std::pair<uint32_t, uint8_t> codes[] = {
        {0x1FF2, 0}, {0x2002, 0}, {0x3002, 1}, {0x4002, 0}, {0x8002, 1}, {0xFFF2, 1}, {0x10002, 0}};
    for (const auto& [offset, code] : codes) EXPECT_EQ(amic.Read(offset), code) << offset;
}

TEST(IdModeCodes, BootBlocksReadFeWhileProgrammableFfOnceLockedAndKeepTheirContents) {
    constexpr uint32_t K = 1024;
    const struct {
        const char* chip;
        uint32_t low, high;  // boot block sizes, 0: none
        uint32_t locked;     // an offset in the block locked by fault
    } cases[] = {
        {"ATMEL AT29C010A", 8 * K, 8 * K, 0x1FFFF},   {"WINBOND W29C020C", 8 * K, 8 * K, 0x100},
        {"WINBOND W29C040", 16 * K, 16 * K, 0x7C000}, {"ATMEL AT49F002(N)T", 0, 16 * K, 0x3C000},
        {"ATMEL AT49F001", 16 * K, 0, 0x3FFF},        {"SST 39SF010A", 0, 0, 0x0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chip);
        ChipBus bus(c.chip, {.protectedSectors = {c.locked}});
        const uint32_t size = bus.store.Size(), top = size - 14;
        bus.store.Set(2, 0x00);  // what the array holds there
        bus.store.Set(top, 0x00);
        bus.Command(0x90);
        bus.clock.Advance(10000);
        const bool lowLocked = c.locked < c.low, highLocked = c.locked >= size - c.high;
        EXPECT_EQ(bus.Read(2), c.low == 0 ? 0x00 : lowLocked ? 0xFF : 0xFE);
        EXPECT_EQ(bus.Read(top), c.high == 0 ? 0x00 : highLocked ? 0xFF : 0xFE);
        bus.Command(0xF0);
        bus.clock.Advance(20000);
        if (c.low + c.high == 0) continue;
        const uint32_t start = lowLocked ? 0 : size - c.high, end = lowLocked ? c.low : size;
        for (uint32_t offset : {start, end - 1, lowLocked ? end : start - 1}) {
            bus.Program(offset, {0x00});
            bus.clock.Advance(20000);
            EXPECT_EQ(bus.Read(offset), offset >= start && offset < end ? 0xFF : 0x00) << offset;
        }
    }
}

}  // namespace
}  // namespace tarvex::sim
