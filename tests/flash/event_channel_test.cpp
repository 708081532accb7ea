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

using testing::RecordedEvents;

class EventChannel : public testing::FlashTest {};

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
    EXPECT_EQ(RecordedEvents()[0].code, EventFlashProgress);
    EXPECT_EQ(RecordedEvents()[0].value, 42);
    EXPECT_EQ(RecordedEvents()[0].text, "");
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
    EXPECT_STREQ(FlashStatusName(StatusOk), "StatusOk");
    EXPECT_STREQ(FlashStatusName(15), "StatusImageTooLarge");
    EXPECT_STREQ(FlashStatusName(16), "StatusScanChangedRom");
    EXPECT_STREQ(FlashStatusName(17), "StatusUnknown");
    EXPECT_STREQ(FlashStatusName(-1), "StatusUnknown");

    FlashRunState& run = CurrentFlashRunState();
    run = {3, 1, 9, std::make_unique<uint8_t[]>(4), 4, 2, StatusOk};
    RecordFlashStatus(StatusProtected);
    EXPECT_EQ(run.status, StatusProtected);
    SetEventSink(testing::RecordEvent);
    ResetFlashRunState();
    EXPECT_EQ(
        std::tie(run.adapter, run.force, run.file, run.imageLength, run.contentLength, run.status),
        std::make_tuple(0u, uint8_t{0}, NoFileDescriptor, 0, 0, StatusOk));
    EXPECT_EQ(run.image, nullptr);
    EXPECT_EQ(CurrentEventSink(), nullptr);
}

TEST(ImageChecksum, AdjustsTheLastDeclaredByteWithinTheBuffer) {
    std::vector<uint8_t> image(65536, 0);
    image[0] = 0x55;
    image[1] = 0xAA;
    image[2] = 0x40;      // 32 KiB declared
    image[40000] = 0x77;  // outside the declared range: not summed
    FixImageChecksum(image.data(), image.size());
    EXPECT_EQ(image[32767], static_cast<uint8_t>(0 - (0x55 + 0xAA + 0x40)));
    const std::vector<uint8_t> fixed = image;
    FixImageChecksum(image.data(), image.size());
    EXPECT_EQ(image, fixed);

    std::vector<uint8_t> overlong(1000, 0x01);
    overlong[2] = 0xFF;  // 130560 bytes declared: limited to the buffer
    FixImageChecksum(overlong.data(), overlong.size());
    EXPECT_EQ(testing::ByteSum(overlong.data(), overlong.size()), 0);
    EXPECT_EQ(overlong[998], 0x01);
}

TEST(ImageChecksum, LeavesEfiImagesAndZeroLengthsAlone) {
    std::vector<uint8_t> efi(1024, 0x11);
    efi[2] = 1;
    efi[4] = 0xF1;
    efi[5] = 0x0E;
    efi[6] = efi[7] = 0;
    std::vector<uint8_t> zeroLength(512, 0x33);
    zeroLength[2] = 0;
    for (std::vector<uint8_t>* image : {&efi, &zeroLength}) {
        const std::vector<uint8_t> before = *image;
        FixImageChecksum(image->data(), image->size());
        EXPECT_EQ(*image, before);
    }
}

}  // namespace
}  // namespace tarvex
