// The built binary on a terminal and under interrupts: the confirmation question, and signals
// that cannot half-write a ROM by accident. Pseudo-terminals and signals are POSIX's; the
// Windows console's control events go through the same guard but are not driven here.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
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

// Starts a flash whose simulator trace goes into a FIFO, so the test sets its pace: the child
// stalls whenever the test stops reading the trace.
class PacedFlash {
public:
    PacedFlash(const std::string& fifo, const std::string& image) {
        ::mkfifo(fifo.c_str(), 0600);
        int errPipe[2];
        EXPECT_EQ(::pipe(errPipe), 0);
        m_child = ::fork();
        if (m_child == 0) {
            ::setenv("TARVEX_SIM_TRACE", fifo.c_str(), 1);
            ::dup2(errPipe[1], 2);
            ::close(errPipe[0]);
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, 0);
            ::dup2(null, 1);
            execl(TARVEX_CLI_BINARY, TARVEX_CLI_BINARY, "flash", image.c_str(), "-a", "0",
                  "--always", static_cast<char*>(nullptr));
            _exit(127);
        }
        ::close(errPipe[1]);
        m_err = errPipe[0];
        m_trace = ::open(fifo.c_str(), O_RDONLY);
    }
    ~PacedFlash() {
        if (m_trace >= 0) ::close(m_trace);
        ::close(m_err);
    }
    // Lets the child run (reading its trace) until its standard error shows the text.
    bool RunUntil(const std::string& text, bool feedTrace) {
        while (m_said.find(text) == std::string::npos) {
            pollfd fds[2] = {{m_err, POLLIN, 0}, {feedTrace ? m_trace : -1, POLLIN, 0}};
            if (::poll(fds, 2, 20000) <= 0) return false;  // stalled for 20 s: a failure
            char buffer[65536];
            if (fds[0].revents != 0) {
                const ssize_t n = ::read(m_err, buffer, sizeof buffer);
                if (n <= 0) return false;
                m_said.append(buffer, static_cast<size_t>(n));
            }
            if (fds[1].revents != 0 && ::read(m_trace, buffer, sizeof buffer) <= 0) {
                ::close(m_trace);
                m_trace = -1;
                feedTrace = false;
            }
        }
        return true;
    }
    // Reads everything to the end and returns the exit status.
    int Finish() {
        RunUntil(std::string(1, '\0'), true);  // never said: runs to the end of both
        int status = 0;
        ::waitpid(m_child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Interrupt() { ::kill(m_child, SIGINT); }
    const std::string& Said() const { return m_said; }

private:
    pid_t m_child = -1;
    int m_err = -1;
    int m_trace = -1;
    std::string m_said;
};

TEST_F(CarefulFlash, OneInterruptIsWarnedAboutAndASecondStopsWithThePartlyWrittenRom) {
    const std::string warning = "Interrupting now would leave the adapter's ROM partly written";
    {
        PacedFlash flash(m_dir.Path("trace1"), Sample);
        ASSERT_TRUE(flash.RunUntil("Flashing....", true)) << flash.Said();
        flash.Interrupt();
        ASSERT_TRUE(flash.RunUntil(warning, false)) << flash.Said();
        EXPECT_EQ(flash.Finish(), 0) << flash.Said();
        EXPECT_TRUE(flash.Said().ends_with("Passed !\nSuccessful!\n")) << flash.Said();
    }
    PacedFlash flash(m_dir.Path("trace2"), Sample);
    ASSERT_TRUE(flash.RunUntil("Flashing....", true)) << flash.Said();
    flash.Interrupt();
    ASSERT_TRUE(flash.RunUntil(warning, false)) << flash.Said();
    flash.Interrupt();
    EXPECT_EQ(flash.Finish(), 130) << flash.Said();
    EXPECT_TRUE(Has(flash.Said(), "Stopped: the adapter's ROM is partly written")) << flash.Said();
    EXPECT_FALSE(Has(flash.Said(), "Successful!")) << flash.Said();
}

}  // namespace
}  // namespace tarvex::testing
