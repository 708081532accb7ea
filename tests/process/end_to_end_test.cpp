// The built binary flashes, verifies, backs up and describes the generated samples.
#include <nlohmann/json.hpp>

#include "process_fixture.h"

namespace tarvex::testing {
namespace {

using EndToEnd = CliBinaryTest;

TEST_F(EndToEnd, GeneratedSamplesFlashVerifyBackUpAndDescribe) {
    const std::string sample = TARVEX_SAMPLES_DIR "/sample-1C5D-0C32.rom";
    const ProgramResult flash = Run("flash '" + sample + "' -a 1");
    EXPECT_EQ(flash.exit, 0);
    EXPECT_TRUE(flash.err.ends_with("Passed !\nSuccessful!\n")) << flash.err;
    EXPECT_EQ(Run("verify '" + sample + "' -a 1").out,
              "ROM matches the image: 65536 bytes compared.\n");
    EXPECT_EQ(Run("backup '" + m_dir.Path("backup.bin") + "' -a 1").exit, 0);
    const std::vector<uint8_t> image = ReadFile(sample), rom = ReadFile(m_dir.Path("backup.bin"));
    ASSERT_EQ(rom.size(), 131072u);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), rom.begin()));

    const ProgramResult info = Run("info --json " TARVEX_SAMPLES_DIR "/sample-1C5D-0B22.rom");
    EXPECT_EQ(nlohmann::json::parse(info.out)["identity"], "0B221C5D");
    EXPECT_EQ(Run("flash").exit, 64);
}

TEST_F(EndToEnd, ListNamesTheSimulatorsRigOnItsFirstLine) {
    const ProgramResult file = Run("list");
    EXPECT_TRUE(file.out.starts_with(
        "Simulated adapters, not real hardware (rig: " + m_dir.Path("rig.json") +
        ")\nDriver interface version: 0x01000000\n[0] A"))
        << file.out;
    const ProgramResult builtIn = RunWithoutRig("list");
    EXPECT_TRUE(builtIn.out.starts_with(
        "Simulated adapters, not real hardware (rig: built-in default)\nDriver interface "
        "version: 0x01000000\n[0] Tarvex ATA133"))
        << builtIn.out;
#ifdef _WIN32
    // Windows runs the simulator only when asked: without a rig the tool reaches for the driver.
    const ProgramResult driver = Run("list", {{"TARVEX_SIM_RIG", std::nullopt}});
    EXPECT_EQ(driver.exit, 69);
    EXPECT_EQ(driver.out, "Adapters of the storage driver (real hardware)\n");
    EXPECT_EQ(driver.err, "No Controller is detected.\n");
#endif
}

}  // namespace
}  // namespace tarvex::testing
