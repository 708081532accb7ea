#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "support/child_process.h"

namespace tarvex::testing {

namespace {

// Appends what can be read now; false once the pipe is closed (a terminal's end reads as EIO).
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

// In the child: its environment, its limits, then the program; a failed start says why on its
// standard error and ends with 127.
[[noreturn]] void Exec(const ChildLaunch& launch) {
    for (const auto& [name, value] : launch.env)
        value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    if (!launch.tracePipe.empty()) ::setenv("TARVEX_SIM_TRACE", launch.tracePipe.c_str(), 1);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    if (launch.fileSizeLimit != NoFileSizeLimit) {
        const rlim_t limit = static_cast<rlim_t>(launch.fileSizeLimit);
        const rlimit size{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
    }
    std::vector<char*> argv{const_cast<char*>(launch.program.c_str())};
    for (const std::string& arg : launch.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    const std::string why = "cannot start " + launch.program + ": " + std::strerror(errno) + "\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, why.data(), why.size());
    ::_exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const ChildLaunch& launch) {
    const auto fail = [&](const std::string& what) {
        ADD_FAILURE() << "cannot start " << launch.program << ", no " << what << ": "
                      << std::strerror(errno);
    };
    if (!launch.tracePipe.empty()) {
        // Opened before the child, so that its open for writing finds a reader at once.
        if (::mkfifo(launch.tracePipe.c_str(), 0600) == 0 || errno == EEXIST)
            m_traceFd = ::open(launch.tracePipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_traceFd < 0) {
            fail("trace pipe " + launch.tracePipe);
            return;
        }
        ::fcntl(m_traceFd, F_SETPIPE_SZ, TracePipeSize);
    }
    int out[2] = {-1, -1}, err[2] = {-1, -1};
    if (launch.terminal) {
        m_pid = ::forkpty(&m_outFd, nullptr, nullptr, nullptr);
        if (m_pid < 0) fail("pseudo-terminal");
    } else if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0 ||
               (m_pid = ::fork()) < 0) {
        fail("pipes or process");
        for (int fd : {out[0], out[1], err[0], err[1]}) CloseFd(fd);
        return;
    }
    if (m_pid == 0) {
        if (!launch.terminal) {
            ::dup2(::open("/dev/null", O_RDONLY), STDIN_FILENO);
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(err[1], STDERR_FILENO);
        }
        Exec(launch);
    }
    if (!launch.terminal) {
        ::close(out[1]);
        ::close(err[1]);
        m_outFd = out[0];
        m_errFd = err[0];
        ::fcntl(m_errFd, F_SETFL, O_NONBLOCK);
    }
    ::fcntl(m_outFd, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_outFd, F_SETFL, O_NONBLOCK);
}

ChildProcess::~ChildProcess() {
    if (m_pid > 0) Kill();
    CloseFd(m_outFd);
    CloseFd(m_errFd);
    CloseFd(m_traceFd);
}

// Output first, then at most one piece of trace: text the child wrote before a trace record is
// seen before that record is read, so the child is never let far past the point.
bool ChildProcess::Pump(const std::function<bool()>& reached) {
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

void ChildProcess::ReadTrace() {
    char buffer[TracePipeSize];
    const ssize_t n = ::read(m_traceFd, buffer, sizeof buffer);
    if (n == 0) CloseFd(m_traceFd);  // the child closed it: it has ended
    if (n > 0) m_traceTail.append(buffer, static_cast<size_t>(n));
}

void ChildProcess::Kill() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    Reap();
}

void ChildProcess::Interrupt() {
    if (m_pid > 0) ::kill(m_pid, SIGINT);
}

void ChildProcess::Type(const std::string& text) {
    EXPECT_EQ(::write(m_outFd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
}

int ChildProcess::Finish() {
    if (m_status == NotStarted && m_pid <= 0) return -1;
    if (m_pid > 0) {
        // Nothing to wait for: the trace is read as it comes, the child runs to its end.
        Pump([] { return false; });
        Reap();
    }
    if (WIFSIGNALED(m_status)) return 128 + WTERMSIG(m_status);
    return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

void ChildProcess::Reap() {
    while (::waitpid(m_pid, &m_status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    for (auto [fd, into] : {std::pair{&m_errFd, &m_err}, std::pair{&m_outFd, &m_out}}) {
        if (*fd < 0) continue;
        ::fcntl(*fd, F_SETFL, 0);
        Drain(*fd, *into);
    }
}

}  // namespace tarvex::testing
