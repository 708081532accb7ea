#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flash/chip_catalogue.h"
#include "flash/flash_run.h"
#include "flash/identify.h"
#include "flash/run_state.h"
#include "flash/scan_guard.h"
#include "flash_fixture.h"
#include "sim/chips/chip_model.h"

namespace tarvex {
namespace {

using namespace testing;

class UnprotectedScan : public FlashTest {
protected:
    void TearDown() override {
        ForgetScanChanges();
        FlashTest::TearDown();
    }
    const TempDir m_dir;
};

// A page-write part without data protection takes the command cycles it does not know as
// data and rewrites the page under the command address; identification puts it back, so
// that looking at an adapter (twice, as the window's start does) changes nothing.
TEST_F(UnprotectedScan, IdentificationLeavesTheRomOfEveryPageWriteRowAsItWas) {
    for (int32_t row = FirstCommandRow; row < FlashChipCount; ++row) {
        const FlashChipEntry& chip = FlashChipTable[row];
        if (PageSizeOf(chip) == 0) continue;
        SCOPED_TRACE(chip.name);
        sim::Rig rig = ChipRig(chip.name);
        const std::vector<uint8_t> bios = TestImage(sim::ChipModelSize(chip.name), 9);
        StartWithRom(rig, m_dir.Root().string(), bios, false);
        SimSession session(rig, false);
        EXPECT_STREQ(FlashChipName(0), chip.name);
        EXPECT_EQ(FlashChipId(0), static_cast<uint16_t>(chip.id));
        session.Sim().Clock().Advance(100000);  // any write cycle is over
        EXPECT_TRUE(session.Sim().ChipContents(0) == bios);
        EXPECT_TRUE(TextsOf(EventText).empty());
        EXPECT_EQ(ScanChangedRom(0), 0);
    }
}

// A page that reads back wrong after its first rewrite cannot be put back: identification
// says where, saves what the page held, and no flash goes on.
TEST_F(UnprotectedScan, PageThatCannotBePutBackIsSavedAndNothingIsFlashed) {
    sim::Rig rig = ChipRig("SST 29EE010", {.chip = {.flakyPages = {{0x5500, 0}}}});
    const std::vector<uint8_t> bios = TestImage(128 * 1024, 9);
    StartWithRom(rig, m_dir.Root().string(), bios, false);
    SimSession session(rig);
    EXPECT_EQ(IdentifyFlashChip(0), 26);
    const auto said = TextsOf(EventText);
    ASSERT_EQ(said.size(), 1u);
    const std::string prefix =
        "Identifying the chip changed the ROM at 0x5500-0x557F and could not write it back; "
        "the 512 bytes it held at 0x5400-0x55FF are saved in ";
    ASSERT_TRUE(said[0].starts_with(prefix)) << said[0];
    const std::string path = said[0].substr(prefix.size(), said[0].size() - prefix.size() - 2);
    EXPECT_TRUE(ReadFile(path) ==
                std::vector<uint8_t>(bios.begin() + 0x5400, bios.begin() + 0x5600));
    std::filesystem::remove(path);

    const std::vector<uint8_t> rom = session.Sim().ChipContents(0);
    LoadRunImage(TestImage(64 * 1024, 3));
    EXPECT_EQ(FlashRun(0), 0);
    EXPECT_EQ(CurrentFlashRunState().status, StatusScanChangedRom);
    EXPECT_EQ(TextsOf(EventText).back(), said[0]);
    EXPECT_TRUE(session.Sim().ChipContents(0) == rom);
}

// Where the ROM under a command address cannot be read, what the scan might change there could
// not be put back: no command cycle is sent at all.
TEST_F(UnprotectedScan, NoScanRunsWhereTheRomItMightChangeCannotBeKept) {
    SimSession session(ChipRig("SST 29EE010", {.readFailsAt = 0x5500}));
    EXPECT_EQ(IdentifyFlashChip(0), -1);
    for (const sim::TraceRecord& r : session.Requests()) EXPECT_FALSE(r.isEprom && r.epromDir == 1);
}

}  // namespace
}  // namespace tarvex
