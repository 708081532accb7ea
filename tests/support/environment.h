#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvex::testing {

// Environment changes: a value to set, or none to remove the variable.
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);

// This process's environment, changed until the end of the scope.
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
