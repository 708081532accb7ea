#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace tarvex::sim {
namespace {

using namespace testing;
using platform::ErrorInvalidFunction;

std::string Scsi(int n) { return "\\\\.\\Scsi" + std::to_string(n) + ":"; }

TEST(Devices, PortsExistAsTheRigNumbersThemAndClosedHandlesAreInvalid) {
    Rig rig = MakeRig({Adapter()});
    rig.ports = std::vector<RigPort>{{.adapters = {0}}, {.exists = false, .adapters = {}}, {}};
    Bench b(rig);
    const platform::Handle second = b.sim->OpenDevice(Scsi(2));
    EXPECT_TRUE(b.handle > 0 && second > 0 && b.handle != second);
    for (const std::string& name :
         {Scsi(1), Scsi(3), Scsi(0) + "x", std::string("\\\\.\\wrapA4")}) {
        platform::SetLastError(0);
        EXPECT_EQ(b.sim->OpenDevice(name), platform::NoHandle) << name;
        EXPECT_EQ(platform::GetLastError(), platform::ErrorFileNotFound);
    }
    EXPECT_TRUE(b.Ask(0, Version, {}, 4, second).ok);
    b.sim->CloseDevice(b.handle);
    for (platform::Handle h : {b.handle, platform::Handle{99}, platform::NoHandle})
        EXPECT_EQ(b.Ask(0, Version, {}, 4, h).error, platform::ErrorInvalidHandle);
}

TEST(Devices, PortsListServeAndRefuseAsTheRigSays) {
    Rig rig = MakeRig({Adapter(), Adapter(), Adapter()});
    rig.ports = std::vector<RigPort>{{.adapters = {0, 2, 5}},
                                     {.adapters = {1}, .adapterList = false},
                                     {.adapters = {0}, .answersProbe = false}};
    Bench p0(rig);
    const platform::Handle p1 = p0.sim->OpenDevice(Scsi(1)), p2 = p0.sim->OpenDevice(Scsi(2));
    EXPECT_EQ(p0.Ask(0, List, Words({4}), 20).output, Words({3, 0, 2, 5, 0}));
    EXPECT_EQ(p0.Ask(0, List, Words({2}), 12).output, Words({2, 0, 2}));
    EXPECT_EQ(p0.Ask(0, List, Words({32}), 132, p1).error, ErrorInvalidFunction);
    for (uint32_t code : {Version, Count})
        EXPECT_EQ(p0.Ask(0, code, {}, 4, p2).error, ErrorInvalidFunction);

    // Routed requests need a port serving their adapter; information comes through any port.
    EXPECT_TRUE(p0.Ask(2, Pci, Words({2}), 4).ok);
    EXPECT_EQ(p0.Ask(1, Pci, Words({1}), 4).error, ErrorInvalidFunction);
    EXPECT_EQ(p0.Read(0, 1, 1).error, ErrorInvalidFunction);
    EXPECT_TRUE(p0.Read(0, 1, 1, p1).ok);
    EXPECT_TRUE(p0.Ask(0, Info, Words({2}), 76, p1).ok);
    // Adapter 5 is listed, but the rig has no such adapter.
    EXPECT_EQ(p0.Ask(5, Pci, Words({5}), 4).error, ErrorInvalidFunction);
    EXPECT_EQ(p0.Ask(0, Info, Words({5}), 76).error, ErrorInvalidFunction);
}

TEST(Faults, TransientRefuseAndFailingBusAsTheRigSays) {
    Rig rig = MakeRig({Adapter(), Adapter()});
    rig.adapters[1].faults = RigFaults{.transient = {{"pci_identity", 2}},
                                       .refuse = {"adapter_info"},
                                       .readFailsAt = 0x4002,
                                       .writeFailsAt = 0x10,
                                       .unsteadyReadAt = 0x21,
                                       .chip = {}};
    Bench b(rig);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(b.Ask(1, Pci, Words({1}), 4).error, platform::ErrorGenFailure);
    EXPECT_TRUE(b.Ask(1, Pci, Words({1}), 4).ok);
    EXPECT_TRUE(b.Ask(0, Pci, Words({0}), 4).ok);  // faults belong to their adapter
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(b.Ask(0, Info, Words({1}), 76).error, ErrorInvalidFunction);
    EXPECT_TRUE(b.Ask(0, Info, Words({0}), 76).ok);

    EXPECT_EQ(b.Read(0x4000, 3, 1).error, platform::ErrorGenFailure);
    EXPECT_TRUE(b.Read(0x4000, 2, 1).ok && b.Read(0x4003, 9, 1).ok && b.Read(0x10, 1, 1).ok);
    EXPECT_NE(b.Read(0x20, 2, 1).output, b.Read(0x20, 2, 1).output);
    EXPECT_TRUE(b.Write(0x4002, {1}, 1).ok);
    EXPECT_EQ(b.Write(0x0F, {1, 2}, 1).error, platform::ErrorGenFailure);
}

}  // namespace
}  // namespace tarvex::sim
