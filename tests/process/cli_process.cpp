#include "cli_process.h"

namespace tarvex::testing {

namespace {

constexpr size_t TraceTailKeep = 2048;

}  // namespace

bool CliProcess::RunUntilError(const std::string& text) {
    return Pump([&] { return m_err.find(text) != std::string::npos; });
}

bool CliProcess::RunUntilTrace(const std::string& text) {
    return Pump([&] {
        if (m_traceTail.find(text) != std::string::npos) return true;
        if (m_traceTail.size() > TraceTailKeep)
            m_traceTail.erase(0, m_traceTail.size() - TraceTailKeep);
        return false;
    });
}

int RunCli(const CliLaunch& launch, std::string* err, std::string* out) {
    CliProcess process(launch);
    const int status = process.Finish();
    if (err) *err = process.Err();
    if (out) *out = process.Out();
    return status;
}

}  // namespace tarvex::testing
