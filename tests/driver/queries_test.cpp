#include <gtest/gtest.h>

#include <cstring>

#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
#include "platform/byte_order.h"
#include "support/sim_session.h"

namespace tarvex {
namespace {

using testing::MakeAdapter;
using testing::MakeRig;
using testing::SimSession;

TEST(Queries, AdapterInfoTravelsThroughSlotZeroWithTheAdapterInItsInput) {
    sim::Rig rig = MakeRig({MakeAdapter(0x1C5D, 0x0A12, "none", 3, "First"),
                            MakeAdapter(0x1C5D, 0x0A13, "none", 8, "Second"),
                            MakeAdapter(0x1C5D, 0x0A14, "none", 10, "Third")});
    rig.ports = std::vector<sim::RigPort>{{true, {0}, true, true}, {true, {1, 2}, true, true}};
    SimSession session(rig);

    AdapterInfo info;
    ASSERT_EQ(GetAdapterInfo(0, &info), 0);
    EXPECT_EQ(AdapterModelCode(info), 3);
    EXPECT_EQ(AdapterName(info), "First");
    // Adapter 2 sits behind port 1, but its information still travels through slot 0.
    ASSERT_EQ(GetAdapterInfo(2, &info), 0);
    EXPECT_EQ(AdapterModelCode(info), 10);
    EXPECT_EQ(AdapterName(info), "Third");
    const sim::TraceRecord request = session.Requests().back();
    EXPECT_EQ(request.kind, "adapter_info");
    EXPECT_EQ(request.device, "\\\\.\\Scsi0:");
}

TEST(Queries, AdapterNameStopsAtTheEndOfItsField) {
    AdapterInfo info;
    std::memset(info.bytes + AdapterNameOffset, 'N', AdapterNameSize);
    EXPECT_EQ(AdapterName(info), std::string(72, 'N'));
    info.bytes[AdapterNameOffset + 3] = 0;
    EXPECT_EQ(AdapterName(info), "NNN");
}

TEST(Queries, VersionAndCountComeFromTheDriver) {
    sim::Rig rig = MakeRig({MakeAdapter(0x1C5D, 0x0A12), MakeAdapter(0x1C5D, 0x0A13)});
    rig.driver.interfaceVersion = 0x01020304;
    rig.driver.adapterCount = 5;
    SimSession session(rig);
    EXPECT_EQ(GetInterfaceVersion(), 0x01020304u);
    EXPECT_EQ(GetAdapterCount(), 5);
}

TEST(Queries, ImageMatchesOnlyTheWholeIdentity) {
    SimSession session(MakeRig({MakeAdapter(0x1C5D, 0x0A12)}));
    EXPECT_EQ(ImageMatchesAdapter(0, 0x0A121C5D), 1);
    EXPECT_EQ(ImageMatchesAdapter(0, 0x0A131C5D), 0);  // same vendor, other device
    EXPECT_EQ(ImageMatchesAdapter(0, 0x0A121C5E), 0);
}

TEST(Queries, RomSizeFollowsTheAdapterIdentity) {
    SimSession session(MakeRig(
        {MakeAdapter(0x1C5D, 0x0B23), MakeAdapter(0x1C5D, 0x0C31), MakeAdapter(0x11AB, 0x5081)}));
    ASSERT_EQ(SetRomSizeForAdapter(1), 0);
    EXPECT_EQ(RomSize, 131072);
    ASSERT_EQ(SetRomSizeForAdapter(0), 0);
    EXPECT_EQ(RomSize, 65536);
    RomSize = 66560;
    ASSERT_EQ(SetRomSizeForAdapter(2), 0);
    EXPECT_EQ(RomSize, 65536);
    RomSize = 66560;
    EXPECT_EQ(SetRomSizeForAdapter(7), -1);  // no such adapter: identity unreadable
    EXPECT_EQ(RomSize, 66560);
}

TEST(Queries, FourteenIdentitiesHaveSmallRoms) {
    const uint32_t small[] = {0x0A111C5D, 0x0A121C5D, 0x0A131C5D, 0x0A141C5D, 0x0A151C5D,
                              0x0A161C5D, 0x0B211C5D, 0x0B221C5D, 0x0B231C5D, 0x00049005,
                              0x31121095, 0x31141095, 0x508111AB, 0x608111AB};
    for (uint32_t identity : small) EXPECT_EQ(RomSizeForIdentity(identity), 65536) << identity;
    const uint32_t large[] = {0x0C311C5D, 0x0C341C5D, 0x0A171C5D, 0x00059005,
                              0x0A111C5E, 0x1C5D0A11, 0x31131095, 0};
    for (uint32_t identity : large) EXPECT_EQ(RomSizeForIdentity(identity), 131072) << identity;
}

}  // namespace
}  // namespace tarvex
