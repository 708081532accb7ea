#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace tarvex::sim {
namespace {

using namespace testing;

RigPort Port(std::vector<uint32_t> adapters, bool list = true, bool probe = true,
             bool exists = true) {
    return RigPort{
        .exists = exists, .adapters = adapters, .adapterList = list, .answersProbe = probe};
}

std::string Scsi(int n) { return "\\\\.\\Scsi" + std::to_string(n) + ":"; }

TEST(Host, ReportsFamilyAndVersionAndRefusesTheExtendedRecordWhenAsked) {
    Rig rig;
    rig.host = RigHost{.nt = false, .major = 4, .minor = 10, .extendedVersionInfo = false};
    platform::HostVersion v;
    ASSERT_TRUE(MakeSim(rig)->GetHostVersion(v, false));
    EXPECT_EQ(v.platformId, platform::PlatformWin9x);
    EXPECT_EQ(v.major, 4);
    EXPECT_EQ(v.minor, 10);
    EXPECT_FALSE(MakeSim(rig)->GetHostVersion(v, true));
    EXPECT_EQ(platform::GetLastError(), platform::ErrorInvalidParameter);
    ASSERT_TRUE(MakeSim(Rig{})->GetHostVersion(v, true));
    EXPECT_EQ(v.platformId, platform::PlatformNt);
    EXPECT_EQ(v.major, 5);
    EXPECT_EQ(v.minor, 1);
}

TEST(Devices, PortsExistAsTheRigNumbersThemAndClosedHandlesAreInvalid) {
    Rig rig;
    rig.adapters = {Adapter()};
    rig.ports = std::vector<RigPort>{Port({0}), Port({}, true, true, false), Port({})};
    auto sim = MakeSim(rig);
    const platform::Handle first = sim->OpenDevice(Scsi(0));
    const platform::Handle second = sim->OpenDevice(Scsi(2));
    EXPECT_TRUE(first > 0);
    EXPECT_TRUE(second > 0);
    EXPECT_NE(first, second);
    for (const std::string& name :
         {Scsi(1), Scsi(3), Scsi(0) + "x", std::string("\\\\.\\wrapA4")}) {
        platform::SetLastError(0);
        EXPECT_EQ(sim->OpenDevice(name), platform::NoHandle) << name;
        EXPECT_EQ(platform::GetLastError(), platform::ErrorFileNotFound);
    }
    sim->CloseDevice(first);
    for (platform::Handle h : {first, platform::Handle{99}, platform::NoHandle})
        EXPECT_EQ(Send(*sim, h, 0, Version, {}, 4).error, platform::ErrorInvalidHandle);
    EXPECT_TRUE(Send(*sim, second, 0, Version, {}, 4).ok);
}

TEST(Devices, WrapperNamesListTheWrappersOfA9xHostAndTheWrapperServesAll) {
    Rig rig;
    rig.host.nt = false;
    rig.driver.wrapperNames = {"KvrWrap"};
    rig.adapters = {Adapter(), Adapter()};
    auto sim = MakeSim(rig);
    EXPECT_EQ(sim->OpenDevice("\\\\.\\wrapA4"), platform::NoHandle);
    EXPECT_EQ(sim->OpenDevice(Scsi(0)), platform::NoHandle);
    const platform::Handle h = sim->OpenDevice("\\\\.\\KvrWrap");
    EXPECT_TRUE(Send(*sim, h, 1, Pci, Words({1}), 4).ok);
    EXPECT_TRUE(Send(*sim, h, 1, Eprom, EpromRead(1, 0, 1), 1).ok);
    EXPECT_EQ(Send(*sim, h, 2, Pci, Words({2}), 4).error, platform::ErrorInvalidFunction);
}

TEST(Devices, PortsListServeAndRefuseAsTheRigSays) {
    Rig rig;
    rig.adapters = {Adapter(), Adapter(), Adapter()};
    rig.ports = std::vector<RigPort>{Port({0, 2, 5}), Port({1}, false), Port({0}, true, false)};
    auto sim = MakeSim(rig);
    const platform::Handle p0 = sim->OpenDevice(Scsi(0));
    const platform::Handle p1 = sim->OpenDevice(Scsi(1));
    const platform::Handle p2 = sim->OpenDevice(Scsi(2));
    EXPECT_EQ(Send(*sim, p0, 0, List, Words({4}), 20).output, Words({3, 0, 2, 5, 0}));
    EXPECT_EQ(Send(*sim, p0, 0, List, Words({2}), 12).output, Words({2, 0, 2}));
    EXPECT_EQ(Send(*sim, p1, 0, List, Words({32}), 132).error, platform::ErrorInvalidFunction);
    for (uint32_t code : {Version, Count})
        EXPECT_EQ(Send(*sim, p2, 0, code, {}, 4).error, platform::ErrorInvalidFunction);

    // Routed requests need a port serving their adapter; information comes through any port.
    EXPECT_TRUE(Send(*sim, p0, 2, Pci, Words({2}), 4).ok);
    EXPECT_EQ(Send(*sim, p0, 1, Pci, Words({1}), 4).error, platform::ErrorInvalidFunction);
    EXPECT_EQ(Send(*sim, p0, 1, Eprom, EpromRead(1, 0, 1), 1).error,
              platform::ErrorInvalidFunction);
    EXPECT_TRUE(Send(*sim, p1, 1, Eprom, EpromRead(1, 0, 1), 1).ok);
    EXPECT_TRUE(Send(*sim, p1, 0, Info, Words({2}), 76).ok);
    // Adapter 5 is listed, but the rig has no such adapter.
    EXPECT_EQ(Send(*sim, p0, 5, Pci, Words({5}), 4).error, platform::ErrorInvalidFunction);
    EXPECT_EQ(Send(*sim, p0, 0, Info, Words({5}), 76).error, platform::ErrorInvalidFunction);
}

TEST(Faults, TransientRefuseAndFailingBusAsTheRigSays) {
    Rig rig;
    rig.adapters = {Adapter(), Adapter()};
    rig.adapters[1].faults = RigFaults{.transient = {{"pci_identity", 2}},
                                       .refuse = {"adapter_info"},
                                       .readFailsAt = 0x4002,
                                       .writeFailsAt = 0x10,
                                       .unsteadyReadAt = 0x21,
                                       .chip = {}};
    auto sim = MakeSim(rig);
    const platform::Handle h = sim->OpenDevice(Scsi(0));
    auto read = [&](uint32_t at, uint32_t n) {
        return Send(*sim, h, 1, Eprom, EpromRead(1, at, n), n);
    };
    auto write = [&](uint32_t at, std::vector<uint8_t> d) {
        return Send(*sim, h, 1, Eprom, EpromWrite(1, at, d), 0);
    };
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(Send(*sim, h, 1, Pci, Words({1}), 4).error, platform::ErrorGenFailure);
    EXPECT_TRUE(Send(*sim, h, 1, Pci, Words({1}), 4).ok);
    EXPECT_TRUE(Send(*sim, h, 0, Pci, Words({0}), 4).ok);  // faults belong to their adapter
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Send(*sim, h, 0, Info, Words({1}), 76).error, platform::ErrorInvalidFunction);
    EXPECT_TRUE(Send(*sim, h, 0, Info, Words({0}), 76).ok);

