#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "flash/flash_run.h"
#include "flash/identify.h"
#include "flash/run_state.h"
#include "flash_fixture.h"

namespace tarvex {
namespace {

using testing::ChipRig;
using testing::LoadRunImage;
using testing::SimSession;
using testing::TestImage;

class UnprotectedScan : public testing::FlashTest {};

// Offsets whose byte differs between the two.
std::vector<uint32_t> Changed(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after) {
    std::vector<uint32_t> offsets;
    for (uint32_t i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i] != after[i]) offsets.push_back(i);
    return offsets;
}

// A page-write part without data protection takes every command cycle it does not know as
// data: identifying it rewrites the page under 5555, before anything is flashed.
TEST_F(UnprotectedScan, IdentificationRewritesThePageUnderTheCommandAddress) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("tarvex-scan-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const struct {
        const char* chip;
        int32_t row;
        uint32_t page;
        uint8_t at5555;  // the last cycle of an entry the part does not know
    } cases[] = {{"WINBOND W29EE011/W29C011A", 2, 128, 0x90},
                 {"ATMEL AT29C040", 13, 512, 0x60},
                 {"SST 29EE010", 26, 128, 0x60}};
    for (const auto& c : cases) {
        for (bool sdp : {true, false}) {
            SCOPED_TRACE(std::string(c.chip) + (sdp ? " protected" : " unprotected"));
            const auto rom = dir / "adapter.rom";
            std::filesystem::remove(rom);
            std::filesystem::remove(rom.string() + ".sdp");
            const std::vector<uint8_t> bios = TestImage(128 * 1024, 9);
            std::ofstream(rom, std::ios::binary)
                .write(reinterpret_cast<const char*>(bios.data()),
                       static_cast<std::streamsize>(bios.size()));
            sim::Rig rig = ChipRig(c.chip);
            rig.adapters[0].romPath = rom.string();
            rig.adapters[0].sdp = sdp;
            SimSession session(rig, false);
            EXPECT_EQ(IdentifyFlashChip(0), c.row);
            session.Sim().Clock().Advance(100000);  // let the last write cycle end
            const auto changed = Changed(bios, session.Sim().ChipContents(0));
            if (sdp) {
                EXPECT_TRUE(changed.empty());
                continue;
            }
            ASSERT_FALSE(changed.empty());
            const uint32_t page = 0x5555 - 0x5555 % c.page;
            EXPECT_GE(changed.front(), page);
            EXPECT_LT(changed.back(), page + c.page);
            EXPECT_EQ(session.Sim().ChipContents(0)[0x5555], c.at5555);

            // A flash writes every page again, and its prefix turns protection on.
            LoadRunImage(TestImage(64 * 1024, 3));
            EXPECT_EQ(FlashRun(0), 1);
            const auto before = session.Sim().ChipContents(0);
            EXPECT_EQ(IdentifyFlashChip(0), c.row);
            EXPECT_TRUE(Changed(before, session.Sim().ChipContents(0)).empty());
        }
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tarvex
