#include "config/value_slots.h"

#include <gtest/gtest.h>

#include <numeric>

#include "config/config_checksum.h"
#include "config/config_scan.h"
#include "config/config_state.h"
#include "support/rom_images.h"

namespace tarvex {
namespace {

using namespace testing;

class ValueSlotsTest : public ::testing::Test {
protected:
    // A switch holding 2, a byte, a word and a dword above 65535.
    void SetUp() override {
        ResetConfigState();
        size_t at = PutSwitch(image, 32, "Hook", 2);
        at = PutNumber(image, at, 'B', "0,255", "Byte", 200);
        at = PutNumber(image, at, 'W', "0,65535", "Word", 0xBEEF);
        PutNumber(image, at, 'D', "0,65535", "Dword", 0x00012345);
        ASSERT_EQ(ParseConfigEntries(image), 4);
        LoadValueSlots();
    }
    uint8_t& At(size_t row, size_t byte = 0) { return image[g_configEntries[row].location + byte]; }
    std::vector<uint8_t> image = BlankImage(512, 1);
};

TEST_F(ValueSlotsTest, UntouchedEntriesStayByteForByteWhileOthersChange) {
    EXPECT_EQ(std::vector<uint16_t>(g_configSlots.begin(), g_configSlots.begin() + 4),
              (std::vector<uint16_t>{2, 200, 0xBEEF, 0x2345}));
    auto before = image;
    EXPECT_FALSE(ApplyConfigValues(image));
    EXPECT_EQ(image, before);

    g_configSlots[0] = 1, g_configSlots[1] = 201, g_configSlots[2] = 0x1234;
    EXPECT_TRUE(ApplyConfigValues(image));
    std::swap(before, image);
    At(0) = 1, At(1) = 201, At(2, 0) = 0x34, At(2, 1) = 0x12;
    EXPECT_EQ(before, image);  // the dword keeps 0x12345

    // A dword named a value, even its own narrowed copy, is written whole, 16 bits wide.
    NameSlotValue(3, 0x2345);
    EXPECT_TRUE(ApplyConfigValues(image));
    EXPECT_EQ(At(3, 0) | At(3, 1) << 8 | At(3, 2) << 16 | At(3, 3) << 24, 0x2345);
}

TEST(ValueSlotsRows, EntriesBeyondTheNinthAreNeverWritten) {
    auto image = BlankImage(512, 1);
    for (size_t i = 0, at = 8; i < 12; ++i) at = PutNumber(image, at, 'B', "", "N", 10);
    ASSERT_EQ(ParseConfigEntries(image), 12);
    g_configSlots.fill(99);
    EXPECT_TRUE(ApplyConfigValues(image));
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(image[g_configEntries[i].location], i < 9 ? 99 : 10) << i;
}

TEST(ConfigChecksum, AdjustsLastRomByteOrOffset28ByFileLength) {
    for (size_t length : {512u, 1024u}) {
        auto image = BlankImage(length, 1);
        image[100] = 0x37, image[511] = 0x10;
        auto before = image;
        FixConfigChecksum(image, length);
        EXPECT_EQ(std::accumulate(image.begin(), image.begin() + 512, 0u) % 256, 0u);
        before[length == 512 ? 511 : 28] = image[length == 512 ? 511 : 28];
        EXPECT_EQ(image, before) << length;
    }
}

TEST(ConfigChecksum, TruncatedOrEmptyAreaStaysInsideTheBuffer) {
    auto image = BlankImage(700, 4);  // declares 2048 bytes
    image[600] = 0x21;
    FixConfigChecksum(image, image.size());
    EXPECT_EQ(std::accumulate(image.begin(), image.end(), 0u) % 256, 0u);
    EXPECT_NE(image[699], 0);

    auto unsized = BlankImage(20, 0);
    FixConfigChecksum(unsized, unsized.size());
    EXPECT_EQ(unsized, BlankImage(20, 0));
}

}  // namespace
}  // namespace tarvex
