#include "support/environment.h"

#include <cstdlib>

namespace tarvex::testing {

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
