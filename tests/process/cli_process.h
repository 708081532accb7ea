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

namespace tarvex::testing {

constexpr uint64_t NoFileSizeLimit = std::numeric_limits<uint64_t>::max();

// What a test asks of a run of the command-line tool.
struct CliLaunch {
    std::vector<std::string> args;  // after the program's name
    std::vector<std::string> env;   // "NAME=value", on top of a clean simulator environment
    // A named pipe the simulator traces into; empty: none. On Windows the pipe lives in the
    // system's pipe namespace under a name made from this path.
    std::string traceFifo;
    uint64_t fileSizeLimit = NoFileSizeLimit;  // POSIX only: Windows has no such limit
};

// tarvex-flash-cli as a process of its own, with its output in pipes. With a trace pipe the
// child can only go on while the test reads its trace, so a test can stop it at a point it
// chooses: reading stops once that point is seen, and the child is held there. Output read on
// Windows has its CR LF line ends turned into LF.
class CliProcess {
public:
    explicit CliProcess(const CliLaunch& launch);
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    // Lets the child run until its standard error or its trace holds the text; false when it
    // ended first.
    bool RunUntilError(const std::string& text);
    bool RunUntilTrace(const std::string& text);
    // Ends the child at once (SIGKILL, TerminateProcess) and waits for its end.
    void Kill();
#ifndef _WIN32
    // Sends the child SIGINT, as Ctrl-C on its terminal would.
    void Interrupt();
#endif
    // Lets the child run to its end; its exit code, or 128 + the signal that ended it.
    int Finish();

    const std::string& Out() const { return m_out; }
    const std::string& Err() const { return m_err; }

private:
    // A generous bound on any wait for a child; a wait that runs out fails the test.
    static constexpr auto WaitLimit = std::chrono::seconds(120);
    // The smallest pipe: the child is held at most this much trace past the point a test waits
    // for.
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
    int m_status = 0;
#endif
    std::string m_out;
    std::string m_err;
    std::string m_traceTail;  // the latest trace text, enough to find a record in
};

// Runs the tool to its end.
int RunCli(const CliLaunch& launch, std::string* err = nullptr, std::string* out = nullptr);

}  // namespace tarvex::testing
