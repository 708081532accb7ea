#include "config/value_input.h"

#include <gtest/gtest.h>

#include "config/config_state.h"

namespace tarvex {
namespace {

TEST(ValueInput, TypedNumbersConvertLikeAtoiModulo65536) {
    const std::pair<const char*, uint16_t> cases[] = {{"70000", 4464},
                                                      {"-1", 65535},
                                                      {" \t+12abc", 12},
                                                      {"abc", 0},
                                                      {"", 0},
                                                      {"- 5", 0},
                                                      {"0x20", 0},
                                                      {"65536000000000000000000000000007", 7},
                                                      {"-65536000000000000000001", 65535}};
    for (auto [text, value] : cases) EXPECT_EQ(ConvertTypedNumber(text), value) << text;
}

TEST(ValueInput, TypedNumbersAreJudgedUnnarrowedAgainstLimitsAndWidth) {
    ConfigEntry entry;
    entry.kind = ConfigEntryKind::ByteNumber;
    entry.min = 1, entry.max = 30;
    for (const char* accepted : {"1", "30", " +7x"})
        EXPECT_TRUE(TypedNumberAccepted(accepted, entry)) << accepted;
    for (const char* refused : {"0", "31", "-1", "65537", "abc"})
        EXPECT_FALSE(TypedNumberAccepted(refused, entry)) << refused;

    // Limits wider than the entry's width: the width decides.
    entry.min = -5, entry.max = 1000;
    EXPECT_EQ(std::pair(AcceptedRange(entry).min, AcceptedRange(entry).max), std::pair(0, 255));
    entry.kind = ConfigEntryKind::DwordNumber;  // edited as 16 bits
    entry.max = 70000;
    EXPECT_FALSE(TypedNumberAccepted("70000", entry));
    EXPECT_FALSE(TypedNumberAccepted("99999999999999999999999", entry));
    EXPECT_EQ(FormatLimitsMessage(-5, 300), "Please input the number between -5 and 300.");
}

TEST(ValueInput, StrictDecimalsTakeDigitsAlone) {
    EXPECT_EQ(ParseStrictDecimal("0"), 0);
    EXPECT_EQ(ParseStrictDecimal("0065535"), 65535);
    for (const char* text : {"", "0x10", "2 5", "-1", "+1", " 1", "1 ", "1e3"})
        EXPECT_FALSE(ParseStrictDecimal(text)) << text;
}

TEST(ValueInput, SwitchValuesAreNamesOrDigits) {
    const std::pair<const char*, std::optional<uint16_t>> cases[] = {
        {"Disable", 0},         {"0", 0},       {"Enable", 1},       {"1", 1},
        {"enable", 1},          {"DISABLE", 0}, {"2", std::nullopt}, {"Enabled", std::nullopt},
        {"Enabl", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseSwitchValue(text), value) << text;
}

TEST(ConfigState, UnterminatedLabelReadsFortyBytesAndResetClearsEverything) {
    g_configEntries[3].label.fill('x');
    EXPECT_EQ(ConfigLabelText(g_configEntries[3]), std::string(40, 'x'));
    g_configEntries[3].kind = ConfigEntryKind::WordNumber;
    g_configEntryCount = 4, g_configSlots[8] = 5;
    ResetConfigState();
    EXPECT_EQ(std::tuple(ConfigLabelText(g_configEntries[3]), g_configEntries[3].kind,
                         g_configEntryCount + g_configSlots[8]),
              std::tuple("", ConfigEntryKind::None, 0));
}

}  // namespace
}  // namespace tarvex
