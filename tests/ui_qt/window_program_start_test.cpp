// The window program asked for help or its version, or started where no display is.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct ProgramRun {
    int exit = -1;
    std::string output;  // standard output and standard error together
};

ProgramRun RunWithoutDisplay(const std::string& arguments) {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                std::string(TARVEX_UI_BINARY) + "' " + arguments + " 2>&1";
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 512> buffer{};
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(WindowProgram, AnswersHelpAndVersionAndSaysWhenThereIsNoDisplay) {
    EXPECT_EQ(RunWithoutDisplay("--version").output, "tarvex-flash " TARVEX_VERSION "\n");
    const ProgramRun help = RunWithoutDisplay("--help");
    EXPECT_EQ(help.exit, 0);
    EXPECT_TRUE(help.output.starts_with("Usage: tarvex-flash")) << help.output;
    const ProgramRun bare = RunWithoutDisplay("");
    EXPECT_EQ(bare.exit, 69);
    EXPECT_TRUE(bare.output.starts_with("tarvex-flash: no display found")) << bare.output;
}

}  // namespace
