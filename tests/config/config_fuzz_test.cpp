#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "config/config_checksum.h"
#include "config/config_scan.h"
#include "config/value_slots.h"
#include "driver/rom_size.h"
#include "image_builder.h"

namespace tarvex {
namespace {

// Random bytes rich in marker pieces, in a vector of exactly the image's length.
std::vector<uint8_t> RandomImage(std::mt19937& rng) {
    static const char* const pieces[] = {"<VL>", "</V>", "<VB", "<VW", "<VD", ",", ">", "12"};
    std::vector<uint8_t> image(rng() % 1600);
    for (auto& byte : image) {
        byte = static_cast<uint8_t>(rng() % 3 ? "<>/VLBWD,09 x"[rng() % 13] : rng());
    }
    for (size_t n = image.empty() ? 0 : rng() % 40; n > 0; --n) {
        std::string piece = pieces[rng() % std::size(pieces)];
        size_t at = rng() % image.size();
        std::copy_n(piece.begin(), std::min(piece.size(), image.size() - at), image.begin() + at);
    }
    if (image.size() > 2) {
        image[2] = static_cast<uint8_t>(rng() % 2 ? rng() % 4 : rng());
    }
    return image;
}

// Well-formed entries, then a few flipped bytes and a cut to a random length.
std::vector<uint8_t> MutatedImage(std::mt19937& rng) {
    auto image = testing::BlankImage(1024, static_cast<uint8_t>(1 + rng() % 2));
    for (size_t at = 8 + rng() % 8, n = rng() % 25; n > 0 && at < 960; --n) {
        std::string label(rng() % 12, 'a');
        at = rng() % 2 ? testing::PutSwitch(image, at, label, static_cast<uint8_t>(rng()))
                       : testing::PutNumber(image, at, "BWD"[rng() % 3], "1,9", label, rng());
    }
    for (size_t n = rng() % 6; n > 0; --n) {
        image[rng() % image.size()] = static_cast<uint8_t>(rng());
    }
    return std::vector<uint8_t>(image.begin(), image.begin() + 1 + rng() % image.size());
}

size_t RomSize(const std::vector<uint8_t>& image) {
    return image.size() < 3 ? 0 : std::min<size_t>(image[2] * 512u, image.size());
}

// Each counted entry: "</V>" inside the ROM area right before a value that fits the buffer.
void CheckParsedEntries(const std::vector<uint8_t>& image) {
    ASSERT_LE(g_configEntryCount, 20);
    for (size_t i = 0; i < static_cast<size_t>(g_configEntryCount); ++i) {
        const ConfigEntry& e = g_configEntries[i];
        size_t width = ConfigValueWidth(e.kind);
        ASSERT_GT(width, 0u);
        ASSERT_LT(ConfigLabelText(e).size(), 40u);
        ASSERT_LE(e.location + width, image.size());
        ASSERT_LE(e.location, RomSize(image));
        ASSERT_GE(e.location, 8u);
        EXPECT_EQ(std::string(image.begin() + e.location - 4, image.begin() + e.location), "</V>");
        uint32_t value = 0;
        for (size_t b = 0; b < width; ++b) {
            value |= static_cast<uint32_t>(image[e.location + b]) << (8 * b);
        }
        EXPECT_EQ(e.value, value);
    }
}

bool InsideWrittenValue(size_t offset) {
    for (size_t i = 0; i < std::min<size_t>(g_configEntryCount, ConfigSlotCount); ++i) {
        const ConfigEntry& e = g_configEntries[i];
        if (offset >= e.location && offset < e.location + ConfigValueWidth(e.kind)) {
            return true;
        }
    }
    return false;
}

// Random slots change only value bytes of the first nine entries; the checksum one more byte.
void CheckWriteBack(std::vector<uint8_t>& image, std::mt19937& rng) {
    LoadValueSlots();
    for (auto& slot : g_configSlots) {
        slot = rng() % 2 ? slot : static_cast<uint16_t>(rng());
    }
    const auto parsed = image;
    bool changed = ApplyConfigValues(image);
    EXPECT_EQ(changed, image != parsed);
    for (size_t i = 0; i < image.size(); ++i) {
        EXPECT_TRUE(image[i] == parsed[i] || InsideWrittenValue(i)) << "byte " << i;
    }
    const auto applied = image;
    FixConfigChecksum(image, image.size());
    EXPECT_LE(std::inner_product(image.begin(), image.end(), applied.begin(), 0u, std::plus<>(),
                                 std::not_equal_to<>()),
              1u);
    unsigned sum = std::accumulate(image.begin(), image.begin() + RomSize(image), 0u);
    EXPECT_EQ(sum % 256, 0u);
}

TEST(ConfigFuzz, RandomAndMutatedImagesStayInsideTheirBuffers) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 4000 && !HasFailure(); ++round) {
        ResetConfigState();
        auto image = round % 2 ? RandomImage(rng) : MutatedImage(rng);
        ParseConfigEntries(image);
        CheckParsedEntries(image);
        CheckWriteBack(image, rng);
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round;
        }
    }
}

}  // namespace
}  // namespace tarvex
