#include "flash/flash_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "driver/rom_size.h"
#include "flash/chip_catalogue.h"
#include "flash/data_poll.h"
#include "flash/run_state.h"
#include "flash_fixture.h"
#include "sim/chips/chip_model.h"
#include "support/temp_dir.h"

namespace tarvex {
namespace {

using testing::ByteSum;
using testing::ByteWrites;
using testing::ChipRig;
using testing::Cycle;
using testing::EpromRequests;
using testing::LoadRunImage;
using testing::RecordedEvents;
using testing::SimSession;
using testing::TestImage;
using testing::TextsOf;
using testing::ValuesOf;

class Run : public testing::FlashTest {};

// An image of `length` bytes whose content ends at `content`, the rest a zero tail.
std::vector<uint8_t> ImageWithZeroTail(uint32_t length, uint32_t content) {
    std::vector<uint8_t> image = TestImage(content);
    image[2] = static_cast<uint8_t>(content / 512);
    image.resize(length, 0);
    return image;
}

size_t IndexOf(uint32_t code, const std::string& text = "") {
    const auto& events = RecordedEvents();
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i].code == code && (text.empty() || events[i].text == text)) return i;
    return events.size();
}

TEST_F(Run, OneChipOfEveryFamilyIsProgrammedAndVerifiedWithItsZeroTail) {
    const char* chips[] = {"ATMEL FLASH",    "ATMEL AT29C010A", "WINBOND W29C040",
                           "ATMEL AT29C040", "SST 39SF010A",    "AMD29F010"};
    for (const char* chip : chips) {
        SCOPED_TRACE(chip);
        RecordedEvents().clear();
        SimSession session(ChipRig(chip), false);
        const uint32_t length = 8192;
        LoadRunImage(ImageWithZeroTail(length, 6144));
        ASSERT_EQ(FlashRun(0), 1);
        const FlashRunState& run = CurrentFlashRunState();
        EXPECT_EQ(run.status, StatusOk);

        const uint8_t* image = run.image.get();
        EXPECT_EQ(ByteSum(image, 6144), 0);
        const auto rom = session.Sim().ChipContents(0);
        EXPECT_TRUE(std::equal(image, image + length, rom.begin()));
        EXPECT_TRUE(std::all_of(rom.begin() + 6144, rom.begin() + length,
                                [](uint8_t b) { return b == 0; }));

        const size_t id = IndexOf(EventText), vendor = id + 1;
        const size_t done = IndexOf(EventFlashDone), verifying = IndexOf(EventVerifying);
        ASSERT_LT(vendor, RecordedEvents().size());
        EXPECT_EQ(RecordedEvents()[vendor].text, std::string("EPROM Vendor: ") + chip + "\n");
        EXPECT_LT(vendor, IndexOf(EventFlashing));
        EXPECT_LT(IndexOf(EventFlashing), done);
        EXPECT_EQ(verifying, done + 1);
        EXPECT_EQ(RecordedEvents()[verifying].text, "\nVerifing ....\n");
        const auto verified = ValuesOf(EventVerifyProgress);
        ASSERT_EQ(verified.size(), length);
        EXPECT_TRUE(std::is_sorted(verified.begin(), verified.end()));
        EXPECT_EQ(verified.back(), 100);
        const auto programmed = ValuesOf(EventFlashProgress);
        EXPECT_TRUE(std::is_sorted(programmed.begin(), programmed.end()));
        EXPECT_EQ(RecordedEvents().back().code, EventPassed);
        EXPECT_EQ(RecordedEvents().back().text, "Passed !\n");
    }
}

