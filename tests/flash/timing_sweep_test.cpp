#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "flash/chip_catalogue.h"
#include "flash/flash_run.h"
#include "flash/run_state.h"
#include "flash_fixture.h"

namespace tarvex {
namespace {

using namespace testing;
using Pace = sim::ChipTiming::Pace;

// A host: the pace of its chips within their datasheet ranges, and its request latency in us.
class Sweep : public FlashTest, public ::testing::WithParamInterface<std::tuple<Pace, uint32_t>> {};

// Every row flashes an image with a zero tail, verifies it and says so in order. A small image
// keeps the sweep cheap; the page-write parts still get a top page and page 0.
TEST_P(Sweep, EveryRowFlashesAndVerifies) {
    const auto [pace, latencyUs] = GetParam();
    constexpr uint32_t Length = 4096, Content = 3072;
    for (int32_t row = 0; row < FlashChipCount; ++row) {
        const std::string name = FlashChipTable[row].name;
        SCOPED_TRACE(name);
        RecordedEvents().clear();
        ResetFlashRunState();
        SetEventSink(RecordEvent);  // the reset took the fixture's sink away
        sim::Rig rig = ChipRig(name);
        rig.adapters[0].device = row == 0 ? 0x0C31 : 0x0C35;  // only row 0 on a 0C31
        rig.clock.requestLatencyUs = latencyUs;
        rig.clock.chipTiming = {pace, 16};
        SimSession session(rig, false);
        LoadRunImage(ImageWithZeroTail(Length, Content, row + 1));
        ASSERT_EQ(FlashRun(0), 1) << ::testing::PrintToString(EventTexts());
        const auto texts = TextsOf(EventText);
        EXPECT_EQ(CurrentFlashRunState().status, StatusOk);
        EXPECT_TRUE(std::none_of(texts.begin(), texts.end(), [](const std::string& t) {
            return t.rfind("Update ", 0) == 0;
        })) << "a page needed a second write";
        const uint8_t* image = CurrentFlashRunState().image.get();
        EXPECT_EQ(ByteSum(image, Content), 0);
        const auto rom = session.Sim().ChipContents(0);
        EXPECT_TRUE(std::equal(image, image + Length, rom.begin()));

        const auto& events = RecordedEvents();
        const size_t vendor = IndexOf(EventText) + 1, done = IndexOf(EventFlashDone);
        ASSERT_LT(vendor, events.size());
        EXPECT_EQ(events[vendor].text, "EPROM Vendor: " + name + "\n");
        EXPECT_LT(vendor, IndexOf(EventFlashing));
        EXPECT_LT(IndexOf(EventFlashing), done);
        EXPECT_EQ(IndexOf(EventVerifying), done + 1);
        EXPECT_EQ(TextsOf(EventVerifying), std::vector<std::string>{"\nVerifing ....\n"});
        const auto verified = ValuesOf(EventVerifyProgress);
        ASSERT_EQ(verified.size(), Length);
        EXPECT_TRUE(std::is_sorted(verified.begin(), verified.end()));
        EXPECT_EQ(verified.back(), 100);
        const auto programmed = ValuesOf(EventFlashProgress);
        EXPECT_TRUE(std::is_sorted(programmed.begin(), programmed.end()));
        EXPECT_EQ(events.back().code, EventPassed);
        EXPECT_EQ(events.back().text, "Passed !\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Hosts, Sweep,
                         ::testing::Combine(::testing::Values(Pace::Typical, Pace::Max,
                                                              Pace::Random),
                                            ::testing::Values(20u, 2u)));

}  // namespace
}  // namespace tarvex
