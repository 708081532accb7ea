// The window program asked for help or its version, or started where no display is.
#include <gtest/gtest.h>

#include "support/child_process.h"

namespace tarvex::testing {
namespace {

ProgramResult RunWithoutDisplay(const std::vector<std::string>& arguments) {
    return RunToEnd({TARVEX_UI_BINARY,
                     arguments,
                     {{"DISPLAY", std::nullopt},
                      {"WAYLAND_DISPLAY", std::nullopt},
                      {"QT_QPA_PLATFORM", std::nullopt}}});
}

TEST(WindowProgram, AnswersHelpAndVersionAndSaysWhenThereIsNoDisplay) {
    EXPECT_EQ(RunWithoutDisplay({"--version"}).out, "tarvex-flash " TARVEX_VERSION "\n");
    const ProgramResult help = RunWithoutDisplay({"--help"});
    EXPECT_EQ(help.exit, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: tarvex-flash")) << help.out;
    const ProgramResult bare = RunWithoutDisplay({});
    EXPECT_EQ(bare.exit, 69);
    EXPECT_TRUE(bare.err.starts_with("tarvex-flash: no display found")) << bare.err;
}

}  // namespace
}  // namespace tarvex::testing
