#include "flash/flash_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "flash/data_poll.h"
#include "flash/run_state.h"
#include "flash_fixture.h"
#include "sim/chips/chip_model.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {

using namespace testing;

class Run : public FlashTest {};

TEST_F(Run, ImageLongerThanTheChipIsRefusedBeforeAnythingButTheScan) {
    SimSession session(ChipRig("SST 39SF010A"));
    LoadRunImage(ImageWithZeroTail(262144, 200 * 1024));
    CurrentFlashRunState().contentLength = 200 * 1024;
    EXPECT_EQ(FlashRun(0), 0);
    EXPECT_EQ(CurrentFlashRunState().status, StatusImageTooLarge);
    EXPECT_EQ(TextsOf(EventText).back(),
              "The image is 204800 bytes, larger than the 131072 bytes of the SST 39SF010A\n");
    EXPECT_EQ(IndexOf(EventFlashing), RecordedEvents().size());
    const auto rom = session.Sim().ChipContents(0);
    EXPECT_TRUE(std::all_of(rom.begin(), rom.end(), [](uint8_t b) { return b == 0xFF; }));
}

// A zero tail reaching past the chip (RomSize raised by an earlier, larger file) is not
// written: addresses past the chip would wrap onto its start.
TEST_F(Run, ZeroTailPastTheChipStopsAtItsEnd) {
    for (const char* chip : {"SST 39SF010A", "ATMEL AT29C010A"}) {
        SCOPED_TRACE(chip);
        RecordedEvents().clear();
        SimSession session(ChipRig(chip));
        LoadRunImage(ImageWithZeroTail(262144, 32768));
        CurrentFlashRunState().contentLength = 32768;
        EXPECT_EQ(FlashRun(0), 1);
        EXPECT_EQ(ValuesOf(EventVerifyProgress).size(), 131072u);
        const auto rom = session.Sim().ChipContents(0);
        const uint8_t* image = CurrentFlashRunState().image.get();
        EXPECT_TRUE(std::equal(image, image + 131072, rom.begin()));
        for (const sim::TraceRecord& r : EpromRequests(session.Trace()))
            ASSERT_LT(r.epromOffset, 131072u);
    }
}

TEST_F(Run, NoSupportedChipFixesTheChecksumAndSendsNothingButTheScan) {
    SimSession session(ChipRig("none"));
    LoadRunImage(ImageWithZeroTail(4096, 1024));
    EXPECT_EQ(FlashRun(0), 0);
    EXPECT_EQ(CurrentFlashRunState().status, StatusNoEprom);
    EXPECT_EQ(ByteSum(CurrentFlashRunState().image.get(), 1024), 0);
    ASSERT_EQ(RecordedEvents().size(), 1u);
    EXPECT_EQ(RecordedEvents()[0].text, "No Support EPROM found\n");
}

// Runs a flash of an image (4 KiB unless said) with a rig fault; returns the EPROM requests.
std::vector<sim::TraceRecord> FaultyRun(SimSession& session, FlashStatus expected,
                                        uint32_t length = 4096) {
    LoadRunImage(ImageWithZeroTail(length, length));
    CurrentFlashRunState().status = StatusOk;  // not the status an earlier case left
    EXPECT_EQ(FlashRun(0), 0);
    EXPECT_EQ(CurrentFlashRunState().status, expected);
    EXPECT_EQ(IndexOf(EventFlashDone), RecordedEvents().size());
    return EpromRequests(session.Trace());
}

// Each failure ends the run with its line; a hang leaves the polls of its offset last.
TEST_F(Run, FailuresWhileWritingEndTheRunAtTheirLine) {
    const struct {
        const char* chip;
        sim::RigFaults faults;
        FlashStatus status;
        const char* line;
        uint32_t polled;  // the offset of the trailing polls
        size_t polls;
    } cases[] = {
        {"ATMEL FLASH", Faults{.writeFailsAt = 0x0A00}, StatusEpromWrite,
         "Failed at offset 0xa00\n", 0, 0},
        {"SST 39SF020A", Faults{.chip = {.programHangsAt = 0x0800}}, StatusEpromWrite,
         "Failed at offset 0x800\n", 0x0800, DataPollReadLimit},
        {"SST 29EE010", Faults{.chip = {.programHangsAt = 0x0300}}, StatusEpromWrite,
         "Failed at offset 0x300\n", 0x037F, DataPollReadLimit},
        {"WINBOND W39L010", Faults{.chip = {.eraseHangs = true}}, StatusEraseFailed,
         "Failed to erasing\n", 0, DataPollReadLimit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chip);
        RecordedEvents().clear();
        SimSession session(ChipRig(c.chip, c.faults));
        const auto requests = FaultyRun(session, c.status);
        const auto texts = TextsOf(EventText);
        EXPECT_EQ(texts.back(), c.line);
        EXPECT_EQ(TrailingReads(session.Trace(), c.polled), c.polls);
        if (c.status == StatusEraseFailed) {
            EXPECT_TRUE(ValuesOf(EventFlashProgress).empty());
        }
        if (c.polls != 0) continue;
        // A refused block ends the driver's session.
        EXPECT_EQ(requests.back().epromData, std::vector<uint8_t>{0x00});
        EXPECT_EQ(requests[requests.size() - 2].epromOffset, 0x0A00u);
        EXPECT_EQ(texts[texts.size() - 2], "Write EPROM 512 byte(s) at 0xa00 ERROR! \n");
    }
}

