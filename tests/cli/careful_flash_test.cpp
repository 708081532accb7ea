// The built binary as an administrator meets it: a named target, a question on a terminal, a
// backup first, nothing done twice, interrupts that cannot half-write a ROM by accident.
#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <poll.h>

#include <fstream>

#include "binary_fixture.h"

namespace tarvex::testing {
namespace {

const std::string Sample = TARVEX_SAMPLES_DIR "/sample-1C5D-0A12.rom";

using CarefulFlash = CliBinaryTest;

TEST_F(CarefulFlash, SeveralAdaptersNeedAChoiceAndTheTargetIsNamed) {
    const CliResult unnamed = Run("flash '" + Sample + "'");
    EXPECT_EQ(unnamed.exit, 64);
    EXPECT_TRUE(Has(unnamed.err, "  [0] A")) << unnamed.err;
    EXPECT_TRUE(Has(unnamed.err, "  [1] B")) << unnamed.err;
    EXPECT_EQ(Run("backup '" + m_dir.Path("b.bin") + "'").exit, 64);

    const CliResult flashed = Run("flash '" + Sample + "' -a 0");
    EXPECT_EQ(flashed.exit, 0) << flashed.err;
    EXPECT_TRUE(flashed.err.starts_with("Adapter 0: A, PCI 1C5D:0A12, flash chip SST 39SF010A; "
                                        "image " + Sample + ", made for 1C5D:0A12.\n"))
        << flashed.err;
    // The same image again: nothing to do, nothing erased; --always flashes all the same.
    const CliResult again = Run("flash '" + Sample + "' -a 0");
    EXPECT_EQ(again.exit, 0);
    EXPECT_EQ(again.out,
              "The ROM already holds this image; nothing was erased (--always flashes it "
              "anyway).\n");
    EXPECT_FALSE(Has(again.err, "Erasing")) << again.err;
    const CliResult always = Run("flash '" + Sample + "' -a 0 --always");
    EXPECT_TRUE(Has(always.err, "Erasing....\n")) << always.err;
    EXPECT_TRUE(always.err.ends_with("Passed !\nSuccessful!\n")) << always.err;
}

TEST_F(CarefulFlash, BackupComesFirstAndHoldsTheRomAsItWas) {
    ASSERT_EQ(Run("flash '" + Sample + "' -a 0").exit, 0);
    std::vector<uint8_t> other = ReadFile(Sample);
    other[0x60] ^= 0xFF;  // another banner: a different image for the same adapter
    const std::string otherPath = WriteFile(m_dir.Path("other.rom"), other);
    const std::string backup = m_dir.Path("before.bin");
    const CliResult result = Run("flash '" + otherPath + "' -a 0 --backup '" + backup + "'");
    EXPECT_EQ(result.exit, 0) << result.err;
    EXPECT_LT(result.err.find("Backup of the whole ROM (65536 bytes) saved in"),
              result.err.find("Erasing"));
    const std::vector<uint8_t> saved = ReadFile(backup), sample = ReadFile(Sample);
    ASSERT_EQ(saved.size(), 65536u);
    EXPECT_TRUE(std::equal(sample.begin(), sample.end(), saved.begin()));

    // A backup that cannot be written stops the flash before anything is erased.
    const CliResult refused =
        Run("flash '" + Sample + "' -a 0 --backup '" + m_dir.Path("no/such/dir.bin") + "'");
    EXPECT_EQ(refused.exit, 74);
    EXPECT_TRUE(Has(refused.err, "nothing was erased")) << refused.err;
    EXPECT_FALSE(Has(refused.err, "Erasing")) << refused.err;
}

TEST_F(CarefulFlash, TruncatedImagesAndMistypedCommandsAreRefusedPlainly) {
    std::vector<uint8_t> head = ReadFile(Sample);
    head.resize(1000);
    const std::string truncated = WriteFile(m_dir.Path("trunc.rom"), head);
    const CliResult flash = Run("flash '" + truncated + "' -a 0");
    EXPECT_EQ(flash.exit, 2);
    EXPECT_TRUE(Has(flash.err, "Invalid BIOS image\n")) << flash.err;
    EXPECT_TRUE(Has(flash.err, "The adapter's ROM is untouched")) << flash.err;
    const CliResult info = Run("info '" + truncated + "'");
    EXPECT_EQ(info.exit, 65);
    EXPECT_TRUE(Has(info.err, "the file is truncated")) << info.err;

    const CliResult missing = Run("flash '" + m_dir.Path("none.rom") + "' -a 0");
    EXPECT_EQ(missing.exit, 74);
    EXPECT_TRUE(Has(missing.err, "Reason: No such file or directory.")) << missing.err;

    const CliResult typo = Run("lst");
    EXPECT_EQ(typo.exit, 64);
    EXPECT_TRUE(Has(typo.err, "Unknown command \"lst\". Did you mean \"list\"?")) << typo.err;
    EXPECT_EQ(Run("--version").out, "tarvex-flash-cli " TARVEX_VERSION "\n");
    EXPECT_TRUE(Has(Run("--help").out, "  77  flash: the confirmation was declined\n"));
}

// The binary on a pseudo-terminal: reads what it writes until `wait_for` appears, then types.
struct TerminalRun {
    int exit = -1;
    std::string screen;
};

TerminalRun RunOnTerminal(const std::string& arguments, const std::string& waitFor,
                          const std::string& typed) {
    int master = -1;
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
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
