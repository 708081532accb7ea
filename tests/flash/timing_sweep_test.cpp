#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "flash/chip_catalogue.h"
#include "flash/flash_run.h"
#include "flash/run_state.h"
#include "flash_fixture.h"
#include "sim/chips/chip_model.h"

namespace tarvex {
namespace {

using testing::LoadRunImage;
using testing::RecordedEvents;
using testing::SimSession;
using testing::TestImage;
using testing::TextsOf;
using Pace = sim::ChipTiming::Pace;

// A host and its chips: how fast requests go, and where in their datasheet ranges the chips'
// operations fall.
struct Host {
    Pace pace;
    uint64_t seed;
    uint32_t latencyUs;
};

std::string HostText(const Host& host) {
    const char* pace = host.pace == Pace::Typical ? "Typical"
                       : host.pace == Pace::Max   ? "Max"
                                                  : "Random";
    return std::string(pace) + "ChipsAt" + std::to_string(host.latencyUs) + "us";
}

std::string HostName(const ::testing::TestParamInfo<Host>& info) {
    return HostText(info.param);
}

void PrintTo(const Host& host, std::ostream* out) {
    *out << HostText(host);
}

// Flashes an image of up to `length` bytes (no more than the part holds) on every row and
// checks that it passed and that the ROM holds the image.
void FlashEveryRow(const Host& host, uint32_t length) {
    for (int32_t row = 0; row < FlashChipCount; ++row) {
        const std::string name = FlashChipTable[row].name;
        SCOPED_TRACE(name);
        RecordedEvents().clear();
        ResetFlashRunState();
        SetEventSink(testing::RecordEvent);  // the reset took the fixture's sink away
        sim::Rig rig = testing::ChipRig(name);
        rig.adapters[0].device = row == 0 ? 0x0C31 : 0x0C35;  // only row 0 on a 0C31
        rig.clock.requestLatencyUs = host.latencyUs;
        rig.clock.chipTiming = {host.pace, host.seed};
        SimSession session(rig, false);
        const uint32_t imageLength = std::min(length, sim::ChipModelSize(name));
        LoadRunImage(TestImage(imageLength, static_cast<uint32_t>(row) + 1));
        const int32_t result = FlashRun(0);
        const auto texts = TextsOf(EventText);
        std::string said;
        for (const std::string& text : texts) said += text;
        EXPECT_EQ(result, 1) << said;
        EXPECT_EQ(CurrentFlashRunState().status, StatusOk);
        EXPECT_TRUE(std::none_of(texts.begin(), texts.end(), [](const std::string& t) {
            return t.rfind("Update ", 0) == 0;
        })) << "a page needed a second write";
        const auto rom = session.Sim().ChipContents(0);
        const uint8_t* image = CurrentFlashRunState().image.get();
        ASSERT_GE(rom.size(), imageLength);
        EXPECT_TRUE(std::equal(image, image + imageLength, rom.begin()));
    }
}

class Sweep : public testing::FlashTest, public ::testing::WithParamInterface<Host> {};

// A small image keeps the sweep cheap; the page-write parts still get a top page and page 0.
TEST_P(Sweep, EveryRowFlashesAndVerifies) {
    FlashEveryRow(GetParam(), 4096);
}

INSTANTIATE_TEST_SUITE_P(Hosts, Sweep,
                         ::testing::Values(Host{Pace::Typical, 0, 20}, Host{Pace::Typical, 0, 2},
                                           Host{Pace::Max, 0, 20}, Host{Pace::Max, 0, 2},
                                           Host{Pace::Random, 16, 20}, Host{Pace::Random, 16, 2}),
                         HostName);

}  // namespace
}  // namespace tarvex
