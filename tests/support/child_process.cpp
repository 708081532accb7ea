#include "support/child_process.h"

namespace tarvex::testing {

bool ChildProcess::RunUntil(const std::string& text) {
    constexpr size_t TraceTailKeep = 2048;
    return Pump([&] {
        for (const std::string* seen : {&m_out, &m_err, &m_traceTail})
            if (seen->find(text) != std::string::npos) return true;
        if (m_traceTail.size() > TraceTailKeep)
            m_traceTail.erase(0, m_traceTail.size() - TraceTailKeep);
        return false;
    });
}

ProgramResult RunToEnd(const ChildLaunch& launch) {
    ChildProcess child(launch);
    const int exit = child.Finish();
    return {exit, child.Out(), child.Err()};
}

}  // namespace tarvex::testing
