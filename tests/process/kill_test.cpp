// A process killed in the middle of an operation leaves nothing the next run cannot mend, and
// nothing that passes for finished work.
#ifndef _WIN32
#include <signal.h>
#endif

#include <algorithm>

#include "process_fixture.h"
#include "samples/sample_image.h"

namespace tarvex::testing {
namespace {

constexpr size_t ChipSize = 128 * 1024;  // both chips below
constexpr size_t FlashedLength = 65536;  // a small image's buffer, zero tail included

class KillTest : public ProcessTest {
protected:
    // A chip holding an older image, as a chip in the field would.
    void PutOldImage(uint16_t device) const {
        std::vector<uint8_t> old = MakeSampleImage({0x1C5D, device, 16384, ClassCodeRaid, "old"});
        old.resize(ChipSize, 0xFF);
        WriteFile(Path("chip.rom"), old);
    }
    std::vector<uint8_t> Chip() const { return ReadFile(Path("chip.rom")); }
    size_t UnfinishedBeside(const std::string& target, size_t* size = nullptr) const {
        size_t count = 0;
        for (const std::string& name : m_dir.Names()) {
            if (!name.starts_with(target + ".unfinished-")) continue;
            ++count;
            if (size) *size = ReadFile(Path(name)).size();
        }
        return count;
    }
};

// Bytes from..to of a file; none when the file is shorter.
std::vector<uint8_t> Bytes(const std::vector<uint8_t>& file, size_t from, size_t to) {
    if (file.size() < to) return {};
    return {file.data() + from, file.data() + to};
}

// Each phase is stopped where its text appears: the byte-program part while it erases (its
// erase completes only at its end) and while it programs (from the top down), the part the
// driver programs while it verifies.
TEST_F(KillTest, FlashKilledWhileErasingProgrammingOrVerifyingIsMendedByTheNextFlash) {
    const struct {
        const char* chip;
        uint16_t device;
        const char* pci;
        const char* phaseText;
    } phases[] = {
        {"SST 39SF010A", 0x0A12, "1C5D:0A12", "Erasing...."},
        {"SST 39SF010A", 0x0A12, "1C5D:0A12", "Flashing 10%"},
        {"ATMEL FLASH", 0x0C32, "1C5D:0C32", "Verifing ...."},
    };
    for (const auto& phase : phases) {
        SCOPED_TRACE(phase.phaseText);
        WriteRig(phase.pci, phase.chip);
        PutOldImage(phase.device);
        const std::vector<uint8_t> old = Chip();
        std::vector<uint8_t> flashed =
            MakeSampleImage({0x1C5D, phase.device, 32768, ClassCodeRaid, "new"});
        WriteFile(Path("image.rom"), flashed);
        flashed.resize(FlashedLength, 0x00);

        ChildProcess killed(Launch({"flash", Path("image.rom")}, Path("trace.fifo")));
        ASSERT_TRUE(killed.RunUntil(phase.phaseText)) << killed.Err();
        killed.Kill();
        const std::vector<uint8_t> chip = Chip();
        ASSERT_EQ(chip.size(), ChipSize);
        const size_t rom = FlashedLength;
        if (phase.phaseText[0] == 'E') {
            EXPECT_EQ(chip, old);
        } else if (phase.phaseText[0] == 'F') {
            EXPECT_TRUE(Bytes(chip, 0, rom / 2) == std::vector<uint8_t>(rom / 2, 0xFF));
            EXPECT_TRUE(Bytes(chip, rom - rom / 10, rom) == Bytes(flashed, rom - rom / 10, rom));
        } else {
            EXPECT_TRUE(Bytes(chip, 0, rom) == flashed);
        }

        // --always: killed while verifying, the ROM already holds the image and a plain flash
        // would leave it be.
        const ProgramResult mended = RunToEnd(Launch({"flash", Path("image.rom"), "--always"}));
        EXPECT_EQ(mended.exit, 0);
        EXPECT_TRUE(mended.err.ends_with("Passed !\nSuccessful!\n")) << mended.err;
        EXPECT_EQ(RunToEnd(Launch({"verify", Path("image.rom")})).exit, 0);
        EXPECT_TRUE(Bytes(Chip(), 0, rom) == flashed);
    }
}

TEST_F(KillTest, BackupKilledMidwayLeavesTheEarlierBackupAndNothingThatPassesForOne) {
    WriteRig("1C5D:0A12", "SST 39SF010A");
    PutOldImage(0x0A12);
    const std::vector<uint8_t> earlier(65536, 0x5A);
    WriteFile(Path("backup.rom"), earlier);
    const std::string readingBlock32 = R"("offset":16384,"dir":0,"len":512)";
    for (const char* target : {"backup.rom", "fresh.rom"}) {
        ChildProcess killed(Launch({"backup", Path(target)}, Path("trace.fifo")));
        ASSERT_TRUE(killed.RunUntil(readingBlock32)) << killed.Err();
        killed.Kill();
        size_t partial = 0;
        EXPECT_EQ(UnfinishedBeside(target, &partial), 1u) << target;
        EXPECT_TRUE(partial >= 16384 && partial < 65536) << partial;
    }
    EXPECT_EQ(ReadFile(Path("backup.rom")), earlier);
    EXPECT_FALSE(std::filesystem::exists(Path("fresh.rom")));

    // The next backups to the same files are whole and remove what the killed ones left.
    for (const char* target : {"backup.rom", "fresh.rom"}) {
        EXPECT_EQ(RunToEnd(Launch({"backup", Path(target)})).exit, 0);
        EXPECT_TRUE(ReadFile(Path(target)) == Bytes(Chip(), 0, 65536));
        EXPECT_EQ(UnfinishedBeside(target), 0u);
    }
}

#ifndef _WIN32
// The file-size limit (Windows has none) ends the process with SIGXFSZ midway through writing
// the new image.
TEST_F(KillTest, ConfigSaveKilledMidwayLeavesTheImageAsItWas) {
    const std::vector<uint8_t> image = MakeSampleImage({0x1C5D, 0x0A12, 32768, ClassCodeRaid, "x"});
    WriteFile(Path("image.rom"), image);
    ChildLaunch limited = Launch({"config", Path("image.rom"), "--set", "0=0"});
    limited.fileSizeLimit = 8192;
    EXPECT_EQ(RunToEnd(limited).exit, 128 + SIGXFSZ);
    EXPECT_EQ(ReadFile(Path("image.rom")), image);
    size_t partial = 0;
    EXPECT_EQ(UnfinishedBeside("image.rom", &partial), 1u);
    EXPECT_EQ(partial, 8192u);

    EXPECT_EQ(RunToEnd(Launch({"config", Path("image.rom"), "--set", "0=0"})).exit, 0);
    const std::vector<uint8_t> edited = ReadFile(Path("image.rom"));
    ASSERT_EQ(edited.size(), image.size());
    EXPECT_EQ(std::mismatch(edited.begin(), edited.end(), image.begin()).first - edited.begin(),
              0x116);  // the first entry's stored value
    EXPECT_EQ(UnfinishedBeside("image.rom"), 0u);
}

// Signals cannot half-write a ROM by accident: the first is only warned about; a second within
// the window stops the flash, which says what the ROM now holds.
TEST_F(KillTest, OneInterruptIsWarnedAboutAndASecondStopsWithThePartlyWrittenRom) {
    const std::string warning = "Interrupting now would leave the adapter's ROM partly written";
    WriteRig("1C5D:0A12", "SST 39SF010A");
    const std::string image = Path("image.rom");
    WriteFile(image, MakeSampleImage({0x1C5D, 0x0A12, 16384, ClassCodeRaid, "new"}));
    for (const int interrupts : {1, 2}) {
        SCOPED_TRACE(interrupts);
        ChildProcess flash(Launch({"flash", image, "--always"}, Path("trace")));
        ASSERT_TRUE(flash.RunUntil("Flashing....")) << flash.Err();
        flash.Interrupt();
        ASSERT_TRUE(flash.RunUntil(warning)) << flash.Err();
        if (interrupts == 1) {
            EXPECT_EQ(flash.Finish(), 0) << flash.Err();
            EXPECT_TRUE(flash.Err().ends_with("Passed !\nSuccessful!\n")) << flash.Err();
            continue;
        }
        flash.Interrupt();
        EXPECT_EQ(flash.Finish(), 130) << flash.Err();
        EXPECT_NE(flash.Err().find("Stopped: the adapter's ROM is partly written"),
                  std::string::npos);
        EXPECT_EQ(flash.Err().find("Successful!"), std::string::npos) << flash.Err();
    }
}
#endif

}  // namespace
}  // namespace tarvex::testing