// A protected sector or locked boot block that the image reaches stops the run before
// anything is erased or written; one the image does not reach stops nothing.
TEST_F(Run, ProtectedRegionsTheImageReachesStopTheRunWithTheRomAsItWas) {
    const TempDir dir;
    const char* none = "";
    const struct {
        const char* chip;
        uint32_t locked;   // an offset in the protected sector or locked boot block
        uint32_t length;   // of the image
        const char* line;  // naming the region; none: the run passes
    } cases[] = {
        {"AM29LV001BB", 0x2000, 0x10000, "Sector 0x2000-0x2FFF is protected"},
        {"AMIC A29001/A290011", 0x3FFF, 0x10000, "Sector 0x3000-0x3FFF is protected"},
        {"AM29LV001BT", 0x1C000, 0x10000, none},
        {"ATMEL AT49F002(N)", 0x100, 0x10000, "Boot block 0x0-0x3FFF is locked"},
        {"ATMEL AT49F002(N)T", 0x3C000, 0x10000, none},
        {"ATMEL AT49F002(N)T", 0x3C000, 0x40000, "Boot block 0x3C000-0x3FFFF is locked"},
        {"WINBOND W29C020C", 0x100, 0x10000, "Boot block 0x0-0x1FFF is locked"},
        {"ATMEL AT29C010A", 0x1F000, 0x20000, "Boot block 0x1E000-0x1FFFF is locked"},
        {"WINBOND W29C040", 0x7C000, 0x10000, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.chip) + " " + std::to_string(c.length));
        RecordedEvents().clear();
        sim::Rig rig = ChipRig(c.chip, {.chip = {.protectedSectors = {c.locked}}});
        const std::vector<uint8_t> bios = TestImage(sim::ChipModelSize(c.chip), 7);
        StartWithRom(rig, dir.Root().string(), bios);
        SimSession session(rig);
        LoadRunImage(TestImage(c.length, 5));
        CurrentFlashRunState().status = StatusOk;
        const bool passes = *c.line == 0;
        EXPECT_EQ(FlashRun(0), passes ? 1 : 0);
        const auto rom = session.Sim().ChipContents(0);
        if (passes) {
            EXPECT_EQ(CurrentFlashRunState().status, StatusOk);
            const uint8_t* image = CurrentFlashRunState().image.get();
            EXPECT_TRUE(std::equal(image, image + c.length, rom.begin()));
            EXPECT_EQ(rom[c.locked], bios[c.locked]);
            continue;
        }
        EXPECT_EQ(CurrentFlashRunState().status, StatusProtected);
        const auto texts = TextsOf(EventText);
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts[texts.size() - 2], "The flash sector is protected!\n");
        EXPECT_EQ(texts.back(), std::string(c.line) + "; nothing was erased or written.\n");
        EXPECT_TRUE(rom == bios);
    }
}

// The four codes the short set always reads come first, then the other sectors in reach.
TEST_F(Run, ShortSetReadsItsFourProtectCodesThenTheRestOfTheMap) {
    SimSession session(ChipRig("AM29LV001BB", {.chip = {.protectedSectors = {0x10000}}}));
    FaultyRun(session, StatusProtected, 0x14000);
    std::vector<uint32_t> codes;
    for (const auto& request : EpromRequests(session.Trace()))
        if (request.epromDir == 0 && request.epromOffset % 0x1000 == 2)
            codes.push_back(request.epromOffset);
    EXPECT_EQ(codes,
              (std::vector<uint32_t>{0x0002, 0x4002, 0x8002, 0xC002, 0x2002, 0x3002, 0x10002}));
}

// Verification stops at the first difference and says where, with what each side held.
TEST_F(Run, ReadBackFaultsAreFoundByVerification) {
    const struct {
        const char* chip;
        sim::RigFaults faults;
        uint32_t loc;
        size_t pageRetries;
        uint8_t value;  // the image's byte there
        const char* line;
    } cases[] = {
        {"SST 39SF010A", Faults{.readFailsAt = 0x0C00}, 0x0C00, 0, 0x00,  // unread: no match
         "orig data=0H, ROM data=0H, loc=c00H\n"},
        {"SST 29EE010", Faults{.readFailsAt = 0x0C00}, 0x0C00, 16, 0x00,
         "orig data=0H, ROM data=0H, loc=c00H\n"},
        {"AMD29F010", Faults{.chip = {.weakCells = {{0x0123, 0x00}}}}, 0x0123, 0, 0x3C,
         "orig data=3cH, ROM data=0H, loc=123H\n"},
        {"SST 29EE010", Faults{.chip = {.flakyPages = {{0x0200, 0}}}}, 0x0200, 16, 0x3C,
         "orig data=3cH, ROM data=3dH, loc=200H\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chip);
        RecordedEvents().clear();
        SimSession session(ChipRig(c.chip, c.faults));
        LoadRunImage(ImageWithZeroTail(4096, 4096));
        uint8_t* image = CurrentFlashRunState().image.get();
        image[c.loc] = c.value;  // bit 7 clear, so a failed poll read still looks done
        EXPECT_EQ(FlashRun(0), 0);
        EXPECT_EQ(CurrentFlashRunState().status, StatusVerifyFailed);
        const auto texts = TextsOf(EventText);
        ASSERT_GE(texts.size(), 4u);
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                                [](const std::string& t) { return t.rfind("Update ", 0) == 0; }),
                  static_cast<std::ptrdiff_t>(c.pageRetries));
        EXPECT_EQ(
            std::vector<std::string>(texts.end() - 4, texts.end()),
            (std::vector<std::string>{"\nAbort ...\n", c.line,
                                      "The flash ROM data is either not readable or incorrect\n",
                                      "\nPlease try it again\n"}));
        EXPECT_EQ(ValuesOf(EventVerifyProgress).size(), c.loc);
        EXPECT_EQ(EpromRequests(session.Trace()).back().epromOffset, c.loc);
    }
}

}  // namespace
}  // namespace tarvex
