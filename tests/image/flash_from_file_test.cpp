#include "image/flash_from_file.h"

#include <algorithm>
#include <numeric>

#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
#include "image/image_fixture.h"
#include "image/rom_backup.h"

namespace tarvex::testing {
namespace {

using FlashFromFileTest = ImageTest;

bool AllZero(const std::vector<uint8_t>& bytes, size_t from, size_t to) {
    return std::all_of(&bytes[from], &bytes[to], [](uint8_t b) { return b == 0; });
}

TEST_F(FlashFromFileTest, FilesThatAreNoBiosImageEndTheRunBeforeTheChip) {
    std::vector<uint8_t> swapped = SampleRom(0x1C5D, 0x0A12);
    std::swap(swapped[0], swapped[1]);
    std::vector<uint8_t> farPciData = SampleRom(0x1C5D, 0x0A12);
    farPciData.resize(65536);
    farPciData[24] = farPciData[25] = 0xFF;
    // A length byte that reaches past the end of the file marks a truncated image.
    std::vector<uint8_t> truncated = SampleRom(0x1C5D, 0x0A12);
    truncated.resize(1000);
    const std::vector<std::vector<uint8_t>> files = {
        {}, {0x55, 0xAA, 0x40}, swapped, truncated, farPciData};
    for (const std::vector<uint8_t>& file : files) {
        SCOPED_TRACE(file.size());
        RecordedEvents().clear();
        SimSession session(OneAdapterRig(0x0A12));
        const std::string path = WriteFile(m_dir.Path("bad.rom"), file);
        EXPECT_EQ(FlashFromFile(0, path.c_str(), 1, RecordEvent), StatusInvalidImage);
        std::vector<std::string> expected = {"Loading file...\n", "Invalid BIOS image\n"};
        if (file.size() == 65536) expected.insert(expected.begin() + 1, "BIOS code loaded\n");
        EXPECT_EQ(EventTexts(), expected);
        EXPECT_TRUE(EpromTrace(session).empty());
    }
}

TEST_F(FlashFromFileTest, ForeignIdentityIsRefusedUnlessTheLowForceByteIsSet) {
    const struct {
        uint16_t vendor, device;
        int32_t force;
        const char* identityText;
    } cases[] = {{0x1C5D, 0x0B22, 0, "Vender ID in BIOS image is 0B221C5D\n"},
                 {0x1C5D, 0x0B22, 0x100, "Vender ID in BIOS image is 0B221C5D\n"},
                 {0x11AB, 0x6081, 0, "Vender ID in BIOS image is 608111AB\n"}};
    for (const auto& c : cases) {
        RecordedEvents().clear();
        SimSession session(OneAdapterRig(0x0A12));
        const std::string path = WriteFile(m_dir.Path("x.rom"), SampleRom(c.vendor, c.device));
        EXPECT_EQ(FlashFromFile(0, path.c_str(), c.force, RecordEvent), StatusNoAdapter);
        EXPECT_EQ(EventTexts(), (std::vector<std::string>{
                                    "Loading file...\n", "BIOS code loaded\n", c.identityText,
                                    "No supporting host adapter is found.\n\r"}));
        EXPECT_TRUE(EpromTrace(session).empty());
    }
    SimSession session(OneAdapterRig(0x0A12), false);
    const std::vector<uint8_t> image = SampleRom(0x1C5D, 0x0B22);
    const std::string path = WriteFile(m_dir.Path("forced.rom"), image);
    EXPECT_EQ(FlashFromFile(0, path.c_str(), 0x101, RecordEvent), StatusOk);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), session.Sim().ChipContents(0).begin()));
}

TEST_F(FlashFromFileTest, ImageIsProgrammedWithFixedChecksumAndZeroTailUpToRomSize) {
    SimSession session(OneAdapterRig(0x0A12), false);
    std::vector<uint8_t> large = SampleRom(0x1C5D, 0x0A12);
    large.resize(65537, 0x5A);
    large[2] = 0x80;  // declares 65536 bytes, which the file holds
    std::vector<uint8_t> small = SampleRom(0x1C5D, 0x0A12, 1024);
    small[0x300] += 5;  // the checksum is off by 5
    const std::string largePath = WriteFile(m_dir.Path("large.rom"), large);
    const std::string smallPath = WriteFile(m_dir.Path("small.rom"), small);

    ASSERT_EQ(FlashFromFile(0, largePath.c_str(), 0, RecordEvent), StatusOk);
    EXPECT_EQ(RomSize, 66560);
    std::vector<uint8_t> rom = session.Sim().ChipContents(0);
    // All but the last declared byte, which the checksum fix-up adjusts.
    EXPECT_TRUE(std::equal(large.begin(), large.begin() + 65535, rom.begin()));
    EXPECT_EQ(rom[65536], 0x5A);
    EXPECT_TRUE(AllZero(rom, 65537, 66559));
    EXPECT_EQ(std::accumulate(&rom[0], &rom[65536], 0u) % 256, 0u);
    EXPECT_EQ(rom[66560], 0xFF);

    RecordedEvents().clear();
    ASSERT_EQ(FlashFromFile(0, smallPath.c_str(), 0, RecordEvent), StatusOk);
    EXPECT_EQ(CurrentFlashRunState().imageLength, 66560);
    rom = session.Sim().ChipContents(0);
    EXPECT_EQ(rom[1023], static_cast<uint8_t>(small[1023] - 5));
    EXPECT_TRUE(AllZero(rom, 1024, 66560));  // programmed, not left erased
    const std::vector<std::string> texts = EventTexts();
    EXPECT_EQ(std::vector(texts.begin(), texts.begin() + 3),
              (std::vector<std::string>{"Loading file...\n", "BIOS code loaded\n",
                                        "Vender ID in BIOS image is 0A121C5D\n"}));
    EXPECT_EQ(RecordedEvents().front().code, EventLoading);
    EXPECT_EQ(RecordedEvents().back().code, EventPassed);

    ASSERT_EQ(BackupRom(0, m_dir.Path("backup.bin").c_str()), StatusOk);
    EXPECT_EQ(RomSize, 65536);
    ASSERT_EQ(FlashFromFile(0, smallPath.c_str(), 0, RecordEvent), StatusOk);
    EXPECT_EQ(CurrentFlashRunState().imageLength, 65536);
    EXPECT_EQ(session.Sim().ChipContents(0)[65536],
              0xFF);                        // erased, no longer programmed
    EXPECT_EQ(ReadFile(smallPath), small);  // the file itself is never changed
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
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(FlashFromFile(0, path.c_str(), 0, nullptr), StatusAdapterInfo);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_TRUE(RecordedEvents().empty());
        EXPECT_EQ(CurrentEventSink(), &RecordEvent);
        EXPECT_EQ(CurrentFlashRunState().status, StatusEpromRead);
    }
    // A missing file, a folder, and a path whose message the event text's capacity cuts short.
    SimSession session(OneAdapterRig(0x0A12));
    for (const std::string& bad :
         {m_dir.Path("missing.rom"), m_dir.Path(""), m_dir.Path(std::string(5000, 'p'))}) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(FlashFromFile(0, bad.c_str(), 0, RecordEvent), StatusOpenFailed);
        const std::string text =
            "Failed to open file: " + bad + "\n";  // and the console's line end
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  text.substr(0, EventTextCapacity - 1) + "\n");
        EXPECT_EQ(CurrentEventSink(), nullptr);
        EXPECT_TRUE(RecordedEvents().empty());
    }
}

}  // namespace
}  // namespace tarvex::testing