TEST_F(Run, ImageLongerThanTheChipIsRefusedBeforeAnythingButTheScan) {
    SimSession session(ChipRig("SST 39SF010A"));
    LoadRunImage(ImageWithZeroTail(262144, 200 * 1024));
    CurrentFlashRunState().contentLength = 200 * 1024;
    EXPECT_EQ(FlashRun(0), 0);
    EXPECT_EQ(CurrentFlashRunState().status, StatusImageTooLarge);
    EXPECT_EQ(TextsOf(EventText).back(),
              "The image is 204800 bytes, larger than the 131072 bytes of the SST 39SF010A\n");
    EXPECT_EQ(IndexOf(EventFlashing), RecordedEvents().size());
    const std::set<uint32_t> commandOffsets = {0x5555, 0x2AAA, 0x555, 0x2AA};
    for (const Cycle& write : ByteWrites(session.Trace()))
        EXPECT_EQ(commandOffsets.count(write.first), 1u) << write.first;
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
    EXPECT_EQ(EpromRequests(session.Trace()).size(), 235u + 8u);
}

TEST_F(Run, VerifyStopsAtTheFirstDifferenceWithItsFourMessages) {
    sim::RigFaults faults;
    faults.chip.weakCells = {{0x1FFF, 0x00}};
    SimSession session(ChipRig("SST 39SF010A", faults));
    std::vector<uint8_t> image(0x3000, 0xFF);
    image[0x1FFF] = 0x5A;
    EXPECT_EQ(VerifyImage(0, image.data(), 0x3000), 0);
    EXPECT_EQ(CurrentFlashRunState().status, StatusVerifyFailed);
    EXPECT_EQ(TextsOf(EventText),
              (std::vector<std::string>{"\nAbort ...\n", "orig data=5aH, ROM data=0H, loc=1fffH\n",
                                        "The flash ROM data is either not readable or incorrect\n",
                                        "\nPlease try it again\n"}));
    EXPECT_EQ(ValuesOf(EventVerifyProgress).size(), 0x1FFFu);
    EXPECT_EQ(EpromRequests(session.Trace()).size(), 0x2000u);

    RecordedEvents().clear();
    image[0] = 0x00;
    EXPECT_EQ(VerifyImage(0, image.data(), 0x3000), 0);
    EXPECT_EQ(RecordedEvents().size(), 5u);
    EXPECT_EQ(RecordedEvents()[1].text, "\nAbort ...\n");
    EXPECT_EQ(RecordedEvents()[2].text, "orig data=0H, ROM data=ffH, loc=0H\n");
}

// Runs a flash of an image (4 KiB unless said) with a rig fault; returns the EPROM requests.
std::vector<sim::TraceRecord> FaultyRun(SimSession& session, FlashStatus expected,
                                        uint32_t length = 4096) {
    LoadRunImage(ImageWithZeroTail(length, length));
    EXPECT_EQ(FlashRun(0), 0);
    EXPECT_EQ(CurrentFlashRunState().status, expected);
    EXPECT_EQ(IndexOf(EventFlashDone), RecordedEvents().size());
    return EpromRequests(session.Trace());
}

TEST_F(Run, RefusedBlockEndsTheDriverSessionAndTheRun) {
    sim::RigFaults faults;
    faults.writeFailsAt = 0x0A00;
    SimSession session(ChipRig("ATMEL FLASH", faults));
    const auto requests = FaultyRun(session, StatusEpromWrite);
    EXPECT_EQ(requests.back().epromData, std::vector<uint8_t>{0x00});
    EXPECT_EQ(requests[requests.size() - 2].epromOffset, 0x0A00u);
    EXPECT_EQ(TextsOf(EventText).back(), "Failed at offset 0xa00\n");
    EXPECT_EQ(TextsOf(EventText)[TextsOf(EventText).size() - 2],
              "Write EPROM 512 byte(s) at 0xa00 ERROR! \n");
}

TEST_F(Run, ByteThatNeverFinishesProgrammingEndsTheRunAtItsOffset) {
    sim::RigFaults faults;
    faults.chip.programHangsAt = 0x0800;
    SimSession session(ChipRig("SST 39SF020A", faults));
    const auto requests = FaultyRun(session, StatusEpromWrite);
    EXPECT_EQ(TextsOf(EventText).back(), "Failed at offset 0x800\n");
    // Nothing but the polls of that byte after its data write.
    const auto writes = ByteWrites(session.Trace());
    EXPECT_EQ(writes.back().first, 0x0800u);
    size_t polls = 0;
    for (auto it = requests.rbegin(); it != requests.rend() && it->epromDir == 0; ++it) {
        EXPECT_EQ(it->epromOffset, 0x0800u);
        ++polls;
    }
    EXPECT_EQ(polls, DataPollReadLimit);
}