    EXPECT_EQ(read(0x4000, 3).error, platform::ErrorGenFailure);
    EXPECT_TRUE(read(0x4000, 2).ok);
    EXPECT_TRUE(read(0x4003, 9).ok);
    EXPECT_TRUE(read(0x10, 1).ok);
    EXPECT_NE(read(0x20, 2).output, read(0x20, 2).output);
    EXPECT_TRUE(write(0x4002, {1}).ok);
    EXPECT_EQ(write(0x0F, {1, 2}).error, platform::ErrorGenFailure);
}

TEST(Clock, AdvancesByTheLatencyForEveryRequestAndByEverySleep) {
    Rig rig;
    rig.clock.requestLatencyUs = 7;
    auto sim = MakeSim(rig);
    EXPECT_EQ(sim->Clock().NowUs(), 0u);
    Send(*sim, sim->OpenDevice(Scsi(0)), 0, Version, {}, 4);
    Send(*sim, 1, 0, Version, {}, 5);   // malformed
    Send(*sim, 77, 0, Version, {}, 4);  // no such handle
    EXPECT_EQ(sim->Clock().NowUs(), 21u);
    EXPECT_EQ(sim->RequestCount(), 3u);
    sim->Sleep(500);
    EXPECT_EQ(sim->Clock().NowUs(), 500021u);
    EXPECT_EQ(sim->ClockUs(), 500021u);
    EXPECT_EQ(sim->RequestCount(), 3u);
}

}  // namespace
}  // namespace tarvex::sim
