#include "platform/lock.h"

#include <windows.h>

namespace tarvex::platform {

namespace {
CRITICAL_SECTION* Section(unsigned char* storage) {
    return reinterpret_cast<CRITICAL_SECTION*>(storage);
}
}  // namespace

static_assert(sizeof(CRITICAL_SECTION) <= 40 && alignof(CRITICAL_SECTION) <= 8);

RecursiveLock::RecursiveLock() { ::InitializeCriticalSection(Section(m_section)); }
RecursiveLock::~RecursiveLock() { ::DeleteCriticalSection(Section(m_section)); }
void RecursiveLock::Enter() { ::EnterCriticalSection(Section(m_section)); }
void RecursiveLock::Leave() { ::LeaveCriticalSection(Section(m_section)); }

}  // namespace tarvex::platform
