#include <gtest/gtest.h>

#include <cstring>

#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
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
    // Adapter 2 sits behind port 1, but its information still travels through slot 0.
    ASSERT_EQ(GetAdapterInfo(2, &info), 0);
    EXPECT_EQ(std::tuple(AdapterModelCode(info), AdapterName(info), session.Requests().back().kind,
                         session.Requests().back().device),
              std::tuple(10, "Third", "adapter_info", "\\\\.\\Scsi0:"));
}

TEST(Queries, AdapterNameStopsAtTheEndOfItsField) {
    AdapterInfo info;
    std::memset(info.bytes + AdapterNameOffset, 'N', AdapterNameSize);
    EXPECT_EQ(AdapterName(info), std::string(72, 'N'));
    info.bytes[AdapterNameOffset + 3] = 0;
    EXPECT_EQ(AdapterName(info), "NNN");
}

TEST(Queries, VersionCountAndIdentityComeFromTheDriver) {
    sim::Rig rig = MakeRig({MakeAdapter(0x1C5D, 0x0A12), MakeAdapter(0x1C5D, 0x0A13)});
    rig.driver.interfaceVersion = 0x01020304;
    rig.driver.adapterCount = 5;
    SimSession session(rig);
    EXPECT_EQ(GetInterfaceVersion(), 0x01020304u);
    EXPECT_EQ(GetAdapterCount(), 5);
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
    // Both halves of the identity count.
    for (uint32_t identity : {0x0A111C5Eu, 0x1C5D0A11u})
        EXPECT_EQ(RomSizeForIdentity(identity), 131072);
}

}  // namespace
}  // namespace tarvex
