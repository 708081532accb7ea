#include "flash/eprom_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "driver/control_codes.h"
#include "flash/chip_catalogue.h"
#include "flash/flash_run.h"
#include "flash/identify.h"
#include "flash_fixture.h"
#include "platform/byte_order.h"

namespace tarvex {
namespace {

using namespace testing;

class EpromAccess : public FlashTest {};

TEST_F(EpromAccess, WritesSendPaddedRequestsAndReadsComeBackLittleEndian) {
    sim::Rig rig = ChipRig("ATMEL FLASH");
    rig.trace.envelopes = true;
    SimSession session(rig);
    std::vector<uint8_t> block(512, 0x3C);
    ASSERT_EQ(WriteEpromByte(0, FlashControlOffset, 0x0F), StatusOk);
    ASSERT_EQ(WriteEprom(0, 0, block.data(), 512), StatusOk);
    ASSERT_EQ(WriteEpromByte(0, FlashControlOffset, 0x00), StatusOk);
    EXPECT_EQ(ReadEpromWord(0, FlashControlOffset), 0x631F);
    EXPECT_EQ(ReadEpromByte(0, 511), 0x3C);

    const auto requests = EpromRequests(session.Trace());
    ASSERT_EQ(requests.size(), 5u);
    // Input length word of the envelope, behind the 28-byte header.
    EXPECT_EQ(LoadLe32(&requests[0].envelope[28]), 20u);
    EXPECT_EQ(requests[0].epromOffset, FlashControlOffset);
    EXPECT_EQ(LoadLe32(&requests[1].envelope[28]), 532u);
    EXPECT_EQ(LoadLe32(&requests[1].envelope[32]), 0u);
    EXPECT_EQ(requests[3].epromDir, 0u);
    EXPECT_EQ(requests[3].epromLen, 2u);
    EXPECT_EQ(LoadLe32(&requests[3].envelope[28]), 16u);
    EXPECT_TRUE(TextsOf(EventText).empty());
}

TEST_F(EpromAccess, RefusedRequestsPostTheirMessageAndReadAsZero) {
    SimSession session(ChipRig("SST 39SF010A", {.readFailsAt = 0x4002, .writeFailsAt = 0x100}));
    uint8_t buffer[4] = {9, 9, 9, 9};
    EXPECT_EQ(ReadEprom(0, 0x4000, buffer, 4), StatusEpromRead);
    EXPECT_EQ(buffer[0] | buffer[1] | buffer[2] | buffer[3], 0);
    EXPECT_EQ(ReadEpromByte(0, 0x4002), 0);
    EXPECT_EQ(WriteEpromByte(0, 0x100, 0x12), StatusEpromWrite);
    EXPECT_EQ(TextsOf(EventText),
              (std::vector<std::string>{"Read EPROM 4 byte(s) at 0x4000 ERROR! \n",
                                        "Read EPROM 1 byte(s) at 0x4002 ERROR! \n",
                                        "Write EPROM 1 byte(s) at 0x100 ERROR! \n"}));
}

TEST_F(EpromAccess, LinkThatCannotComeUpFailsWithoutSending) {
    sim::Rig rig = ChipRig("SST 39SF010A");
    rig.host.nt = false;
    rig.driver.wrapperNames.clear();
    SimSession session(rig);
    EXPECT_EQ(ReadEpromWord(0, 0), 0);
    EXPECT_EQ(WriteEpromByte(0, 0x5555, 0xAA), StatusEpromWrite);
    EXPECT_TRUE(EpromRequests(session.Trace()).empty());
    EXPECT_EQ(TextsOf(EventText),
              (std::vector<std::string>{"Read EPROM 2 byte(s) at 0x0 ERROR! \n",
                                        "Write EPROM 1 byte(s) at 0x5555 ERROR! \n"}));
}

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

// A flash and an identification of adapter 1 send every EPROM request to adapter 1 alone.
TEST_F(EpromAccess, RequestsOfAdapterOneTravelByItsPortOrItsPrefix) {
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
