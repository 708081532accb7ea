// The built binary on a terminal: the confirmation question. Pseudo-terminals are POSIX's.
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "binary_fixture.h"

namespace tarvex::testing {
namespace {

const std::string Sample = TARVEX_SAMPLES_DIR "/sample-1C5D-0A12.rom";

using CarefulFlash = CliBinaryTest;

// The binary on a pseudo-terminal: reads what it writes until `wait_for` appears, then types.
struct TerminalRun {
    int exit = -1;
    std::string screen;
};

TerminalRun RunOnTerminal(const std::string& arguments, const std::string& waitFor,
                          const std::string& typed) {
    int master = -1;
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    if (child < 0) {
        ADD_FAILURE() << "no pseudo-terminal can be had here: " << std::strerror(errno);
        return {};
    }
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", ("exec '" TARVEX_CLI_BINARY "' " + arguments).c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    TerminalRun run;
    char buffer[4096];
    bool answered = false;
    for (;;) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) break;  // the child has closed the terminal
        run.screen.append(buffer, static_cast<size_t>(n));
        if (!answered && run.screen.find(waitFor) != std::string::npos) {
            answered = true;
            const ssize_t written = ::write(master, typed.data(), typed.size());
            EXPECT_EQ(written, static_cast<ssize_t>(typed.size()));
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(master);
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST_F(CarefulFlash, OnATerminalTheFlashAsksFirstAndYesSkipsTheQuestion) {
    const std::string question = "Erase and reprogram this adapter's BIOS? [y/N] ";
    const TerminalRun declined = RunOnTerminal("flash '" + Sample + "' -a 0", question, "n\n");
    EXPECT_EQ(declined.exit, 77) << declined.screen;
    EXPECT_TRUE(Has(declined.screen, "Nothing was changed.")) << declined.screen;
    EXPECT_FALSE(Has(declined.screen, "Erasing")) << declined.screen;

    const TerminalRun accepted = RunOnTerminal("flash '" + Sample + "' -a 0", question, "y\n");
    EXPECT_EQ(accepted.exit, 0) << accepted.screen;
    EXPECT_TRUE(Has(accepted.screen, "Successful!")) << accepted.screen;

    const TerminalRun unasked =
        RunOnTerminal("flash '" + Sample + "' -a 0 --always --yes", question, "");
    EXPECT_EQ(unasked.exit, 0) << unasked.screen;
    EXPECT_FALSE(Has(unasked.screen, question)) << unasked.screen;
}

}  // namespace
}  // namespace tarvex::testing
