#pragma once
#ifndef _WIN32
#include <sys/types.h>
#endif

#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "support/environment.h"

namespace tarvex::testing {

constexpr uint64_t NoFileSizeLimit = std::numeric_limits<uint64_t>::max();

// A program to start as a process of its own.
struct ChildLaunch {
    std::string program;
    std::vector<std::string> args{};  // after the program's name
    EnvironmentChanges env{};         // for the child alone, on top of this process's environment
    // The simulator's trace (TARVEX_SIM_TRACE) into a named pipe the test reads, which paces the
    // child: it goes on only while the test reads. Empty: none. On Windows the pipe lives in
    // the system's pipe namespace under a name made from this path.
    std::string tracePipe{};
    bool terminal = false;  // POSIX: a pseudo-terminal as its input and output (Out, Type)
    uint64_t fileSizeLimit = NoFileSizeLimit;  // POSIX only: Windows has no such limit
};

struct ProgramResult {
    int exit = -1;
    std::string out;
    std::string err;
};

// The child's input is the null device (or the terminal); its output and error are read
// through pipes, on Windows with CR LF line ends read as LF. A helper that cannot set up what
// the child needs fails the test and says why.
class ChildProcess {
public:
    explicit ChildProcess(const ChildLaunch& launch);
    ~ChildProcess();  // kills a child still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Lets the child run until its output, error or trace holds the text, and holds it there
    // (its trace is no longer read); false when it ended first.
    bool RunUntil(const std::string& text);
    // Ends the child at once (SIGKILL, TerminateProcess) and waits for its end.
    void Kill();
#ifdef _WIN32
    void* Handle() const { return m_process; }
#else
    // Sends the child SIGINT, as Ctrl-C on its terminal would.
    void Interrupt();
    void Type(const std::string& text);  // on its terminal
#endif
    // Lets the child run to its end; its exit code, or 128 + the signal that ended it.
    int Finish();

    const std::string& Out() const { return m_out; }
    const std::string& Err() const { return m_err; }

private:
    static constexpr auto WaitLimit = std::chrono::seconds(120);  // running out fails the test
    // The smallest pipe: the child is held at most this much trace past the point waited for.
    static constexpr int TracePipeSize = 4096;

    bool Pump(const std::function<bool()>& reached);
    void ReadTrace();
    void Reap();

#ifdef _WIN32
    void* m_process = nullptr;  // HANDLEs; null once closed
    void* m_outPipe = nullptr;
    void* m_errPipe = nullptr;
    void* m_tracePipe = nullptr;
    int m_exitCode = -1;
#else
    pid_t m_pid = -1;
    int m_outFd = -1;
    int m_errFd = -1;
    int m_traceFd = -1;
    static constexpr int NotStarted = -1;  // no wait status is
    int m_status = NotStarted;
#endif
    std::string m_out;
    std::string m_err;
    std::string m_traceTail;  // the latest trace text, enough to find a record in
};

// Runs the program to its end, as a script would.
ProgramResult RunToEnd(const ChildLaunch& launch);

}  // namespace tarvex::testing
