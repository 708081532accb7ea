#include "config/config_scan.h"

#include <gtest/gtest.h>

#include "config/config_state.h"
#include "support/rom_images.h"

namespace tarvex {
namespace {

using namespace testing;

// The counted entries as "kind:label[min,max]=value" (limits only when the marker had them).
std::string EntriesText() {
    std::string text;
    for (int32_t i = 0; i < g_configEntryCount; ++i) {
        const ConfigEntry& e = g_configEntries[static_cast<size_t>(i)];
        text +=
            (i ? " " : "") + std::string(ConfigEntryKindName(e.kind)) + ":" + ConfigLabelText(e);
        if (e.hasLimits) text += "[" + std::to_string(e.min) + "," + std::to_string(e.max) + "]";
        text += "=" + std::to_string(e.value);
    }
    return text;
}

class ConfigScanTest : public ::testing::Test {
protected:
    void SetUp() override { ResetConfigState(); }
    std::vector<uint8_t> image = BlankImage(1024, 1);  // ROM area 512 bytes
};

TEST_F(ConfigScanTest, ReadsEntriesInImageOrderWithKindsLimitsAndValues) {
    size_t at = PutSwitch(image, 40, "INT 13 support", 1);
    at = PutNumber(image, at + 3, 'B', "1,30", "Time", 7);
    at = PutNumber(image, at, 'W', "0,60000", "Word", 0xBEEF);
    size_t end = PutNumber(image, at, 'D', "-5,5", "Dword", 0x12345678);
    PutSwitch(image, 300, "", 9);
    ASSERT_EQ(ParseConfigEntries(image), 5);
    EXPECT_EQ(EntriesText(),
              "switch:INT 13 support=1 byte:Time[1,30]=7 word:Word[0,60000]=48879 "
              "dword:Dword[-5,5]=305419896 switch:=9");
    EXPECT_EQ(g_configEntries[0].location, 40u + 4 + 14 + 4);
    EXPECT_EQ(g_configEntries[3].location, end - 4);
}

TEST_F(ConfigScanTest, SizeByteZeroOrTinyImageScansNothing) {
    image[2] = 0;
    PutSwitch(image, 8, "A", 1);
    EXPECT_EQ(ParseConfigEntries(image), 0);
    EXPECT_EQ(ParseConfigEntries(std::vector<uint8_t>{0x55, 0xAA}), 0);
}

TEST_F(ConfigScanTest, SwitchLabelEndBeyondFortyBytesEndsTheScan) {
    size_t at = PutSwitch(image, 4, std::string(39, 'a'), 1);
    at = PutSwitch(image, at, std::string(40, 'b'), 1);
    PutSwitch(image, at, "after", 1);
    EXPECT_EQ(ParseConfigEntries(image), 1);
    EXPECT_EQ(ConfigLabelText(g_configEntries[1]), "");  // the dropped row keeps no label
}

// Each pair: the entry behind a dropped one is found from the resume point (a number marker
// without ">" in 40 bytes: the marker plus 4; one without "</V>": two after its ">"), but not
// from the byte before it.
TEST_F(ConfigScanTest, DroppedNumberResumesAtMarkerPlus4OrTwoAfterItsClose) {
    const struct {
        const char* marker;
        bool number;
        int found;
    } cases[] = {{"<VBx", true, 1}, {"<VD", true, 0}, {"<VB>x", false, 1}, {"<VB>", false, 0}};
    for (const auto& c : cases) {
        image = BlankImage(1024, 1);
        Put(image, 10, c.marker);
        const size_t at = 10 + std::string(c.marker).size();
        if (c.number)
            PutNumber(image, at, 'W', "1," + std::string(48 - at, ' '), "L", 5);
        else
            PutSwitch(image, at, std::string(36, 's'), 3);
        EXPECT_EQ(ParseConfigEntries(image), c.found) << c.marker;
    }
}

// Visible through the limits an examined number marker leaves in its row.
TEST_F(ConfigScanTest, LastPositionExaminedIsRomSizeMinusSix) {
    Put(image, 512 - 5, "<VB5,");
    ParseConfigEntries(image);
    EXPECT_FALSE(g_configEntries[0].hasLimits);
    Put(image, 512 - 6, "<VB5,7");
    ParseConfigEntries(image);
    EXPECT_EQ(g_configEntries[0].max, 7);
}

TEST_F(ConfigScanTest, LimitsConvertLikeStrtoulAndAreNeverInherited) {
    const char* cases[][2] = {{" 10, 20", "[10,20]"},      {"1,2,3", "[1,3]"},
                              {"0x10,20", "[0,20]"},       {"-5,+7", "[-5,7]"},
                              {"99999999999,1", "[-1,1]"}, {"", ""}};
    for (auto& c : cases) {
        image = BlankImage(512, 1);
        PutNumber(image, 8, 'B', c[0], "N", 0);
        ParseConfigEntries(image);
        EXPECT_EQ(EntriesText(), std::string("byte:N") + c[1] + "=0") << c[0];
    }
    EXPECT_EQ(g_configEntries[0].min, ConfigDefaultMin);
    EXPECT_EQ(g_configEntries[0].max, ConfigDefaultMax);
}

TEST_F(ConfigScanTest, TableHoldsAtMostTwentyEntries) {
    image[2] = 2;
    for (size_t i = 0, at = 8; i < 25; ++i) at = PutSwitch(image, at, "S" + std::to_string(i), 0);
    EXPECT_EQ(ParseConfigEntries(image), 20);
    EXPECT_EQ(ConfigLabelText(g_configEntries[19]), "S19");
}

TEST_F(ConfigScanTest, TruncatedImageScansOnlyTheBytesPresent) {
    image = BlankImage(600, 0x80);  // declares 64 KiB
    PutSwitch(image, 500, "in", 1);
    PutNumber(image, 600 - 15, 'D', "", "end", 0xA1B2C3D4);  // value fills the last 4 bytes
    ParseConfigEntries(image);
    EXPECT_EQ(EntriesText(), "switch:in=1 dword:end=2712847316");
    std::vector<uint8_t> cut(image.begin(), image.begin() + 598);  // the value runs past it
    EXPECT_EQ(ParseConfigEntries(cut), 1);
}

}  // namespace
}  // namespace tarvex
