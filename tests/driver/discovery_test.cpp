#include "driver/discovery.h"

#include <gtest/gtest.h>

#include "driver/adapter_queries.h"
#include "driver/link_state.h"
#include "support/sim_session.h"

namespace tarvex {
namespace {

using testing::MakeAdapter;
using testing::MakeRig;
using testing::SimSession;

sim::RigPort Port(std::vector<uint32_t> adapters, bool list = true, bool probe = true) {
    sim::RigPort port;
    port.adapters = std::move(adapters);
    port.adapterList = list;
    port.answersProbe = probe;
    return port;
}

sim::RigPort MissingPort() {
    sim::RigPort port;
    port.exists = false;
    return port;
}

sim::Rig PortRig(uint32_t major, uint32_t minor, std::vector<sim::RigPort> ports,
                 int adapters = 4) {
    std::vector<sim::RigAdapter> list;
    for (int i = 0; i < adapters; ++i)
        list.push_back(MakeAdapter(0x1C5D, static_cast<uint16_t>(0x0A11 + i)));
    sim::Rig rig = MakeRig(list);
    rig.host.major = major;
    rig.host.minor = minor;
    rig.ports = std::move(ports);
    return rig;
}

std::vector<std::string> Opens(const SimSession& session) {
    std::vector<std::string> opens;
    for (const auto& record : session.Trace())
        if (record.type == sim::TraceRecord::Type::Open)
            opens.push_back(record.openName + (record.openOk ? "" : " (missing)"));
    return opens;
}

TEST(Discovery, PortWithoutAdapterListServesEveryAdapterOnNewerHosts) {
    SimSession session(PortRig(5, 1, {Port({0, 1, 2, 3}, false)}));
    ASSERT_EQ(InitDriverLink(), 0);
    const DriverLinkState& link = DriverLink();
    EXPECT_EQ(link.useAdapterList, -1);
    EXPECT_FALSE(link.portPerAdapter);
    EXPECT_NE(link.adapterHandles[0], NoHandle);
    for (Handle slot : link.adapterHandles) EXPECT_EQ(slot, link.adapterHandles[0]);
}

TEST(Discovery, OneListlessPortOnAnNt6HostServesAllFourSlots) {
    SimSession session(PortRig(6, 0, {Port({0, 1, 2, 3}, false)}));
    ASSERT_EQ(InitDriverLink(), 0);
    const DriverLinkState& link = DriverLink();
    EXPECT_FALSE(link.portPerAdapter);
    ASSERT_NE(link.adapterHandles[0], NoHandle);
    for (Handle slot : link.adapterHandles) EXPECT_EQ(slot, link.adapterHandles[0]);
}

TEST(Discovery, AdapterNumbersOfFourAndAboveUseSlotZerosHandle) {
    SimSession session(PortRig(5, 1, {Port({0}), Port({1})}, 2));
    PciIdentity identity = 0;
    GetAdapterPciId(1, &identity);
    EXPECT_EQ(session.Requests().back().device, "\\\\.\\Scsi1:");
    for (uint32_t adapter : {4u, 5u}) {
        GetAdapterPciId(adapter, &identity);
        EXPECT_EQ(session.Requests().back().device, "\\\\.\\Scsi0:") << adapter;
    }
}

TEST(Discovery, ListedAdaptersGetTheirPortsAndOthersFallBackToSlotZero) {
    sim::Rig rig = PortRig(5, 1, {Port({0}), Port({1})}, 2);
    rig.adapters.push_back(MakeAdapter(0x1C5D, 0x0A13));  // served by no port's list
    SimSession session(rig);
    ASSERT_EQ(InitDriverLink(), 0);
    const DriverLinkState& link = DriverLink();
    EXPECT_NE(link.adapterHandles[0], NoHandle);
    EXPECT_NE(link.adapterHandles[1], NoHandle);
    EXPECT_NE(link.adapterHandles[0], link.adapterHandles[1]);
    EXPECT_EQ(link.adapterHandles[2], NoHandle);
    EXPECT_EQ(link.adapterHandles[3], NoHandle);

    PciIdentity identity = 0;
    GetAdapterPciId(1, &identity);
    EXPECT_EQ(session.Requests().back().device, "\\\\.\\Scsi1:");
    GetAdapterPciId(2, &identity);
    EXPECT_EQ(session.Requests().back().device, "\\\\.\\Scsi0:");
}

TEST(Discovery, ListedNumbersOfFourAndAboveAreSkipped) {
    SimSession session(PortRig(5, 1, {Port({0, 5})}));
    ASSERT_EQ(InitDriverLink(), 0);
    const DriverLinkState& link = DriverLink();
    EXPECT_NE(link.adapterHandles[0], NoHandle);
    for (int slot = 1; slot < 4; ++slot) EXPECT_EQ(link.adapterHandles[slot], NoHandle);
}

TEST(Discovery, StopsAtTheFirstMissingPortNumber) {
    SimSession session(PortRig(5, 0, {Port({0}, false), MissingPort(), Port({1}, false)}));
    ASSERT_EQ(InitDriverLink(), 0);
    EXPECT_EQ(Opens(session),
              (std::vector<std::string>{"\\\\.\\Scsi0:", "\\\\.\\Scsi1: (missing)"}));
    EXPECT_NE(DriverLink().adapterHandles[0], NoHandle);
    EXPECT_EQ(DriverLink().adapterHandles[1], NoHandle);
}

TEST(Discovery, RefusingPortIsClosedAndTheNextOneTakesTheFirstSlot) {
    SimSession session(PortRig(5, 0, {Port({0}, false, false), Port({1}, false)}));
    ASSERT_EQ(InitDriverLink(), 0);
    const DriverLinkState& link = DriverLink();
    EXPECT_NE(link.adapterHandles[0], NoHandle);
    EXPECT_EQ(link.adapterHandles[1], NoHandle);
    PciIdentity identity = 0;
    GetAdapterPciId(0, &identity);
    EXPECT_EQ(session.Requests().back().device, "\\\\.\\Scsi1:");
}

TEST(Discovery, OlderHostsPlacePortsInOrderAndStopAfterTheFourth) {
    std::vector<sim::RigPort> ports;
    for (uint32_t i = 0; i < 5; ++i) ports.push_back(Port({i}, false));
    SimSession session(PortRig(4, 0, ports, 5));
    ASSERT_EQ(InitDriverLink(), 0);
    const DriverLinkState& link = DriverLink();
    EXPECT_TRUE(link.portPerAdapter);
    for (int a = 0; a < 4; ++a) {
        ASSERT_NE(link.adapterHandles[a], NoHandle);
        for (int b = 0; b < a; ++b) EXPECT_NE(link.adapterHandles[a], link.adapterHandles[b]);
    }
    // The fifth port is never opened.
    EXPECT_EQ(Opens(session).size(), 4u);
}

TEST(Discovery, HostThatRefusesTheExtendedRecordKeepsPortPerAdapter) {
    sim::Rig rig = PortRig(5, 1, {Port({0}, false), Port({1}, false)});
    rig.host.extendedVersionInfo = false;
    SimSession session(rig);
    ASSERT_EQ(InitDriverLink(), 0);
    EXPECT_TRUE(DriverLink().portPerAdapter);
    EXPECT_NE(DriverLink().adapterHandles[0], DriverLink().adapterHandles[1]);
}

TEST(Discovery, WrapperFallsBackToItsSecondName) {
    sim::Rig rig = MakeRig({MakeAdapter(0x1C5D, 0x0A12)});
    rig.host.nt = false;
    rig.driver.wrapperNames = {"KvrWrap"};
    SimSession session(rig);
    ASSERT_EQ(InitDriverLink(), 0);
    EXPECT_FALSE(DriverLink().isNtFamily);
    EXPECT_NE(DriverLink().currentDevice, NoHandle);
    EXPECT_EQ(DriverLink().adapterHandles[0], DriverLink().currentDevice);
    EXPECT_EQ(Opens(session),
              (std::vector<std::string>{"\\\\.\\wrapA4 (missing)", "\\\\.\\KvrWrap"}));
}

TEST(Discovery, FailedInitialisationIsRepeatedInFullByTheNextQuery) {
    sim::Rig rig = MakeRig({MakeAdapter(0x1C5D, 0x0A12)});
    rig.host.nt = false;
    rig.driver.wrapperNames = {};
    SimSession session(rig);
    EXPECT_EQ(GetAdapterCount(), -1);
    EXPECT_EQ(Opens(session).size(), 2u);
    EXPECT_EQ(GetInterfaceVersion(), 0xFFFFFFFFu);
    EXPECT_EQ(Opens(session).size(), 4u);
    EXPECT_FALSE(DriverLink().linkReady);
    EXPECT_EQ(session.Sim().RequestCount(), 0u);
}

TEST(Discovery, ReadyLinkSendsTheThreeFollowUpRequestsInOrder) {
    SimSession session(MakeRig({MakeAdapter(0x1C5D, 0x0A12)}));
    ASSERT_EQ(InitDriverLink(), 0);
    std::vector<std::string> kinds;
    for (const auto& request : session.Requests()) kinds.push_back(request.kind);
    // The probe, the adapter list, then version, count and capability.
    EXPECT_EQ(kinds, (std::vector<std::string>{"version", "adapter_list", "version",
                                               "adapter_count", "capability"}));
}

}  // namespace
}  // namespace tarvex
