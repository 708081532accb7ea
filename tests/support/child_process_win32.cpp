#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "support/child_process.h"

namespace tarvex::testing {

namespace {

void Close(void*& handle) {
    if (handle != nullptr) ::CloseHandle(handle);
    handle = nullptr;
}

// Appends the text with CR LF read as LF; a CR at the end of a piece meets its LF in the next.
void AppendLines(std::string& into, const char* data, size_t size) {
    size_t from = into.empty() ? 0 : into.size() - 1;
    into.append(data, size);
    size_t to = from;
    for (; from < into.size(); ++from)
        if (into[from] != '\r' || from + 1 == into.size() || into[from + 1] != '\n')
            into[to++] = into[from];
    into.resize(to);
}

// Appends what can be read now; true when anything came or the pipe closed (then it is closed
// here too).
bool Drain(void*& pipe, std::string& into) {
    bool moved = false;
    while (pipe != nullptr) {
        DWORD available = 0;
        char buffer[8192];
        DWORD n = 0;
        if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) ||
            (available > 0 &&
             !::ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &n, nullptr))) {
            Close(pipe);
            return true;
        }
        if (n == 0) return moved;
        AppendLines(into, buffer, n);
        moved = true;
    }
    return moved;
}

// One argument of a command line, quoted so that the C runtime's parser gives it back unchanged.
std::string QuotedArgument(const std::string& argument) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

// A pipe of this test run's own for the trace file: the folder's and the file's name and this
// process's id.
std::string TracePipeName(const std::string& traceFile) {
    const std::filesystem::path path(traceFile);
    return "\\\\.\\pipe\\" + path.parent_path().filename().string() + "-" +
           path.filename().string() + "-" + std::to_string(::GetCurrentProcessId());
}

}  // namespace

ChildProcess::ChildProcess(const ChildLaunch& launch) {
    std::string tracePipe;
    if (!launch.tracePipe.empty()) {
        // Made before the child, so that its open finds the pipe; the small buffers hold the
        // child back once the test stops reading.
        tracePipe = TracePipeName(launch.tracePipe);
        HANDLE pipe = ::CreateNamedPipeA(
            tracePipe.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_FIRST_PIPE_INSTANCE,
            PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
            TracePipeSize, TracePipeSize, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) {
            ADD_FAILURE() << "no trace pipe " << tracePipe << ": error " << ::GetLastError();
            return;
        }
        m_tracePipe = pipe;
    }
    // The child's ends are inherited; this process's ends are not, so no later child holds them.
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outWrite = nullptr, errWrite = nullptr;
    if (!::CreatePipe(&m_outPipe, &outWrite, &inherit, 0) ||
        !::CreatePipe(&m_errPipe, &errWrite, &inherit, 0)) {
        ADD_FAILURE() << "cannot start " << launch.program << ", no pipes: error "
                      << ::GetLastError();
        Close(outWrite);
        return;
    }
    ::SetHandleInformation(m_outPipe, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(m_errPipe, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = ::CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inherit, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    start.hStdOutput = outWrite;
    start.hStdError = errWrite;

    std::string line = QuotedArgument(launch.program);
    for (const std::string& arg : launch.args) line += " " + QuotedArgument(arg);
    EnvironmentChanges changes = launch.env;
    if (!tracePipe.empty()) changes.emplace_back("TARVEX_SIM_TRACE", tracePipe);
    PROCESS_INFORMATION process{};
    ScopedEnvironment changed(changes);  // what the child inherits
    if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                         nullptr, &start, &process)) {
        ::CloseHandle(process.hThread);
        m_process = process.hProcess;
    } else {
        ADD_FAILURE() << "cannot start " << line << ": error " << ::GetLastError();
    }
    for (HANDLE handle : {start.hStdInput, outWrite, errWrite}) ::CloseHandle(handle);
}

ChildProcess::~ChildProcess() {
    if (m_process != nullptr) Kill();
    Close(m_outPipe);
    Close(m_errPipe);
    Close(m_tracePipe);
}

// Output first, then at most one piece of trace: text the child wrote before a trace record is
// seen before that record is read, so the child is never let far past the point. With nothing
// to read, waits a moment on the child's end.
bool ChildProcess::Pump(const std::function<bool()>& reached) {
    const auto deadline = std::chrono::steady_clock::now() + WaitLimit;
    while (!reached()) {
        if (m_outPipe == nullptr && m_errPipe == nullptr) return false;
        const bool errMoved = Drain(m_errPipe, m_err);
        const bool outMoved = Drain(m_outPipe, m_out);
        if (reached()) return true;
        const size_t traced = m_traceTail.size();
        void* const tracePipe = m_tracePipe;
        if (tracePipe != nullptr) ReadTrace();
        if (errMoved || outMoved || m_traceTail.size() != traced || m_tracePipe != tracePipe)
            continue;
        if (std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "the child neither ended nor got there in time; stderr:\n" << m_err;
            return false;
        }
        ::WaitForSingleObject(m_process, 1);
    }
    return true;
}

// One piece, if any is there. Before the child opens the pipe there is nothing to read; once
// it has closed it, the pipe is broken.
void ChildProcess::ReadTrace() {
    DWORD available = 0;
    if (!::PeekNamedPipe(m_tracePipe, nullptr, 0, nullptr, &available, nullptr)) {
        if (::GetLastError() == ERROR_BROKEN_PIPE) Close(m_tracePipe);
        return;
    }
    if (available == 0) return;
    char buffer[TracePipeSize];
    DWORD n = 0;
    if (::ReadFile(m_tracePipe, buffer, std::min<DWORD>(available, sizeof buffer), &n, nullptr))
        m_traceTail.append(buffer, n);
}

void ChildProcess::Kill() {
    if (m_process == nullptr) return;
    ::TerminateProcess(m_process, 1);
    Reap();
}

int ChildProcess::Finish() {
    if (m_process != nullptr) {
        // Nothing to wait for: the trace is read as it comes, the child runs to its end.
        Pump([] { return false; });
        Reap();
    }
    return m_exitCode;
}

void ChildProcess::Reap() {
    const auto limit = std::chrono::milliseconds(WaitLimit).count();
    if (::WaitForSingleObject(m_process, static_cast<DWORD>(limit)) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the child did not end";
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, INFINITE);
    }
    DWORD code = 0;
    m_exitCode = ::GetExitCodeProcess(m_process, &code) ? static_cast<int>(code) : -1;
    Close(m_process);
    // The child's ends went with it: what is left is read to the end, where the pipe breaks.
    while (m_errPipe != nullptr) Drain(m_errPipe, m_err);
    while (m_outPipe != nullptr) Drain(m_outPipe, m_out);
}

}  // namespace tarvex::testing
