#pragma once
#include <sys/resource.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvex::testing {

// What a test asks of a run of the command-line tool.
struct CliLaunch {
    std::vector<std::string> args;  // after the program's name
    std::vector<std::string> env;   // "NAME=value", on top of a clean simulator environment
    std::string traceFifo;          // a named pipe the simulator traces into; empty: none
    rlim_t fileSizeLimit = RLIM_INFINITY;
};

// tarvex-flash-cli as a process of its own, with its output in pipes. With a trace pipe the
// child can only go on while the test reads its trace, so a test can stop it at a point it
// chooses: reading stops once that point is seen, and the child is held there.
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
    // Sends SIGKILL and waits for the child's end.
    void Kill();
    // Lets the child run to its end; its exit code, or 128 + the signal that ended it.
    int Finish();

    const std::string& Out() const { return m_out; }
    const std::string& Err() const { return m_err; }

private:
    bool Pump(const std::function<bool()>& reached);
    void ReadTrace();
    void Reap();

    pid_t m_pid = -1;
    int m_outFd = -1;
    int m_errFd = -1;
    int m_traceFd = -1;
    int m_status = 0;
    std::string m_out;
    std::string m_err;
    std::string m_traceTail;  // the latest trace text, enough to find a record in
};

// Runs the tool to its end.
int RunCli(const CliLaunch& launch, std::string* err = nullptr, std::string* out = nullptr);

}  // namespace tarvex::testing
