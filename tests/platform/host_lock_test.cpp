#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "platform/host_lock.h"
#include "support/environment.h"
#include "support/temp_dir.h"
#include "support/test_thread.h"

namespace tarvex::platform {
namespace {

// Points the host lock at a file of the test's own, so that nothing else on the host meets it.
class HostLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_dir.Root().empty());
        testing::SetEnvironment("TARVEX_LOCK_FILE", (m_dir.Root() / "host.lock").string());
    }
    void TearDown() override { testing::UnsetEnvironment("TARVEX_LOCK_FILE"); }
    tarvex::testing::TempDir m_dir;
};

#ifdef _WIN32

// A named mutex belongs to a thread: another thread meets it as another process would.
TEST_F(HostLockTest, OneHolderAtATimeUntilItReleases) {
    const auto fromAnotherThread = [] {
        HostLockState state{};
        testing::TestThread([&] { state = HostLock().TryAcquire(); }).Join();
        return state;
    };
    HostLock first;
    EXPECT_NE(HostLockName().find("host.lock"), std::string::npos) << HostLockName();
    ASSERT_EQ(first.TryAcquire(), HostLockState::Held);
    EXPECT_EQ(first.TryAcquire(), HostLockState::Held);
    EXPECT_EQ(fromAnotherThread(), HostLockState::HeldElsewhere);
    first.Release();
    EXPECT_EQ(fromAnotherThread(), HostLockState::Held);
}

TEST_F(HostLockTest, AHolderThatDiesHoldingTheLockLeavesItFree) {
    testing::TestThread([] {
        HostLock* kept = new HostLock;  // never released: its thread ends holding the mutex
        ASSERT_EQ(kept->TryAcquire(), HostLockState::Held);
    }).Join();
    HostLock mine;
    EXPECT_EQ(mine.TryAcquire(), HostLockState::Held);
}

TEST_F(HostLockTest, ANameTakenByAnotherKindOfObjectIsUnavailable) {
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, HostLockName().c_str());
    ASSERT_NE(event, nullptr);
    HostLock lock;
    EXPECT_EQ(lock.TryAcquire(), HostLockState::Unavailable);
    EXPECT_FALSE(lock.IsHeld());
    ::CloseHandle(event);
}

#else

TEST_F(HostLockTest, OneHolderAtATimeUntilItReleases) {
    HostLock first, second;
    EXPECT_EQ(HostLockName(), (m_dir.Root() / "host.lock").string());
    ASSERT_EQ(first.TryAcquire(), HostLockState::Held);
    EXPECT_EQ(first.TryAcquire(), HostLockState::Held);
    EXPECT_EQ(second.TryAcquire(), HostLockState::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());
    first.Release();
    EXPECT_EQ(second.TryAcquire(), HostLockState::Held);
    EXPECT_EQ(first.TryAcquire(), HostLockState::HeldElsewhere);
}

TEST_F(HostLockTest, AKilledHolderLeavesTheLockFree) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HostLock held;
        held.TryAcquire();
        ::_exit(::write(ready[1], "", 1) == 1 ? (::pause(), 0) : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]), ::close(ready[1]);
    HostLock mine;  // the child holds it
    EXPECT_EQ(mine.TryAcquire(), HostLockState::HeldElsewhere);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(mine.TryAcquire(), HostLockState::Held);
}

TEST_F(HostLockTest, AFileThatCannotBeMadeIsUnavailable) {
    testing::SetEnvironment("TARVEX_LOCK_FILE", (m_dir.Root() / "missing" / "host.lock").string());
    HostLock lock;
    EXPECT_EQ(lock.TryAcquire(), HostLockState::Unavailable);
    EXPECT_FALSE(lock.IsHeld());
}

#endif

}  // namespace
}  // namespace tarvex::platform
