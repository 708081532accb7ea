#include "platform/lock.h"

namespace tarvex::platform {

RecursiveLock::RecursiveLock() = default;
RecursiveLock::~RecursiveLock() = default;
void RecursiveLock::Enter() { m_mutex.lock(); }
void RecursiveLock::Leave() { m_mutex.unlock(); }

}  // namespace tarvex::platform
