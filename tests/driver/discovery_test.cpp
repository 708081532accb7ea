#include "driver/discovery.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "driver/adapter_queries.h"
#include "driver/link_state.h"
#include "support/sim_session.h"

namespace tarvex {
namespace {

using testing::MakeAdapter;
using testing::MakeRig;
using testing::SimSession;

// Ports, separated by blanks: "-" a port number that does not exist, else a letter and the
// adapters the port serves: L answers the adapter list, U does not, R refuses the probe too.
std::vector<sim::RigPort> Ports(const std::string& spec) {
    std::vector<sim::RigPort> ports;
    std::istringstream tokens(spec);
    for (std::string token; tokens >> token;) {
        sim::RigPort& port = ports.emplace_back();
        port.exists = token != "-";
        port.adapterList = token[0] == 'L';
        port.answersProbe = token[0] != 'R';
        for (char c : token.substr(1)) port.adapters.push_back(static_cast<uint32_t>(c - '0'));
    }
    return ports;
}

// The devices opened, in order, without "\\.\" and ":"; a missing one marked "!".
std::string Opens(const SimSession& session) {
    std::string opens;
    for (const auto& record : session.Trace()) {
        if (record.type != sim::TraceRecord::Type::Open) continue;
        std::string name = record.openName.substr(4);
        if (name.ends_with(':')) name.pop_back();
        opens += (opens.empty() ? "" : " ") + std::string(record.openOk ? "" : "!") + name;
    }
    return opens;
}

// The four slots: the same letter for the same handle, '-' for none.
std::string Slots(const DriverLinkState& link) {
    std::string slots;
    for (int i = 0, first = 0; i < 4; ++i, first = 0) {
        while (link.adapterHandles[first] != link.adapterHandles[i]) ++first;
        slots += link.adapterHandles[i] == NoHandle ? '-' : static_cast<char>('A' + first);
    }
    return slots;
}

TEST(Discovery, PortsFillTheFourSlotsByListByHostVersionOrInOrder) {
    const struct {
        const char* host;  // major.minor; "-": no extended version record
        const char* ports;
        size_t adapters;
        const char* slots;
        bool portPerAdapter;
        int32_t useAdapterList;
        const char* opens;
        const char* routes;  // adapter:port its requests reach
    } cases[] = {
        // A listless port serves every slot, on NT 6 too.
        {"5.1", "U0123", 4, "AAAA", false, -1, "Scsi0 !Scsi1", "3:0"},
        {"6.0", "U0123", 4, "AAAA", false, -1, "Scsi0 !Scsi1", ""},
        // Listed adapters get their ports; the others, and numbers above 3, use slot 0.
        {"5.1", "L0 L1", 3, "AB--", false, 1, "Scsi0 Scsi1 !Scsi2", "1:1 2:0 4:0 5:0"},
        {"5.1", "L05", 4, "A---", false, 2, "Scsi0 !Scsi1", ""},
        // Older hosts place ports in order: to the first missing port number, four at most.
        {"5.0", "U0 - U1", 4, "A---", true, -1, "Scsi0 !Scsi1", ""},
        {"4.0", "U0 U1 U2 U3 U4", 5, "ABCD", true, -1, "Scsi0 Scsi1 Scsi2 Scsi3", ""},
        {"5.1-", "U0 U1", 4, "AB--", true, -1, "Scsi0 Scsi1 !Scsi2", ""},
        // A port that refuses the probe is closed; the next takes slot 0.
        {"5.0", "R0 U1", 4, "A---", true, -1, "Scsi0 Scsi1 !Scsi2", "0:1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.host) + " " + c.ports);
        sim::Rig rig = MakeRig(std::vector(c.adapters, MakeAdapter(0x1C5D, 0x0A12)));
        std::sscanf(c.host, "%u.%u", &rig.host.major, &rig.host.minor);
        rig.host.extendedVersionInfo = !std::string(c.host).ends_with('-');
        rig.ports = Ports(c.ports);
        SimSession session(rig);
        ASSERT_EQ(InitDriverLink(), 0);
        EXPECT_EQ(std::tuple(Slots(DriverLink()), DriverLink().portPerAdapter,
                             DriverLink().useAdapterList, Opens(session)),
                  std::tuple(c.slots, c.portPerAdapter, c.useAdapterList, c.opens));
        std::istringstream routes(c.routes);
        PciIdentity identity = 0;
        for (uint32_t adapter = 0, port = 0; routes >> adapter && routes.ignore() >> port;) {
            GetAdapterPciId(adapter, &identity);
            EXPECT_EQ(session.Requests().back().device, "\\\\.\\Scsi" + std::to_string(port) + ":")
                << adapter;
        }
    }
}

// A non-NT host's wrapper is opened by its second name when the first is missing; with neither,
// each query repeats the whole initialisation.
TEST(Discovery, WrapperFallsBackToItsSecondNameAndFailureIsRepeatedInFull) {
    sim::Rig rig = MakeRig({MakeAdapter(0x1C5D, 0x0A12)});
    rig.host.nt = false;
    rig.driver.wrapperNames = {};
    {
        SimSession session(rig);
        EXPECT_EQ(GetAdapterCount(), -1);
        EXPECT_EQ(Opens(session), "!wrapA4 !KvrWrap");
        EXPECT_EQ(GetInterfaceVersion(), 0xFFFFFFFFu);
        EXPECT_EQ(Opens(session), "!wrapA4 !KvrWrap !wrapA4 !KvrWrap");
        EXPECT_FALSE(DriverLink().linkReady);
        EXPECT_EQ(session.Sim().RequestCount(), 0u);
        EXPECT_EQ(ImageMatchesAdapter(0, 0x0A121C5D), 0);  // no link, no match
    }
    rig.driver.wrapperNames = {"KvrWrap"};
    SimSession session(rig);
    ASSERT_EQ(InitDriverLink(), 0);
    EXPECT_FALSE(DriverLink().isNtFamily);
    EXPECT_EQ(DriverLink().adapterHandles[0], DriverLink().currentDevice);
    EXPECT_EQ(Opens(session), "!wrapA4 KvrWrap");
}

TEST(Discovery, ReadyLinkSendsTheThreeFollowUpRequestsInOrder) {
    SimSession session(MakeRig({MakeAdapter(0x1C5D, 0x0A12)}));
    ASSERT_EQ(InitDriverLink(), 0);
    std::string kinds;
    for (const auto& request : session.Requests()) kinds += request.kind + " ";
    // The probe, the adapter list, then version, count and capability.
    EXPECT_EQ(kinds, "version adapter_list version adapter_count capability ");
}

}  // namespace
}  // namespace tarvex
