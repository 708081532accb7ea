#include "flash/event_channel.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "flash/flash_status.h"
#include "flash/image_checksum.h"
#include "flash/run_state.h"
#include "flash_fixture.h"

namespace tarvex {
namespace {

using namespace testing;

class EventChannel : public FlashTest {};

std::string StderrOf(void (*post)()) {
    ::testing::internal::CaptureStderr();
    post();
    return ::testing::internal::GetCapturedStderr();
}

TEST_F(EventChannel, SinkGetsEveryEventAndStandardErrorNone) {
    const std::string path(400, 'p');
    const std::string err = StderrOf([] {
        LogEvent(EventFlashProgress, 42, nullptr);
        LogEvent(EventText, 0, "Read EPROM %d byte(s) at 0x%x ERROR! \n", 1, 0x4002);
        LogEvent(EventText, 0, "Failed to open file: %s\n", std::string(400, 'p').c_str());
    });
    EXPECT_EQ(err, "");
    ASSERT_EQ(RecordedEvents().size(), 3u);
    const RecordedEvent& progress = RecordedEvents()[0];
    EXPECT_EQ(std::tie(progress.code, progress.value, progress.text),
              std::make_tuple(EventFlashProgress, 42, std::string()));
    EXPECT_EQ(RecordedEvents()[1].text, "Read EPROM 1 byte(s) at 0x4002 ERROR! \n");
    // Cut to the 255 characters the buffer holds.
    EXPECT_EQ(RecordedEvents()[2].text, ("Failed to open file: " + path).substr(0, 255));

    ResetFlashRunState();
    EXPECT_EQ(CurrentEventSink(), nullptr);
    EXPECT_EQ(StderrOf([] { LogEvent(EventPassed, 0, "Passed !\n"); }), "Passed !\n\n");
    EXPECT_EQ(StderrOf([] { LogEvent(EventVerifyProgress, 100, nullptr); }), "");
    EXPECT_EQ(StderrOf([] { LogEvent(EventText, 7, "loc=%xH", 0x1fffu); }), "loc=1fffH\n");
    EXPECT_EQ(RecordedEvents().size(), 3u);
}

TEST(FlashStatus, NamesFollowTheCodesAndResetClearsTheRecord) {
    EXPECT_STREQ(FlashStatusName(16), "StatusScanChangedRom");
    EXPECT_STREQ(FlashStatusName(17), "StatusUnknown");
    EXPECT_STREQ(FlashStatusName(-1), "StatusUnknown");

    FlashRunState& run = CurrentFlashRunState();
    run = {3, 1, 9, std::make_unique<uint8_t[]>(4), 4, 2, StatusOk};
    RecordFlashStatus(StatusProtected);
    EXPECT_EQ(run.status, StatusProtected);
    SetEventSink(RecordEvent);
    ResetFlashRunState();
    EXPECT_EQ(
        std::tie(run.adapter, run.force, run.file, run.imageLength, run.contentLength, run.status),
        std::make_tuple(0u, uint8_t{0}, NoFileDescriptor, 0, 0, StatusOk));
    EXPECT_EQ(run.image, nullptr);
    EXPECT_EQ(CurrentEventSink(), nullptr);
}

// A length declared past the buffer sums the buffer; the rest of the rule is the image_load fuzz
// entry's property, replayed over its kept inputs.
TEST(ImageChecksum, DeclaredLengthPastTheBufferIsCutToIt) {
    std::vector<uint8_t> overlong(1000, 0x01);
    overlong[2] = 0xFF;  // 130560 bytes
    FixImageChecksum(overlong.data(), overlong.size());
    EXPECT_EQ(ByteSum(overlong.data(), overlong.size()), 0);
    EXPECT_EQ(overlong[998], 0x01);
}

}  // namespace
}  // namespace tarvex