TEST_F(Run, PageThatNeverFinishesProgrammingEndsTheRunAtItsOffset) {
    sim::RigFaults faults;
    faults.chip.programHangsAt = 0x0300;
    SimSession session(ChipRig("SST 29EE010", faults));
    FaultyRun(session, StatusEpromWrite);
    EXPECT_EQ(TextsOf(EventText).back(), "Failed at offset 0x300\n");
}

TEST_F(Run, EraseThatNeverEndsFailsTheRunBeforeAnyData) {
    sim::RigFaults hang;
    hang.chip.eraseHangs = true;
    SimSession session(ChipRig("ATMEL AT49F010", hang));
    FaultyRun(session, StatusEraseFailed);
    EXPECT_EQ(TextsOf(EventText).back(), "Failed to erasing\n");
    EXPECT_TRUE(ValuesOf(EventFlashProgress).empty());
    const std::set<uint32_t> commandOffsets = {0x5555, 0x2AAA, 0x555, 0x2AA};
    for (const Cycle& write : ByteWrites(session.Trace()))
        EXPECT_EQ(commandOffsets.count(write.first), 1u) << write.first;
}

// A protected sector or locked boot block that the image reaches stops the run before
// anything is erased or written; one the image does not reach stops nothing.
TEST_F(Run, ProtectedRegionsTheImageReachesStopTheRunWithTheRomAsItWas) {
    const testing::TempDir dir;
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
        sim::RigFaults faults;
        faults.chip.protectedSectors = {c.locked};
        sim::Rig rig = ChipRig(c.chip, faults);
        const std::vector<uint8_t> bios = TestImage(sim::ChipModelSize(c.chip), 7);
        testing::StartWithRom(rig, dir.Root().string(), bios);
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
    sim::RigFaults faults;
    faults.chip.protectedSectors = {0x10000};
    SimSession session(ChipRig("AM29LV001BB", faults));
    FaultyRun(session, StatusProtected, 0x14000);
    std::vector<uint32_t> codes;
    for (const auto& request : EpromRequests(session.Trace()))
        if (request.epromDir == 0 && request.epromOffset % 0x1000 == 2)
            codes.push_back(request.epromOffset);
    EXPECT_EQ(codes,
              (std::vector<uint32_t>{0x0002, 0x4002, 0x8002, 0xC002, 0x2002, 0x3002, 0x10002}));
}

TEST_F(Run, ReadBackFaultsAreFoundByVerification) {
    sim::RigFaults unreadable;
    unreadable.readFailsAt = 0x0C00;
    sim::RigFaults weak;
    weak.chip.weakCells = {{0x0123, 0x00}};
    sim::RigFaults flaky;
    flaky.chip.flakyPages = {{0x0200, 0}};
    const struct {
        const char* chip;
        sim::RigFaults faults;
        uint32_t loc;
        size_t pageRetries;
        uint8_t value;                                           // the image's byte there
    } cases[] = {{"SST 39SF010A", unreadable, 0x0C00, 0, 0x00},  // unread is not verified
                 {"SST 29EE010", unreadable, 0x0C00, 16, 0x00},
                 {"AMD29F010", weak, 0x0123, 0, 0x3C},
                 {"SST 29EE010", flaky, 0x0200, 16, 0x3C}};
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
        char loc[32];
        std::snprintf(loc, sizeof loc, "loc=%xH\n", c.loc);
        EXPECT_NE(texts[texts.size() - 3].find(loc), std::string::npos);
        EXPECT_EQ(ValuesOf(EventVerifyProgress).size(), c.loc);
        const auto requests = EpromRequests(session.Trace());
        EXPECT_EQ(requests.back().epromOffset, c.loc);
    }
}

}  // namespace
}  // namespace tarvex
