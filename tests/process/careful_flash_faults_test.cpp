// A flash that cannot be done safely leaves the ROM byte for byte as it was and never writes
// to a chip for an image it refuses; a backup that was asked for holds the ROM as it was.
#include <filesystem>

#include "process_fixture.h"

namespace tarvex::testing {
namespace {

const std::string Sample = TARVEX_SAMPLES_DIR "/sample-1C5D-0A12.rom";
constexpr size_t ChipSize = 128 * 1024;  // both chips used here

class CarefulFlashFaults : public CliBinaryTest {
protected:
    // One adapter (1C5D:0A12, 64 KiB ROM, its chip in a0.rom) holding `rom` padded with erased
    // bytes, and a trace of every request.
    void UseAdapter(const RigFileAdapter& adapter, std::vector<uint8_t> rom) {
        WriteRigFile(m_dir.Path("rig.json"), {adapter}, R"("trace": {"file": "trace.jsonl"})");
        rom.resize(ChipSize, 0xFF);
        m_before = rom;
        WriteFile(m_dir.Path("a0.rom"), rom);
    }
    static RigFileAdapter Sst(const std::string& more = "") {
        return {"1C5D:0A12", "SST 39SF010A", "a0.rom", more, "A", 7};
    }
    // A page-write part that takes any write it does not know as a command as data.
    static RigFileAdapter Unprotected() {
        return {"1C5D:0A12", "WINBOND W29EE011/W29C011A", "a0.rom", R"("sdp": false)", "A", 7};
    }
    std::vector<uint8_t> Rom() { return ReadFile(m_dir.Path("a0.rom")); }
    // The sample as a flash writes it: its zero tail up to the adapter's 64 KiB.
    static std::vector<uint8_t> Flashed() {
        std::vector<uint8_t> bytes = ReadFile(Sample);
        bytes.resize(65536, 0);
        return bytes;
    }
    bool TraceHasEpromWrite() {
        const std::vector<uint8_t> trace = ReadFile(m_dir.Path("trace.jsonl"));
        return Has(std::string(trace.begin(), trace.end()), "\"dir\":1");
    }
    std::vector<uint8_t> m_before;
};

TEST_F(CarefulFlashFaults, RefusalsLeaveTheRomAsItWasAndSendNoWrite) {
    const std::vector<uint8_t> sample = ReadFile(Sample);
    std::vector<uint8_t> head = sample;
    head.resize(1000);
    const std::string truncated = WriteFile(m_dir.Path("trunc.rom"), head);
    const std::string foreign = WriteFile(m_dir.Path("b22.rom"), SampleRom(0x1C5D, 0x0B22));
    std::vector<uint8_t> big = sample;
    big.resize(96 * 1024, 0);
    const std::string tooBig = WriteFile(m_dir.Path("big.rom"), big);
    const std::string image = WriteFile(m_dir.Path("image.rom"), sample);
    std::filesystem::create_hard_link(image, m_dir.Path("link.rom"));
    const RigFileAdapter unprotected = Unprotected();
    const RigFileAdapter queryFailsOnce = Sst(R"("faults": {"transient": {"adapter_info": 4}})");
    const struct {
        RigFileAdapter adapter;
        std::string arguments;
        int exit;
        const char* message;
        bool identifies = false;  // sends the identification's command cycles
    } cases[] = {
        {queryFailsOnce, "flash '" + image + "' --backup '" + m_dir.Path("b.bin") + "' --yes", 14,
         "does not answer its information query; nothing was erased"},
        {unprotected, "flash '" + image + "' --backup '" + image + "'", 64,
         "is the image file itself"},
        {unprotected, "flash '" + image + "' --backup '" + m_dir.Path("link.rom") + "'", 64,
         "is the image file itself"},
        {Sst(), "flash '" + image + "' --backup '" + m_dir.Path("no/such/dir.bin") + "'", 6,
         "nothing was erased"},
        {unprotected, "flash '" + truncated + "'", 2, "Invalid BIOS image"},
        {unprotected, "flash '" + foreign + "'", 7, "No supporting host adapter is found."},
        {unprotected, "flash '" + tooBig + "'", 15,
         "larger than the 65536-byte ROM of adapter 0; nothing was erased"},
        {unprotected, "verify '" + tooBig + "'", 15, "larger than the 65536-byte ROM"},
        {Sst(R"("faults": {"read_fails_at": 4096})"), "verify '" + image + "'", 10,
         "Read EPROM 512 byte(s) at 0x1000 ERROR!", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        UseAdapter(c.adapter, SampleRom(0x1C5D, 0x0A12, 16384));
        const ProgramResult result = Run(c.arguments);
        EXPECT_EQ(result.exit, c.exit) << result.err;
        EXPECT_TRUE(Has(result.err, c.message)) << result.err;
        EXPECT_FALSE(Has(result.err, "The backup is in")) << result.err;
        EXPECT_EQ(TraceHasEpromWrite(), c.identifies);
        EXPECT_TRUE(Rom() == m_before);
        EXPECT_FALSE(std::filesystem::exists(m_dir.Path("b.bin")));
        EXPECT_EQ(ReadFile(image), sample);
    }
}

TEST_F(CarefulFlashFaults, TheBackupHoldsTheRomAsItWasBeforeAnyCommandCycle) {
    const std::string backup = m_dir.Path("before.bin");
    // The identification's cycles may land as data on a page-write part without protection;
    // the backup is taken first all the same, and also when there is nothing to flash.
    const struct {
        RigFileAdapter chip;
        std::vector<uint8_t> rom;
        const char* said;
    } cases[] = {
        {Unprotected(), SampleRom(0x1C5D, 0x0A12, 16384), "Passed !\nSuccessful!\n"},
        {Sst(), Flashed(), "nothing was erased"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chip.chip);
        UseAdapter(c.chip, c.rom);
        const ProgramResult result = Run("flash '" + Sample + "' --backup '" + backup + "'");
        EXPECT_EQ(result.exit, 0) << result.err;
        EXPECT_TRUE(Has(result.err + result.out, c.said)) << result.err << result.out;
        EXPECT_LT(result.err.find("Backup of the whole ROM (65536 bytes) saved in"),
                  result.err.find("Erasing"));
        const std::vector<uint8_t> saved = ReadFile(backup);
        ASSERT_EQ(saved.size(), 65536u);
        EXPECT_TRUE(std::equal(saved.begin(), saved.end(), m_before.begin()));
    }
}

#ifndef _WIN32
TEST_F(CarefulFlashFaults, AReaderThatGoesAwayDoesNotStopTheFlash) {
    UseAdapter(Sst(), SampleRom(0x1C5D, 0x0A12, 16384));
    const std::string script = "'" TARVEX_CLI_BINARY "' flash '" + Sample +
                               "' --yes 2>&1 | head -1; exit ${PIPESTATUS[0]}";
    const ProgramResult result = RunToEnd({"/bin/bash", {"-c", script}, Command("").env});
    EXPECT_EQ(result.exit, 0) << result.out;
    const std::vector<uint8_t> flashed = Flashed(), rom = Rom();
    EXPECT_TRUE(std::equal(flashed.begin(), flashed.end(), rom.begin()));
}
#endif

}  // namespace
}  // namespace tarvex::testing
