// The adapters' driver as device provider, on Windows: the calls it makes, and what a host
// without the driver (as Wine is) answers.
#include "platform/driver_provider.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "driver/adapter_queries.h"
#include "driver/discovery.h"
#include "driver/link_state.h"
#include "platform/device.h"
#include "platform/errors.h"

namespace tarvex::platform {
namespace {

// What the fake kernel was asked, and how it answers.
struct Recorded {
    std::vector<std::string> names;
    // Access, share, disposition, attributes; whether security and a template were given.
    std::tuple<DWORD, DWORD, DWORD, DWORD, bool, bool> open;
    // Code, input and output lengths; whether one buffer went both ways, whether overlapped.
    std::tuple<DWORD, DWORD, DWORD, bool, bool> control;
    std::vector<DWORD> versionSizes;
    DWORD failWith = 0;  // 0: DeviceIoControl succeeds
} g_seen;

HANDLE WINAPI FakeCreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                             DWORD disposition, DWORD attributes, HANDLE templateFile) {
    g_seen.names.push_back(name);
    g_seen.open = {
        access, share, disposition, attributes, security != nullptr, templateFile != nullptr};
    if (std::string(name) == "\\\\.\\Scsi0:") return reinterpret_cast<HANDLE>(0x40);
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

BOOL WINAPI FakeDeviceIoControl(HANDLE, DWORD code, LPVOID in, DWORD inLength, LPVOID out,
                                DWORD outLength, LPDWORD returned, LPOVERLAPPED overlapped) {
    g_seen.control = {code, inLength, outLength, in == out && returned, overlapped != nullptr};
    if (g_seen.failWith == 0) return TRUE;
    ::SetLastError(g_seen.failWith);
    return FALSE;
}

BOOL WINAPI FakeCloseHandle(HANDLE) { return TRUE; }
VOID WINAPI FakeSleep(DWORD) {}

BOOL WINAPI FakeGetVersionEx(LPOSVERSIONINFOA record) {
    g_seen.versionSizes.push_back(record->dwOSVersionInfoSize);
    record->dwPlatformId = VER_PLATFORM_WIN32_NT;
    record->dwMajorVersion = 5;
    record->dwMinorVersion = 1;
    return TRUE;
}

const KernelCalls Fake{FakeCreateFile, FakeDeviceIoControl, FakeCloseHandle, FakeSleep,
                       FakeGetVersionEx};

class DriverProviderTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen = {};
        ResetDriverLink();
    }
    void TearDown() override {
        InstallDeviceProvider(nullptr);
        ResetDriverLink();
    }
};

TEST_F(DriverProviderTest, OpensForReadAndWriteSharedForReadAndSendsOneBufferBothWays) {
    auto provider = MakeDriverProvider(Fake);
    const Handle port = provider->OpenDevice("\\\\.\\Scsi0:");
    EXPECT_EQ(port, 0x40);
    EXPECT_EQ(g_seen.open,
              std::tuple(DWORD{GENERIC_READ | GENERIC_WRITE}, DWORD{FILE_SHARE_READ},
                         DWORD{OPEN_EXISTING}, DWORD{FILE_ATTRIBUTE_NORMAL}, false, false));

    uint8_t envelope[44] = {};
    EXPECT_TRUE(provider->DeviceControl(port, 0x4D008, envelope, sizeof envelope));
    EXPECT_EQ(g_seen.control, std::tuple(DWORD{0x4D008}, DWORD{44}, DWORD{44}, true, false));

    // A failure leaves the system's error as the thread's last error, for the transport's retry.
    g_seen.failWith = ERROR_GEN_FAILURE;
    EXPECT_FALSE(provider->DeviceControl(port, 0x4D008, envelope, sizeof envelope));
    EXPECT_EQ(GetLastError(), ErrorGenFailure);
    EXPECT_EQ(provider->OpenDevice("\\\\.\\Scsi1:"), NoHandle);
    EXPECT_EQ(GetLastError(), ErrorFileNotFound);
}

TEST_F(DriverProviderTest, AsksForTheBasicThenTheExtendedVersionRecord) {
    InstallDeviceProvider(MakeDriverProvider(Fake));
    ASSERT_EQ(InitDriverLink(), 0);
    EXPECT_EQ(g_seen.versionSizes, (std::vector<DWORD>{148, 156}));
    // NT: the SCSI ports in turn, up to the first that does not exist.
    EXPECT_EQ(g_seen.names, (std::vector<std::string>{"\\\\.\\Scsi0:", "\\\\.\\Scsi1:"}));
}

// The system itself, without the adapters' driver.
TEST_F(DriverProviderTest, WithoutTheDriverNoPortOpensAndNoControllerAnswers) {
    auto provider = MakeDriverProvider();
    HostVersion version;
    ASSERT_TRUE(provider->GetHostVersion(version, false));
    EXPECT_EQ(version.platformId, PlatformNt);
    EXPECT_GE(version.major, 5u);
    HostVersion extended;
    ASSERT_TRUE(provider->GetHostVersion(extended, true));
    EXPECT_EQ(extended.major, version.major);

    EXPECT_EQ(provider->OpenDevice("\\\\.\\Scsi0:"), NoHandle);
    EXPECT_EQ(GetLastError(), ErrorFileNotFound);
    uint8_t envelope[40] = {};
    EXPECT_FALSE(provider->DeviceControl(NoHandle, 0x4D008, envelope, sizeof envelope));
    EXPECT_EQ(GetLastError(), ErrorInvalidHandle);

    InstallDeviceProvider(provider);
    EXPECT_EQ(GetAdapterCount(), -1);
}

}  // namespace
}  // namespace tarvex::platform
