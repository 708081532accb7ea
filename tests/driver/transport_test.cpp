#include "driver/transport.h"

#include <gtest/gtest.h>

#include <cstring>

#include "driver/adapter_queries.h"
#include "driver/discovery.h"
#include "platform/byte_order.h"
#include "platform/errors.h"
#include "support/sim_session.h"

namespace tarvex {
namespace {

using testing::MakeAdapter;
using testing::MakeRig;
using testing::SimSession;

sim::Rig TwoAdapterRig(bool nt) {
    sim::Rig rig = MakeRig({MakeAdapter(0x1C5D, 0x0A12), MakeAdapter(0x1C5D, 0x0C31)});
    rig.host.nt = nt;
    rig.trace.envelopes = true;
    return rig;
}

// The same envelope on either family; a non-NT host's wrapper wants the adapter first. Without
// input, the output area (reserved and sent even with no pointer) follows the length words.
TEST(Transport, EnvelopeIsWrittenWordByWordForEitherHostFamily) {
    for (bool nt : {true, false}) {
        SCOPED_TRACE(nt);
        SimSession session(TwoAdapterRig(nt));
        PciIdentity identity = 0;
        ASSERT_EQ(GetAdapterPciId(1, &identity), 0);
        EXPECT_EQ(identity, 0x0C311C5Du);
        sim::TraceRecord request = session.Requests().back();
        const std::vector<uint8_t>& e = request.envelope;
        const size_t h = nt ? 0 : 4;
        ASSERT_EQ(e.size(), h + 44);
        EXPECT_EQ(request.ioctl, nt ? 0x4D008u : PciIdentityCode);
        EXPECT_EQ(nt ? 1u : LoadLe32(&e[0]), 1u);
        EXPECT_EQ(std::memcmp(&e[h + 4], "KVR-CTRL", 8), 0);
        // Length covers both length words, the input and the output.
        const std::pair<size_t, uint32_t> words[] = {
            {0, 28}, {12, 10}, {16, PciIdentityCode}, {20, 0}, {24, 16}, {28, 4}, {32, 4}, {36, 1}};
        for (const auto& [offset, value] : words)
            EXPECT_EQ(LoadLe32(&e[h + offset]), value) << offset;

        uint8_t out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        ASSERT_EQ(DriverCommand(0, VersionCode, nullptr, 0, out, 4, NoHandle), 0);
        EXPECT_EQ(LoadLe32(out), 0x01000000u);
        ASSERT_EQ(DriverCommand(0, VersionCode, nullptr, 0, nullptr, 4, NoHandle), 0);
        request = session.Requests().back();
        ASSERT_EQ(request.envelope.size(), h + 40u);
        EXPECT_EQ(LoadLe32(&request.envelope[h + 24]), 12u);
    }
}

// A general failure is sent again three times, half a second apart; any other error never. A
// failed request leaves the output as it was.
TEST(Transport, GenFailureIsRepeatedThreeTimesHalfASecondApartAndOtherErrorsNever) {
    const struct {
        int failures;  // the next N requests fail with error 31; 0: every request fails (error 1)
        int32_t result;
        uint64_t requests, pauses;
        uint32_t error;  // the thread's last error after a failure
    } cases[] = {{3, 0, 4, 3, 0},
                 {4, -1, 4, 3, platform::ErrorGenFailure},
                 {0, -1, 1, 0, platform::ErrorInvalidFunction}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failures);
        sim::Rig rig = TwoAdapterRig(true);
        if (c.failures)
            rig.adapters[1].faults.transient["pci_identity"] = c.failures;
        else
            rig.adapters[1].faults.refuse.insert("pci_identity");
        SimSession session(rig);
        ASSERT_TRUE(EnsureDriverLink());
        const uint64_t start = session.Sim().Clock().NowUs();
        const uint64_t before = session.Sim().RequestCount();
        PciIdentity identity = 0x12345678;
        EXPECT_EQ(GetAdapterPciId(1, &identity), c.result);
        EXPECT_EQ(identity, c.result == 0 ? 0x0C311C5Du : 0x12345678u);
        EXPECT_EQ(session.Sim().RequestCount() - before, c.requests);
        EXPECT_EQ((session.Sim().Clock().NowUs() - start) / 1000, c.pauses * 500);  // to the ms
        EXPECT_EQ(c.result ? platform::GetLastError() : c.error, c.error);
    }
}

TEST(Transport, EnvelopeThatCannotBeAllocatedFailsWithoutSending) {
    SimSession session(TwoAdapterRig(true));
    ASSERT_TRUE(EnsureDriverLink());
    const uint64_t before = session.Sim().RequestCount();
    EXPECT_EQ(DriverCommand(0, VersionCode, nullptr, 0xFFFFFFF0u, nullptr, 0x100, NoHandle), -1);
    EXPECT_EQ(platform::GetLastError(), platform::ErrorNotEnoughMemory);
    EXPECT_EQ(session.Sim().RequestCount(), before);
}

}  // namespace
}  // namespace tarvex
