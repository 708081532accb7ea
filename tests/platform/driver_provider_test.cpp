// The adapters' driver as device provider, on Windows: the calls it makes, and what a host
// without the driver (as Wine is) answers.
#include "platform/driver_provider.h"

#include <gtest/gtest.h>

#include <string>
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
    DWORD access = 0, share = 0, disposition = 0, attributes = 0;
    bool security = false, templateFile = false;
    DWORD code = 0, inLength = 0, outLength = 0;
    bool sameBuffer = false, overlapped = false;
    std::vector<DWORD> versionSizes;
    DWORD failWith = 0;  // 0: DeviceIoControl succeeds
} g_seen;

HANDLE WINAPI FakeCreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                             DWORD disposition, DWORD attributes, HANDLE templateFile) {
    g_seen.names.push_back(name);
    g_seen.access = access;
    g_seen.share = share;
    g_seen.security = security != nullptr;
    g_seen.disposition = disposition;
    g_seen.attributes = attributes;
    g_seen.templateFile = templateFile != nullptr;
    if (std::string(name) == "\\\\.\\Scsi0:") return reinterpret_cast<HANDLE>(0x40);
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

BOOL WINAPI FakeDeviceIoControl(HANDLE, DWORD code, LPVOID in, DWORD inLength, LPVOID out,
                                DWORD outLength, LPDWORD returned, LPOVERLAPPED overlapped) {
    g_seen.code = code;
    g_seen.inLength = inLength;
    g_seen.outLength = outLength;
    g_seen.sameBuffer = in == out && returned != nullptr;
    g_seen.overlapped = overlapped != nullptr;
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
    EXPECT_EQ(g_seen.access, static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
    EXPECT_EQ(g_seen.share, static_cast<DWORD>(FILE_SHARE_READ));
    EXPECT_EQ(g_seen.disposition, static_cast<DWORD>(OPEN_EXISTING));
    EXPECT_EQ(g_seen.attributes, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(g_seen.security);
    EXPECT_FALSE(g_seen.templateFile);

    uint8_t envelope[44] = {};
    EXPECT_TRUE(provider->DeviceControl(port, 0x4D008, envelope, sizeof envelope));
    EXPECT_EQ(g_seen.code, 0x4D008u);
    EXPECT_EQ(g_seen.inLength, 44u);
    EXPECT_EQ(g_seen.outLength, 44u);
    EXPECT_TRUE(g_seen.sameBuffer);
    EXPECT_FALSE(g_seen.overlapped);

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
