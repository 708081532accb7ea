#include <gtest/gtest.h>

#include "config/config_state.h"
#include "config/value_input.h"

namespace tarvex {
namespace {

TEST(ValueInput, TypedNumbersConvertLikeAtoiModulo65536) {
    const std::pair<const char*, uint16_t> cases[] = {
        {"70000", 4464}, {"-1", 65535}, {" \t+12abc", 12}, {"abc", 0}, {"", 0}, {"- 5", 0},
        {"0x20", 0}, {"65536000000000000000000000000007", 7}, {"-65536000000000000000001", 65535}};
    for (auto [text, value] : cases) {
        EXPECT_EQ(ConvertTypedNumber(text), value) << text;
    }
}

TEST(ValueInput, LimitsCompareAsSignedNumbersBothEndsIncluded) {
    ConfigEntry entry;
    entry.min = 1, entry.max = 30;
    EXPECT_TRUE(NumberWithinLimits(1, entry) && NumberWithinLimits(30, entry));
    EXPECT_FALSE(NumberWithinLimits(0, entry) || NumberWithinLimits(31, entry));
    entry.min = -5, entry.max = -1;  // a slot is never negative
    EXPECT_FALSE(NumberWithinLimits(65535, entry));
    entry.max = 70000;
    EXPECT_TRUE(NumberWithinLimits(65535, entry));
    EXPECT_EQ(FormatLimitsMessage(-5, 300), "Please input the number between -5 and 300.");
}

TEST(ValueInput, SwitchValuesAndKindNames) {
    EXPECT_EQ(ParseSwitchValue("Disable"), 0);
    EXPECT_EQ(ParseSwitchValue("0"), 0);
    EXPECT_EQ(ParseSwitchValue("Enable"), 1);
    EXPECT_EQ(ParseSwitchValue("1"), 1);
    EXPECT_FALSE(ParseSwitchValue("2") || ParseSwitchValue("enable"));
    EXPECT_EQ(ConfigEntryKindName(ConfigEntryKind::Switch), "switch");
    EXPECT_EQ(ConfigEntryKindName(ConfigEntryKind::DwordNumber), "dword");
}

TEST(ConfigState, UnterminatedLabelReadsFortyBytesAndResetClearsEverything) {
    g_configEntries[3].label.fill('x');
    EXPECT_EQ(ConfigLabelText(g_configEntries[3]), std::string(40, 'x'));
    g_configEntries[3].kind = ConfigEntryKind::WordNumber;
    g_configEntryCount = 4, g_configSlots[8] = 5;
    ResetConfigState();
    EXPECT_EQ(ConfigLabelText(g_configEntries[3]), "");
    EXPECT_EQ(g_configEntries[3].kind, ConfigEntryKind::None);
    EXPECT_EQ(g_configEntryCount + g_configSlots[8], 0);
}

}  // namespace
}  // namespace tarvex
