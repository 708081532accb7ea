#include "image/flash_from_file.h"

#include <algorithm>

#include "driver/rom_size.h"
#include "image/image_fixture.h"
#include "image/rom_backup.h"

namespace tarvex::testing {
namespace {

using FlashFromFileTest = ImageTest;

TEST_F(FlashFromFileTest, FilesThatAreNoBiosImageEndTheRunBeforeTheChip) {
    const std::vector<uint8_t> rom = SampleRom(0x1C5D, 0x0A12);
    std::vector<uint8_t> swapped = rom, farPciData = rom;
    std::swap(swapped[0], swapped[1]);
    farPciData.resize(65536);
    farPciData[24] = farPciData[25] = 0xFF;
    // A length byte that reaches past the end of the file marks a truncated image.
    const std::vector<uint8_t> truncated(rom.begin(), rom.begin() + 1000);
    for (const std::vector<uint8_t>& file :
         {std::vector<uint8_t>{}, {0x55, 0xAA, 0x40}, swapped, truncated, farPciData}) {
        SCOPED_TRACE(file.size());
        RecordedEvents().clear();
        SimSession session(OneAdapterRig(0x0A12));
        const std::string path = WriteFile(m_dir.Path("bad.rom"), file);
        EXPECT_EQ(FlashFromFile(0, path.c_str(), 1, RecordEvent), StatusInvalidImage);
        std::vector<std::string> expected = {"Loading file...\n", "Invalid BIOS image\n"};
        if (file.size() == 65536) expected.insert(expected.begin() + 1, "BIOS code loaded\n");
        EXPECT_EQ(EventTexts(), expected);
        EXPECT_EQ(std::ranges::count_if(session.Requests(), &sim::TraceRecord::isEprom), 0);
    }
}

TEST_F(FlashFromFileTest, ForeignIdentityIsRefusedUnlessTheLowForceByteIsSet) {
    for (const auto& [vendor, device, force, identity] :
         {std::tuple<uint16_t, uint16_t, int32_t, std::string>{0x1C5D, 0x0B22, 0, "0B221C5D"},
          {0x1C5D, 0x0B22, 0x100, "0B221C5D"},
          {0x11AB, 0x6081, 0, "608111AB"}}) {
        RecordedEvents().clear();
        SimSession session(OneAdapterRig(0x0A12));
        const std::string path = WriteFile(m_dir.Path("x.rom"), SampleRom(vendor, device));
        EXPECT_EQ(FlashFromFile(0, path.c_str(), force, RecordEvent), StatusNoAdapter);
        EXPECT_EQ(EventTexts(),
                  (std::vector<std::string>{"Loading file...\n", "BIOS code loaded\n",
                                            "Vender ID in BIOS image is " + identity + "\n",
                                            "No supporting host adapter is found.\n\r"}));
        EXPECT_EQ(std::ranges::count_if(session.Requests(), &sim::TraceRecord::isEprom), 0);
    }
    SimSession session(OneAdapterRig(0x0A12), false);
    const std::vector<uint8_t> image = SampleRom(0x1C5D, 0x0B22);
    const std::string path = WriteFile(m_dir.Path("forced.rom"), image);
    EXPECT_EQ(FlashFromFile(0, path.c_str(), 0x101, RecordEvent), StatusOk);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), session.Sim().ChipContents(0).begin()));
}

// A file longer than the ROM raises its size to whole KiB; a zero tail fills the rest.
TEST_F(FlashFromFileTest, ImageIsProgrammedWithAZeroTailUpToRomSize) {
    SimSession session(OneAdapterRig(0x0A12), false);
    std::vector<uint8_t> large = SampleRom(0x1C5D, 0x0A12);
    large.resize(65537, 0x5A);
    large[2] = 0x80;  // declares 65536 bytes, which the file holds
    const std::vector<uint8_t> small = SampleRom(0x1C5D, 0x0A12, 1024);
    const std::string smallPath = WriteFile(m_dir.Path("small.rom"), small);

    ASSERT_EQ(FlashFromFile(0, WriteFile(m_dir.Path("large.rom"), large).c_str(), 0, RecordEvent),
              StatusOk);
    EXPECT_EQ(RomSize, 66560);
    std::vector<uint8_t> rom = session.Sim().ChipContents(0);
    // All but the last declared byte, which the checksum fix-up adjusts; then 0x5A, zeros, erased.
    EXPECT_TRUE(std::equal(large.begin(), large.begin() + 65535, rom.begin()));
    EXPECT_EQ(std::tuple(rom[65536], std::count(&rom[65537], &rom[66560], 0), rom[66560]),
              std::tuple(0x5A, 1023, 0xFF));

    RecordedEvents().clear();
    ASSERT_EQ(FlashFromFile(0, smallPath.c_str(), 0, RecordEvent), StatusOk);
    EXPECT_EQ(CurrentFlashRunState().imageLength, 66560);
    rom = session.Sim().ChipContents(0);
    EXPECT_EQ(std::count(&rom[1024], &rom[66560], 0), 65536);  // programmed, not left erased
    EXPECT_EQ(std::pair(RecordedEvents().front().code, RecordedEvents().back().code),
              (std::pair<uint32_t, uint32_t>(EventLoading, EventPassed)));

    ASSERT_EQ(BackupRom(0, m_dir.Path("backup.bin").c_str()), StatusOk);
    ASSERT_EQ(FlashFromFile(0, smallPath.c_str(), 0, RecordEvent), StatusOk);
    EXPECT_EQ(CurrentFlashRunState().imageLength, 65536);
    EXPECT_EQ(session.Sim().ChipContents(0)[65536], 0xFF);  // erased, no longer programmed
    EXPECT_EQ(ReadFile(smallPath), small);                  // the file itself is never changed
    EXPECT_EQ(CurrentFlashRunState().image, nullptr);
    EXPECT_EQ(CurrentEventSink(), &RecordEvent);  // left installed for later operations
}

TEST_F(FlashFromFileTest, FailedAdapterQueryKeepsTheSinkAndOpenFailureDropsIt) {
    sim::RigFaults faults;
    faults.refuse = {"adapter_info"};
    const std::string path = WriteFile(m_dir.Path("a.rom"), SampleRom(0x1C5D, 0x0A12));
    {
        SimSession session(OneAdapterRig(0x0A12, "SST 39SF010A", faults));
        SetEventSink(RecordEvent);
        RecordFlashStatus(StatusEpromRead);
        EXPECT_EQ(FlashFromFile(0, path.c_str(), 0, nullptr), StatusAdapterInfo);
        EXPECT_TRUE(RecordedEvents().empty());
        EXPECT_EQ(CurrentEventSink(), &RecordEvent);
        EXPECT_EQ(CurrentFlashRunState().status, StatusEpromRead);
    }
    // A missing file and a folder: told on the console, with its line end.
    SimSession session(OneAdapterRig(0x0A12));
    for (const std::string& bad : {m_dir.Path("missing.rom"), m_dir.Path("")}) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(FlashFromFile(0, bad.c_str(), 0, RecordEvent), StatusOpenFailed);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Failed to open file: " + bad + "\n\n");
        EXPECT_EQ(CurrentEventSink(), nullptr);
        EXPECT_TRUE(RecordedEvents().empty());
    }
}

}  // namespace
}  // namespace tarvex::testing
