#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "cli_process.h"

namespace tarvex::testing {

namespace {

// Appends what can be read now; false once the pipe is closed.
bool Drain(int fd, std::string& into) {
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && errno == EAGAIN;
    }
}

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

[[noreturn]] void ExecChild(const CliLaunch& launch, int out, int err) {
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    const int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, STDIN_FILENO);
    for (const char* name : {"TARVEX_SIM_RIG", "TARVEX_SIM_TRACE", "TARVEX_SIM_ROM_DIR"})
        ::unsetenv(name);
    for (const std::string& entry : launch.env) ::putenv(const_cast<char*>(entry.c_str()));
    if (!launch.traceFifo.empty()) ::setenv("TARVEX_SIM_TRACE", launch.traceFifo.c_str(), 1);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    if (launch.fileSizeLimit != NoFileSizeLimit) {
        const rlim_t limit = static_cast<rlim_t>(launch.fileSizeLimit);
        const rlimit size{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
    }
    std::vector<char*> argv{const_cast<char*>(TARVEX_CLI_BINARY)};
    for (const std::string& arg : launch.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

}  // namespace

CliProcess::CliProcess(const CliLaunch& launch) {
    if (!launch.traceFifo.empty()) {
        // Opened before the child, so that its open for writing finds a reader at once.
        ::mkfifo(launch.traceFifo.c_str(), 0600);
        m_traceFd = ::open(launch.traceFifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        EXPECT_GE(m_traceFd, 0) << launch.traceFifo;
        ::fcntl(m_traceFd, F_SETPIPE_SZ, TracePipeSize);
    }
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "no pipes";
        return;
    }
    m_pid = ::fork();
    if (m_pid == 0) ExecChild(launch, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    m_outFd = out[0];
    m_errFd = err[0];
    ::fcntl(m_outFd, F_SETFL, O_NONBLOCK);
    ::fcntl(m_errFd, F_SETFL, O_NONBLOCK);
    EXPECT_GT(m_pid, 0);
}

CliProcess::~CliProcess() {
    if (m_pid > 0) Kill();
    CloseFd(m_outFd);
    CloseFd(m_errFd);
    CloseFd(m_traceFd);
}

// Output first, then at most one piece of trace: text the child wrote before a trace record is
// seen before that record is read, so the child is never let far past the point.
bool CliProcess::Pump(const std::function<bool()>& reached) {
    const auto deadline = std::chrono::steady_clock::now() + WaitLimit;
    while (!reached()) {
        if (m_outFd < 0 && m_errFd < 0) return false;
        pollfd fds[3] = {{m_errFd, POLLIN, 0}, {m_outFd, POLLIN, 0}, {m_traceFd, POLLIN, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || ::poll(fds, 3, static_cast<int>(left.count())) == 0) {
            ADD_FAILURE() << "the child neither ended nor got there in time; stderr:\n" << m_err;
            return false;
        }
        if (m_errFd >= 0 && !Drain(m_errFd, m_err)) CloseFd(m_errFd);
        if (m_outFd >= 0 && !Drain(m_outFd, m_out)) CloseFd(m_outFd);
        if (reached()) return true;
        if (m_traceFd >= 0 && (fds[2].revents & (POLLIN | POLLHUP)) != 0) ReadTrace();
    }
    return true;
}

void CliProcess::ReadTrace() {
    char buffer[TracePipeSize];
    const ssize_t n = ::read(m_traceFd, buffer, sizeof buffer);
    if (n == 0) {
        CloseFd(m_traceFd);  // the child closed it: it has ended
        return;
    }
    if (n < 0) return;
    m_traceTail.append(buffer, static_cast<size_t>(n));
}

void CliProcess::Kill() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    Reap();
}

void CliProcess::Interrupt() {
    if (m_pid > 0) ::kill(m_pid, SIGINT);
}

int CliProcess::Finish() {
    if (m_pid > 0) {
        // Nothing to wait for: the trace is read as it comes, the child runs to its end.
        Pump([] { return false; });
        Reap();
    }
    if (WIFSIGNALED(m_status)) return 128 + WTERMSIG(m_status);
    return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

void CliProcess::Reap() {
    while (::waitpid(m_pid, &m_status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    if (m_errFd >= 0) {
        ::fcntl(m_errFd, F_SETFL, 0);
        Drain(m_errFd, m_err);
    }
    if (m_outFd >= 0) {
        ::fcntl(m_outFd, F_SETFL, 0);
        Drain(m_outFd, m_out);
    }
}

}  // namespace tarvex::testing
