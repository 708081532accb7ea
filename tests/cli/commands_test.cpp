#include <nlohmann/json.hpp>

#include "cli/exit_codes.h"
#include "cli/flash_command.h"
#include "cli/identify_command.h"
#include "cli/info_command.h"
#include "cli/list_command.h"
#include "cli/verify_command.h"
#include "cli_fixture.h"
#include "flash/event_channel.h"
#include "support/driver_stand_in.h"
#include "support/rom_images.h"
#include "support/sim_session.h"

namespace tarvex::testing {
namespace {

using Commands = CliTest;

ProgramResult List(bool json = false) {
    return RunCaptured(
        [json](std::ostream& out, std::ostream& err) { return cli::RunList(json, out, err); });
}

// Shows the same events on a terminal and on a pipe.
std::string ShowEvents(bool terminal) {
    std::ostringstream stream;
    cli::BeginConsoleProgress(stream, terminal);
    cli::ConsoleProgressSink(EventText, 0, "No supporting host adapter is found.\n\r");
    cli::ConsoleProgressSink(EventText, 0, "\n");
    cli::ConsoleProgressSink(EventFlashing, 0, "Flashing....\n");
    for (int32_t percent = 0; percent <= 100; ++percent)
        for (int repeat = 0; repeat < 2; ++repeat)
            cli::ConsoleProgressSink(EventFlashProgress, percent, "");
    for (int32_t percent : {3, 9, 55}) cli::ConsoleProgressSink(EventVerifyProgress, percent, "");
    cli::ConsoleProgressSink(EventText, 0, "\nAbort ...\n");
    cli::EndConsoleProgress();
    return stream.str();
}

TEST_F(Commands, ProgressRedrawsOneLineOnATerminalAndStepsByTenthsOnAPipe) {
    std::string flashing, redrawn;
    for (int percent = 0; percent <= 100; ++percent) {
        if (percent % 10 == 0) flashing += "Flashing " + std::to_string(percent) + "%\n";
        const std::string pad = percent < 10 ? "   " : percent < 100 ? "  " : " ";
        redrawn += "\rFlashing" + pad + std::to_string(percent) + "%";
    }
    const std::string head = "No supporting host adapter is found.\nFlashing....\n";
    EXPECT_EQ(ShowEvents(false), head + flashing + "Verifying 3%\nVerifying 55%\nAbort ...\n");
    EXPECT_EQ(ShowEvents(true),
              head + redrawn + "\n\rVerifying   3%\rVerifying   9%\rVerifying  55%\nAbort ...\n");
}

TEST_F(Commands, VerifyComparesTheRomWithTheImageAsFlashedWithoutWriting) {
    SimSession session(OneAdapterRig(0x0A12), false);
    std::vector<uint8_t> image = SampleRom(0x1C5D, 0x0A12);
    const std::string flashed = WriteFile(m_dir.Path("flashed.rom"), image);
    std::ostringstream ignored;
    ASSERT_EQ(cli::RunFlash(FlashOf(flashed), {}, ignored, ignored), 0);
    auto verify = [](const std::string& path) {
        return RunCaptured([&](std::ostream& out, std::ostream& err) {
            return cli::RunVerify(0, path, out, err);
        });
    };
    session.Sim().CaptureTrace(true);
    EXPECT_EQ(verify(flashed).out, "ROM matches the image: 65536 bytes compared.\n");
    // Nothing but the identification's command cycles is written.
    for (const sim::TraceRecord& r : session.Requests())
        EXPECT_TRUE(!r.isEprom || r.epromDir == 0 || r.epromOffset == 0x5555 ||
                    r.epromOffset == 0x2AAA)
            << r.epromOffset;

    // Once its checksum is fixed, the changed image also differs in its last declared byte.
    image[0x200] = 0x42;
    const ProgramResult changed = verify(WriteFile(m_dir.Path("changed.rom"), image));
    EXPECT_EQ(changed.exit, StatusVerifyFailed);
    EXPECT_EQ(changed.out,
              "First difference at 0x200: ROM 0xFF, image 0x42.\n2 of 65536 bytes differ.\n");
    const ProgramResult invalid = verify(WriteFile(m_dir.Path("bad.rom"), {0xAA, 0x55, 1, 0}));
    EXPECT_EQ(invalid.exit, cli::ExitBadImage);
    EXPECT_EQ(invalid.err, "Invalid BIOS image\n");
}

TEST_F(Commands, InfoDescribesAnImageOrSaysWhyItCannot) {
    auto info = [this](const std::string& name, bool json) {
        return RunCaptured([&](std::ostream& out, std::ostream& err) {
            return cli::RunInfo(m_dir.Path(name), json, out, err);
        });
    };
    WriteFile(m_dir.Path("a.rom"), SampleRom(0x1C5D, 0x0C32, 4096));
    const ProgramResult text = info("a.rom", false);
    EXPECT_EQ(text.exit, cli::ExitOk);
    for (const char* line : {"  Length byte:         0x08 (4096 bytes declared)\n",
                             "  Class code:          01 04 00 (mass storage, RAID)\n",
                             "  Checksum:            declared range sums to 0x00 (valid)\n",
                             "Identity for flashing: 0C321C5D (1C5D:0C32)\n",
                             "  [0] switch \"INT 13 support\" = 1 (Enable) at 0x116\n",
                             "  [4] word   \"Private stack size\" 1..30 = 4 at 0x19A\n",
                             "Flash:  accepted\nConfig: accepted\n"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line;
    const nlohmann::json document = nlohmann::json::parse(info("a.rom", true).out);
    EXPECT_EQ(document["images"][0]["pci"]["vendor"], "1C5D");
    EXPECT_EQ(document["config_entries"][5]["max"], 600);

    WriteFile(m_dir.Path("short.rom"), {0x55, 0xAA});
    const ProgramResult tooShort = info("short.rom", true);
    EXPECT_EQ(tooShort.exit, cli::ExitBadImage);
    EXPECT_EQ(tooShort.err, m_dir.Path("short.rom") +
                                " is not a BIOS image: the file is shorter than 4 bytes.\n");
    EXPECT_FALSE(nlohmann::json::parse(tooShort.out)["bios_image"].get<bool>());

    // Config refuses what a flash takes: both verdicts are told, and no entries listed.
    std::vector<uint8_t> bytes = SampleRom(0x1C5D, 0x0C32, 4096);
    bytes[0x18] = 0xFC, bytes[0x19] = 0x0F;  // 0xFFC + 4 reaches the end of the file
    WriteFile(m_dir.Path("split.rom"), bytes);
    const ProgramResult split = info("split.rom", false);
    EXPECT_EQ(split.exit, cli::ExitOk);
    EXPECT_NE(split.out.find("Flash:  accepted\nConfig: refused, the PCI data structure's offset "
                             "plus 4 reaches the end of the file\n"),
              std::string::npos)
        << split.out;
    EXPECT_EQ(split.out.find("INT 13 support"), std::string::npos);
    const nlohmann::json verdicts = nlohmann::json::parse(info("split.rom", true).out);
    EXPECT_TRUE(verdicts["flash"]["accepted"].get<bool>());
    EXPECT_FALSE(verdicts["config"]["accepted"].get<bool>());
    EXPECT_TRUE(verdicts["config_entries"].empty());

    EXPECT_EQ(info("missing.rom", false).exit, cli::ExitFileError);
    EXPECT_EQ(info("", false).err, "Cannot read " + m_dir.Path("") + ": not a regular file\n");
}

TEST_F(Commands, ListNamesWhoAnswersThenGivesEachAdapterTheWindowsChipLine) {
    sim::Rig rig = MakeRig({MakeAdapter(0x1C5D, 0x0A12, "SST 39SF010A", 7, "First"),
                            MakeAdapter(0x1C5D, 0x0B22, "none", 7, "Second")});
    rig.source = "/rigs/bench.json";
    SimSession session(rig, false);
    const std::string out = List().out;
    EXPECT_TRUE(
        out.starts_with("Simulated adapters, not real hardware (rig: /rigs/bench.json)\n"
                        "Driver interface version: "))
        << out;
    EXPECT_NE(out.find("[0] First"), std::string::npos) << out;
    EXPECT_NE(out.find("PCI 1C5D:0A12, ROM 64 KiB, Flash Model: SST 39SF010A (0xB5BF)\n[1] Second"),
              std::string::npos)
        << out;
    EXPECT_TRUE(out.ends_with(", Flash Model: not identified\n")) << out;
    EXPECT_EQ(nlohmann::json::parse(List(true).out)["simulator"]["rig"], "/rigs/bench.json");
    const ProgramResult identify = RunCaptured(
        [](std::ostream& out, std::ostream& err) { return cli::RunIdentify(0, out, err); });
    EXPECT_TRUE(identify.out.starts_with("Row 18: SST 39SF010A, id 0xB5BF (scan: "))
        << identify.out;

    // The same adapters answered through a driver: real hardware.
    platform::InstallDeviceProvider(std::make_shared<DriverStandIn>(session.Sim()));
    EXPECT_TRUE(
        List().out.starts_with("Adapters of the storage driver (real hardware)\n"
                               "Driver interface version: "))
        << List().out;
    EXPECT_TRUE(nlohmann::json::parse(List(true).out)["simulator"].is_null());

    // Devices that refuse to open: only access denied asks for administrator rights.
    for (uint32_t error : {platform::ErrorAccessDenied, platform::ErrorFileNotFound}) {
        platform::InstallDeviceProvider(std::make_shared<DriverStandIn>(session.Sim(), error));
        ResetDriverLink();
        const ProgramResult result = List();
        EXPECT_EQ(result.exit, cli::ExitUnavailable);
        const std::string hint =
            "Administrator rights are needed to open the adapters' devices: run "
            "tarvex-flash-cli from a command prompt started with";
        EXPECT_EQ(result.err.starts_with("No Controller is detected.\n" + hint),
                  error == platform::ErrorAccessDenied)
            << result.err;
        EXPECT_TRUE(result.err.starts_with("No Controller is detected.\n")) << result.err;
    }
}

}  // namespace
}  // namespace tarvex::testing
