#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvex::testing {

struct ProgramResult {
    int exit = -1;  // -1 when the program could not start or did not end by itself
    std::string out;
    std::string err;
};

// Environment changes for one run: a value to set, or none to remove the variable.
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Runs a program as a script would: its input from the null device, its output and error
// captured through files in the folder. Waits for it to end.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const EnvironmentChanges& environment = {});

// Splits a command line into arguments at spaces; 'single quotes' keep spaces and are removed.
std::vector<std::string> SplitArguments(const std::string& line);

// One argument of a Windows command line, quoted so that the C runtime's parser gives it back
// unchanged.
std::string QuotedArgument(const std::string& argument);

void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);

// This process's environment, changed until the end of the scope (what a program started
// meanwhile inherits).
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const EnvironmentChanges& changes);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    EnvironmentChanges m_saved;
};

}  // namespace tarvex::testing
