// Malformed rigs and hostile images, through the tool as a user runs it: a message and the
// documented status, never a crash (the sanitizer build also catches any read outside a file).
#include <string_view>

#include "process_fixture.h"
#include "samples/sample_image.h"

namespace tarvex::testing {
namespace {

using BadInput = ProcessTest;

constexpr int ExitBadRig = 78;

// "tarvex simulator: <file>: <key>: <problem>", one line.
::testing::AssertionResult NamesFileKeyAndProblem(const std::string& err, const std::string& file) {
    const std::string head = "tarvex simulator: " + file + ": ";
    if (!err.starts_with(head) || !err.ends_with("\n") || err.find('\n') + 1 != err.size())
        return ::testing::AssertionFailure() << err;
    const std::string_view rest = std::string_view(err).substr(head.size());
    const size_t colon = rest.find(": ");
    if (colon == 0 || colon == std::string_view::npos || colon + 3 >= rest.size())
        return ::testing::AssertionFailure() << "no key and problem in: " << err;
    return ::testing::AssertionSuccess();
}

TEST_F(BadInput, EveryUnusableRigIsNamedByFileKeyAndProblemAndEndsWithStatus78) {
    const char* texts[] = {
        "",
        "{\"adapters\": [",
        "[1, 2]",
        "{\"adapters\": {\"pci\": \"1C5D:0A12\"}}",
        "{\"adapters\": [{\"faults\": {\"program_hangs_at\": -1}}]}",
        "{\"adapters\": [{\"faults\": {\"transient\": {\"eprom_access\": 1e99}}}]}",
        "{\"driver\": {\"adapter_count\": \"0x100000000\"}}",
        "{\"host\": {\"version\": \"5\"}}",
        "{\"ports\": [{\"adapters\": [\"x\"]}]}",
        "{\"adapters\": [{\"chip\": \"SST 39SF010A\", \"rom\": \"no/such/folder/a.rom\"}]}",
        "{\"adapters\": [{\"chip\": \"SST 39SF010A\", \"rom\": \".\"}]}",
    };
    std::vector<std::string> rigs;
    for (size_t i = 0; i < std::size(texts); ++i) {
        rigs.push_back(Path("rig" + std::to_string(i) + ".json"));
        std::ofstream(rigs.back(), std::ios::binary) << texts[i];
    }
    std::filesystem::create_directory(Path("folder.json"));
    std::ofstream(Path("huge.json")) << std::string(2 << 20, ' ') << "{}";
    for (const char* name : {"folder.json", "missing.json", "huge.json"})
        rigs.push_back(Path(name));
    rigs.push_back("/dev/zero");
    for (const std::string& rig : rigs) {
        SCOPED_TRACE(rig);
        ChildLaunch launch = Launch({"list"});
        launch.env[0].second = rig;
        const ProgramResult result = RunToEnd(launch);
        EXPECT_EQ(result.exit, ExitBadRig);
        EXPECT_TRUE(NamesFileKeyAndProblem(result.err, rig));
    }
}

// Images a user might hand over by mistake or on purpose, with the status each command gives.
TEST_F(BadInput, HostileImagesGetAMessageAndTheDocumentedStatusFromEachCommand) {
    WriteRig("1C5D:0A12", "SST 39SF010A");
    const std::vector<uint8_t> good = MakeSampleImage({0x1C5D, 0x0A12, 4096, ClassCodeRaid, "x"});
    std::vector<uint8_t> reversed = good, farPci = good, overlong = good, chain;
    std::swap(reversed[0], reversed[1]);
    farPci[0x18] = 0xFF;  // the PCI data structure at 0xFFFF, beyond any buffer
    farPci[0x19] = 0xFF;
    overlong[2] = 0xFF;  // declares 130560 bytes in a 4 KiB file
    // Images that each claim the next one is 512 bytes on and never the last: info stops at 32.
    for (int i = 0; i < 64; ++i) {
        std::vector<uint8_t> piece(good.begin(), good.begin() + 512);
        piece[0x40 + 0x10] = 1;
        piece[0x40 + 0x11] = 0;
        piece[0x40 + 0x15] = 0;
        chain.insert(chain.end(), piece.begin(), piece.end());
    }
    WriteFile(Path("empty.rom"), {});
    WriteFile(Path("three.rom"), {0x55, 0xAA, 0x01});
    WriteFile(Path("reversed.rom"), reversed);
    WriteFile(Path("far-pci.rom"), farPci);
    WriteFile(Path("overlong.rom"), overlong);
    WriteFile(Path("chain.rom"), chain);
    WriteFile(Path("huge.rom"), {0x55, 0xAA, 0x40, 0xCB});
    std::filesystem::resize_file(Path("huge.rom"), uintmax_t{5} << 30);  // a hole
    std::filesystem::create_directory(Path("folder.rom"));

    // flash: its status code, 74 for a file it cannot open; verify: 0, 13, 65 unusable image, 74
    // file; info and config: 65 and 74 likewise, 0 when the image is described or listed.
    const struct {
        const char* file;
        int flash, verify, info, config;
        const char* message;  // in the flash's output
    } cases[] = {
        {"empty.rom", 2, 65, 65, 65, "Invalid BIOS image"},
        {"three.rom", 2, 65, 65, 65, "Invalid BIOS image"},
        {"reversed.rom", 2, 65, 65, 65, "Invalid BIOS image"},
        {"far-pci.rom", 2, 65, 65, 65, "Invalid BIOS image"},
        {"huge.rom", 3, 65, 65, 65, "BIOS file is too large (out of memory)"},
        {"folder.rom", 74, 74, 74, 74, "Failed to open file"},
        {"overlong.rom", 2, 65, 65, 0, "Invalid BIOS image"},  // truncated: Config still edits it
        {"chain.rom", 0, 0, 0, 0, "Passed !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string image = Path(c.file);
        const ProgramResult flash = RunToEnd(Launch({"flash", image}));
        EXPECT_EQ(flash.exit, c.flash);
        EXPECT_NE(flash.err.find(c.message), std::string::npos) << flash.err;
        for (const auto& [command, status] : {std::pair<const char*, int>{"verify", c.verify},
                                              {"info", c.info},
                                              {"config", c.config}}) {
            const ProgramResult result = RunToEnd(Launch({command, image}));
            EXPECT_EQ(result.exit, status) << command;
            EXPECT_EQ(status != 0, !result.err.empty()) << command << ": " << result.err;
        }
    }
}

}  // namespace
}  // namespace tarvex::testing
