// Every status code flash and backup can end with, reached through the commands.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

#include <fstream>
#include <memory>

#include "cli/backup_command.h"
#include "cli/flash_command.h"
#include "cli/status_words.h"
#include "cli_fixture.h"
#include "support/feeding_pipe.h"
#include "support/rom_images.h"

namespace tarvex::testing {
namespace {

using StatusCodes = CliTest;

std::string Outcome(int status) {
    if (status == 0) return "Successful!\n";
    return "Failed! " + std::string(cli::StatusWords(status)) + " (status " +
           std::to_string(status) + ")\n";
}

// The sentence after a failed flash, by what the ROM holds then.
const std::string Untouched = "The adapter's ROM is untouched";
const std::string Partly = "The adapter's ROM is partly written";
const std::string Different = "The adapter's ROM holds the new image but differs from it at";

TEST_F(StatusCodes, FlashExitsWithTheRunStatusAndShowsItsMessage) {
    sim::RigFaults ok, noInfo, hangs, hangsFirst, erase, locked, weak, unsteady, scanHarm;
    noInfo.refuse = {"adapter_info"};
    hangs.chip.programHangsAt = 0xFFF0;
    hangsFirst.writeFailsAt = 0xFFFF;  // the first byte programmed
    erase.chip.eraseHangs = true;
    locked.chip.protectedSectors = {0xC100};
    weak.chip.weakCells = {{0x0123, 0x00}};
    unsteady.unsteadyReadAt = 0x1000;
    scanHarm.chip.flakyPages = {{0x5500, 0}};  // the scan's cycles land there as data
    const std::vector<uint8_t> held = SampleRom(0x1C5D, 0x0A12);
    const std::string own = WriteFile(m_dir.Path("own.rom"), held), missing = m_dir.Path("m.rom");
    std::vector<uint8_t> head = SampleRom(0x1C5D, 0x0A12, 1024), tooLong = held;
    head.resize(100);
    tooLong.resize(65537);
    const std::string bad = WriteFile(m_dir.Path("3.rom"), {0x55, 0xAA, 0});
    const std::string huge = WriteSparseImage(m_dir.Path("huge.rom"), int64_t{5} << 30);
    const std::string b22 = WriteFile(m_dir.Path("b22.rom"), SampleRom(0x1C5D, 0x0B22));
    const std::string longer = WriteFile(m_dir.Path("long.rom"), tooLong);
    const char* const sst = "SST 39SF010A";
    const struct {
        const char* chip;
        sim::RigFaults faults;
        std::string image;
        int status;
        int exit;
        std::string message;
        std::string state;    // how the last line begins
        bool backup = false;  // flash --backup
    } cases[] = {
        {sst, ok, own, 0, 0, "Passed !\n", ""},
        {sst, ok, missing, 1, 74, "Failed to open file: " + missing + "\n", Untouched},
        {sst, ok, bad, 2, 2, "Loading file...\nInvalid BIOS image\n", Untouched},
        {sst, ok, huge, 3, 3, "BIOS file is too large (out of memory)\n", Untouched},
        {sst, ok, m_dir.Path("pipe.rom"), 4, 74, "Error reading file (100/0)\n", Untouched},
        {sst, ok, b22, 7, 7, "Vender ID in BIOS image is 0B221C5D\nNo supporting host", Untouched},
        {"none", ok, own, 8, 8, "No Support EPROM found\n", Untouched},
        {sst, hangs, own, 9, 9, "Failed at offset 0xfff0\n", Partly},
        {sst, hangsFirst, own, 9, 9, "Failed at offset 0xffff\n", "The adapter's ROM is erased"},
        {sst, unsteady, own, 10, 10,
         "Two reads of the ROM differ, so no backup can be trusted; nothing was erased.\n",
         Untouched, true},
        {"ATMEL AT49F010", erase, own, 11, 11, "Failed to erasing\n",
         "The chip has not finished its erase"},
        {"AM29LV001BB", locked, own, 12, 12,
         "The flash sector is protected!\nSector 0xC000-0xFFFF is protected; nothing was erased "
         "or written.\n",
         Untouched},
        {sst, weak, own, 13, 13, "Abort ...\norig data=", Different + " offset 0x123"},
        {sst, noInfo, own, 14, 14, "does not answer its information query", Untouched},
        {sst, ok, longer, 15, 15,
         "The image is 65537 bytes, larger than the 65536-byte ROM of adapter 0; nothing was",
         Untouched},
        {"SST 29EE010", scanHarm, own, 16, 16,
         "Identifying the chip changed the ROM at 0x5500-0x557F and could not write it back; ",
         "The adapter's ROM is not as it was"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        Reset();
        sim::Rig rig = OneAdapterRig(0x0A12, c.chip, c.faults);
        // A chip that held a BIOS, so that an erased one tells from an untouched one; its own
        // file, so that no row inherits another's data protection state.
        rig.adapters[0].romPath =
            WriteFile(m_dir.Path("chip" + std::to_string(c.status) + ".rom"), held);
        rig.adapters[0].sdp = c.status != 16;  // the scan's cycles reach an unprotected part
        SimSession session(rig);
        std::unique_ptr<FeedingPipe> pipe;
        if (c.status == 4) pipe = std::make_unique<FeedingPipe>(c.image, head);
        cli::FlashRequest request = FlashOf(pipe ? pipe->Path() : c.image);
        if (c.backup) request.backup = m_dir.Path("b.bin");
        const ProgramResult result = RunCaptured([&](std::ostream& out, std::ostream& err) {
            return cli::RunFlash(request, {}, out, err);
        });
        EXPECT_EQ(result.exit, c.exit);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(Outcome(c.status)), std::string::npos) << result.err;
        const size_t last = result.err.rfind('\n', result.err.size() - 2) + 1;
        if (c.status != 0) {
            EXPECT_EQ(result.err.substr(last, c.state.size()), c.state) << result.err;
        }
        if (c.backup) {  // the unsteady ROM: nothing written, nothing kept
            for (const sim::TraceRecord& r : session.Requests())
                EXPECT_FALSE(r.isEprom && r.epromDir == 1);
            const std::vector<uint8_t> rom = session.Sim().ChipContents(0);
            EXPECT_TRUE(std::equal(held.begin(), held.end(), rom.begin()));
            EXPECT_FALSE(std::filesystem::exists(request.backup));
        }
        const size_t saved = result.err.find(" are saved in ") + 14;  // the scan's kept bytes
        if (c.status == 16)
            std::remove(result.err.substr(saved, result.err.find(".\n", saved) - saved).c_str());
    }
}

TEST_F(StatusCodes, BackupExitsWithItsStatusAndShowsItsMessage) {
    sim::RigFaults noInfo, noIdentity, unreadable;
    noInfo.refuse = {"adapter_info"};
    noIdentity.refuse = {"pci_identity"};
    unreadable.readFailsAt = 0x1000;
    const std::string good = m_dir.Path("backup.bin");
    const std::string earlier = WriteFile(m_dir.Path("earlier.bin"), {9, 8, 7});
    const std::string noFolder = m_dir.Path("none/b.bin");
    const std::string wait = "Backup BIOS, Please wait......\n";
    const struct {
        sim::RigFaults faults;
        std::string path;
        int exit;
        std::string err;
    } cases[] = {
        {{}, good, 0, wait + "Backup BIOS Success!\n"},
#ifndef _WIN32
        {{}, "/dev/full", 5, wait + "Write file /dev/full error!\n"},
#endif
        {{}, noFolder, 6, "Creat Backup file " + noFolder + " failed!\n"},
        {noIdentity, m_dir.Path("7.bin"), 7, ""},
        {unreadable, earlier, 10, wait + "Read EPROM 512 byte(s) at 0x1000 ERROR! \n"},
        {noInfo, m_dir.Path("14.bin"), 14, ""},
    };
    for (const auto& c : cases) {
        Reset();
        SimSession session(OneAdapterRig(0x0A12, "SST 39SF010A", c.faults));
        const ProgramResult result = RunCaptured([&](std::ostream& out, std::ostream& err) {
            return cli::RunBackup(0, c.path, out, err);
        });
        EXPECT_EQ(result.exit, c.exit);
        EXPECT_EQ(result.err, c.err + Outcome(c.exit));
        size_t reads = 0;
        for (const sim::TraceRecord& record : session.Requests()) reads += record.isEprom;
        if (c.exit != 10) {
            EXPECT_EQ(reads, c.exit == 0 ? 128u : c.exit == 5 ? 1u : 0u);
        }
    }
    EXPECT_EQ(ReadFile(good).size(), 65536u);
    // Failed backups leave no file of their own and an earlier one as it was.
    EXPECT_EQ(ReadFile(earlier), (std::vector<uint8_t>{9, 8, 7}));
    EXPECT_EQ(m_dir.Count(), 2u);
}

#ifdef _WIN32
// A backup file that another program holds open cannot be replaced: the backup fails and the
// file keeps what it held.
TEST_F(StatusCodes, BackupOntoAFileHeldOpenElsewhereFailsAndKeepsIt) {
    const std::string held = WriteFile(m_dir.Path("held.bin"), {1, 2, 3});
    HANDLE other = ::CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    SimSession session(OneAdapterRig(0x0A12));
    const ProgramResult result = RunCaptured(
        [&](std::ostream& out, std::ostream& err) { return cli::RunBackup(0, held, out, err); });
    ::CloseHandle(other);
    EXPECT_EQ(result.exit, 5);
    EXPECT_NE(result.err.find("Write file " + held + " error!\n"), std::string::npos) << result.err;
    EXPECT_EQ(ReadFile(held), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(m_dir.Count(), 1u);
}
#endif

// An address-space limit for one child process is POSIX's; Windows has no counterpart that
// Wine enforces.
#if !defined(TARVEX_SANITIZED_BUILD) && !defined(_WIN32)
// Runs the flash command in a child whose address space has room for what it maps already and
// 256 MiB more, too little for the image's buffer.
[[noreturn]] void FlashUnderAddressLimit(const std::string& image) {
    rlim_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{256} << 20);
    const rlimit space{limit, limit};
    ::setrlimit(RLIMIT_AS, &space);
    std::ostringstream out;
    std::exit(cli::RunFlash(FlashOf(image), {}, out, std::cerr));
}

TEST_F(StatusCodes, FlashOfAnImageLargerThanTheAddressSpaceLeftIsOutOfMemory) {
    SimSession session(OneAdapterRig(0x0A12), false);
    const std::string image = WriteSparseImage(m_dir.Path("large.rom"), int64_t{1} << 30);
    EXPECT_EXIT(
        FlashUnderAddressLimit(image), ::testing::ExitedWithCode(3),
        "BIOS file is too large \\(out of memory\\).*Failed! there is not enough memory for the "
        "image \\(status 3\\)");
}
#endif

}  // namespace
}  // namespace tarvex::testing
