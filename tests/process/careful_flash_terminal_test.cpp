// The built binary on a terminal: the confirmation question. Pseudo-terminals are POSIX's.
#include "process_fixture.h"

namespace tarvex::testing {
namespace {

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

using CarefulFlash = CliBinaryTest;

TEST_F(CarefulFlash, OnATerminalTheFlashAsksFirstAndYesSkipsTheQuestion) {
    const std::string flash = "flash '" TARVEX_SAMPLES_DIR "/sample-1C5D-0A12.rom' -a 0";
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

}  // namespace
}  // namespace tarvex::testing
