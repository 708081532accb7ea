// The built binary as an administrator meets it: a named target, a question on a terminal, a
// plain refusal of what cannot be flashed, nothing done twice.
#include "process_fixture.h"

namespace tarvex::testing {
namespace {

const std::string Sample = TARVEX_SAMPLES_DIR "/sample-1C5D-0A12.rom";

using CarefulFlash = CliBinaryTest;

TEST_F(CarefulFlash, SeveralAdaptersNeedAChoiceAndTheTargetIsNamed) {
    const ProgramResult unnamed = Run("flash '" + Sample + "'");
    EXPECT_EQ(unnamed.exit, 64);
    EXPECT_TRUE(Has(unnamed.err, "  [0] A")) << unnamed.err;
    EXPECT_TRUE(Has(unnamed.err, "  [1] B")) << unnamed.err;
    EXPECT_EQ(Run("backup '" + m_dir.Path("b.bin") + "'").exit, 64);

    const ProgramResult flashed = Run("flash '" + Sample + "' -a 0");
    EXPECT_EQ(flashed.exit, 0) << flashed.err;
    EXPECT_TRUE(Has(flashed.err,
                    "Vender ID in BIOS image is 0A121C5D\nAdapter 0: A, PCI 1C5D:0A12, "
                    "flash chip SST 39SF010A; image " +
                        Sample + ", made for 1C5D:0A12.\n"))
        << flashed.err;
    // The same image again: nothing to do, nothing erased; --always flashes all the same.
    const ProgramResult again = Run("flash '" + Sample + "' -a 0");
    EXPECT_EQ(again.exit, 0);
    EXPECT_EQ(again.out,
              "The ROM already holds this image; nothing was erased (--always flashes it "
              "anyway).\n");
    EXPECT_FALSE(Has(again.err, "Erasing")) << again.err;
    const ProgramResult always = Run("flash '" + Sample + "' -a 0 --always");
    EXPECT_TRUE(Has(always.err, "Erasing....\n")) << always.err;
    EXPECT_TRUE(always.err.ends_with("Passed !\nSuccessful!\n")) << always.err;
}

TEST_F(CarefulFlash, TruncatedImagesAndMistypedCommandsAreRefusedPlainly) {
    std::vector<uint8_t> head = ReadFile(Sample);
    head.resize(1000);
    const std::string truncated = WriteFile(m_dir.Path("trunc.rom"), head);
    const struct {
        std::string arguments;
        int exit;
        const char* text;  // on standard error, or on standard output when the exit is 0
    } cases[] = {
        {"info '" + truncated + "'", 65, "the file is truncated"},
        {"flash '" + m_dir.Path("none.rom") + "' -a 0", 74, "Reason: No such file or directory."},
        {"lst", 64, "Unknown command \"lst\". Did you mean \"list\"?"},
        {"--help", 0, "  77  flash: the confirmation was declined\n"},
    };
    for (const auto& c : cases) {
        const ProgramResult result = Run(c.arguments);
        EXPECT_EQ(result.exit, c.exit) << c.arguments;
        EXPECT_TRUE(Has(c.exit ? result.err : result.out, c.text)) << result.out << result.err;
    }
    EXPECT_EQ(Run("--version").out, "tarvex-flash-cli " TARVEX_VERSION "\n");
}

#ifndef _WIN32  // pseudo-terminals are POSIX's
const std::string Question = "Erase and reprogram this adapter's BIOS? [y/N] ";

// The flash on a pseudo-terminal, answered with the text once it asks (unless none is given).
ProgramResult FlashOnTerminal(ChildLaunch launch, const std::string& typed) {
    launch.terminal = true;
    ChildProcess flash(launch);
    if (!typed.empty()) {
        EXPECT_TRUE(flash.RunUntil(Question)) << flash.Out();
        flash.Type(typed);
    }
    const int exit = flash.Finish();
    return {exit, flash.Out(), ""};
}

TEST_F(CarefulFlash, OnATerminalTheFlashAsksFirstAndYesSkipsTheQuestion) {
    const std::string flash = "flash '" + Sample + "' -a 0";
    const ProgramResult declined = FlashOnTerminal(Command(flash), "n\n");
    EXPECT_EQ(declined.exit, 77) << declined.out;
    EXPECT_TRUE(Has(declined.out, "Nothing was changed.")) << declined.out;
    EXPECT_FALSE(Has(declined.out, "Erasing")) << declined.out;

    const ProgramResult accepted = FlashOnTerminal(Command(flash), "y\n");
    EXPECT_EQ(accepted.exit, 0) << accepted.out;
    EXPECT_TRUE(Has(accepted.out, "Successful!")) << accepted.out;

    const ProgramResult unasked = FlashOnTerminal(Command(flash + " --always --yes"), "");
    EXPECT_EQ(unasked.exit, 0) << unasked.out;
    EXPECT_FALSE(Has(unasked.out, Question)) << unasked.out;
}
#endif

}  // namespace
}  // namespace tarvex::testing
