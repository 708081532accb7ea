// A flash and an identification of adapter 1 send every EPROM request to
// adapter 1 alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "flash/chip_catalogue.h"
#include "flash/flash_run.h"
#include "flash/identify.h"
#include "flash_fixture.h"

namespace tarvex {
namespace {

using namespace testing;

class Routing : public FlashTest {};

sim::RigPort ListlessPort(uint32_t adapter) {
    sim::RigPort port;
    port.adapters = {adapter};
    port.adapterList = false;
    return port;
}

// Two adapters with different chips; adapter 1 holds an SST 39SF010A.
sim::Rig TwoAdapterRig(bool nt) {
    sim::Rig rig = MakeRig(
        {MakeAdapter(0x1C5D, 0x0A12, "AMD29F010"), MakeAdapter(0x1C5D, 0x0A13, "SST 39SF010A")});
    rig.host.nt = nt;
    if (nt) {
        // NT 5.0: one port per adapter, and no adapter list to say which.
        rig.host.major = 5;
        rig.host.minor = 0;
        rig.ports = {ListlessPort(0), ListlessPort(1)};
    } else {
        rig.driver.wrapperNames = {"wrapA4"};
    }
    return rig;
}

TEST_F(Routing, EpromRequestsOfAdapterOneTravelByItsPortOrItsPrefix) {
    for (bool nt : {true, false}) {
        SCOPED_TRACE(nt ? "NT 5.0, a port per adapter" : "9x wrapper");
        SimSession session(TwoAdapterRig(nt));
        EXPECT_STREQ(FlashChipName(1), "SST 39SF010A");
        LoadRunImage(TestImage(2048));
        EXPECT_EQ(FlashRun(1), 1);
        const auto requests = EpromRequests(session.Trace());
        ASSERT_FALSE(requests.empty());
        for (const sim::TraceRecord& r : requests) {
            ASSERT_EQ(r.result, 0u) << r.seq;
            ASSERT_EQ(r.epromAdapter, 1u) << r.seq;
            // On NT the port decides; on the wrapper the prefix word, traced as the
            // adapter.
            if (nt)
                ASSERT_EQ(r.device, "\\\\.\\Scsi1:") << r.seq;
            else
                ASSERT_EQ(r.adapter, 1u) << r.seq;
        }
        const auto untouched = session.Sim().ChipContents(0);
        EXPECT_TRUE(
            std::all_of(untouched.begin(), untouched.end(), [](uint8_t b) { return b == 0xFF; }));
    }
}

}  // namespace
}  // namespace tarvex
