#include "support/program_run.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tarvex::testing {

namespace {

// The program's text; Windows programs end their lines with CR LF, read here as LF.
std::string Slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
#ifdef _WIN32
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') lines += text[i];
    return lines;
#else
    return text;
#endif
}

#ifdef _WIN32

HANDLE Inheritable(const std::string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

int Run(const std::string& program, const std::vector<std::string>& arguments,
        const std::string& out, const std::string& err, const EnvironmentChanges& environment) {
    std::string line = QuotedArgument(program);
    for (const std::string& argument : arguments) line += " " + QuotedArgument(argument);
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    start.hStdOutput = Inheritable(out, GENERIC_WRITE, CREATE_ALWAYS);
    start.hStdError = Inheritable(err, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    BOOL started = FALSE;
    {
        // The child inherits this process's environment, changed for the moment of its start.
        ScopedEnvironment changed(environment);
        started = ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   nullptr, &start, &process);
    }
    for (HANDLE h : {start.hStdInput, start.hStdOutput, start.hStdError}) ::CloseHandle(h);
    if (!started) return -1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

#else

int Run(const std::string& program, const std::vector<std::string>& arguments,
        const std::string& out, const std::string& err, const EnvironmentChanges& environment) {
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        for (const auto& [name, value] : environment) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        const int in = ::open("/dev/null", O_RDONLY);
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || o < 0 || e < 0) ::_exit(127);
        ::dup2(in, 0);
        ::dup2(o, 1);
        ::dup2(e, 2);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const EnvironmentChanges& environment) {
    const std::string out = folder + "/program.out", err = folder + "/program.err";
    ProgramResult result;
    result.exit = Run(program, arguments, out, err, environment);
    result.out = Slurp(out);
    result.err = Slurp(err);
    return result;
}

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

std::vector<std::string> SplitArguments(const std::string& line) {
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '\'') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) arguments.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) arguments.push_back(current);
    return arguments;
}

void SetEnvironment(const std::string& name, const std::string& value) {
#ifdef _WIN32
    ::_putenv_s(name.c_str(), value.c_str());
#else
    ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

void UnsetEnvironment(const std::string& name) {
#ifdef _WIN32
    ::_putenv_s(name.c_str(), "");
#else
    ::unsetenv(name.c_str());
#endif
}

ScopedEnvironment::ScopedEnvironment(const EnvironmentChanges& changes) {
    for (const auto& [name, value] : changes) {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? SetEnvironment(name, *value) : UnsetEnvironment(name);
    }
}

ScopedEnvironment::~ScopedEnvironment() {
    for (const auto& [name, value] : m_saved)
        value ? SetEnvironment(name, *value) : UnsetEnvironment(name);
}

}  // namespace tarvex::testing
