#include "image/option_rom_info.h"

#include <gtest/gtest.h>

#include <numeric>

#include "config/config_scan.h"
#include "config/config_state.h"
#include "image/config_image_check.h"
#include "support/test_files.h"

namespace tarvex::testing {
namespace {

// A sample marked as followed by another image `units` 512-byte blocks after its start.
std::vector<uint8_t> Chained(uint32_t size, uint16_t units) {
    std::vector<uint8_t> image = SampleRom(0x1C5D, 0x0C32, size);
    image[0x50] = static_cast<uint8_t>(units);
    image[0x55] = 0x00;  // not the last image
    return image;
}

TEST(OptionRomInfo, SamplesAreValidImagesWithConfigEntriesOfEveryKind) {
    const std::vector<uint8_t> file = MakeSampleImage({0x1C5D, 0x0B22, 2048, ClassCodeIde, "b"});
    const OptionRomInfo info = DescribeOptionRom(file);
    ASSERT_EQ(info.images.size(), 1u);
    const RomImageInfo& image = info.images[0];
    EXPECT_EQ(
        std::tuple(info.problem, info.identity, image.checksumOk, image.efi, image.pci.signatureOk,
                   image.pci.lastImage, image.declaredSize, image.pci.imageLength,
                   image.pci.classCode),
        std::tuple(RomProblem::None, 0x0B221C5Du, true, false, true, true, 2048u, 4, ClassCodeIde));
    ASSERT_EQ(ParseConfigEntries(file), 6);
    EXPECT_EQ(std::pair(g_configEntries[5].kind, g_configEntries[5].value),
              std::pair(ConfigEntryKind::DwordNumber, 30u));
    EXPECT_TRUE(MakeSampleImage({0x1C5D, 0x0A12, 1000, ClassCodeRaid, ""}).empty());
    EXPECT_TRUE(MakeSampleImage({0x1C5D, 0x0A12, SampleMaxSize + 512, ClassCodeRaid, ""}).empty());
}

TEST(OptionRomInfo, WalksImagesByLengthUntilTheLastFlagTheEndOrAMissingSignature) {
    std::vector<uint8_t> file = Chained(2048, 4);
    std::vector<uint8_t> efi = SampleRom(0x1C5D, 0x0C32, 1024);
    efi[4] = 0xF1;
    efi[5] = 0x0E;
    file.insert(file.end(), efi.begin(), efi.end());
    file.resize(file.size() + 4096, 0xFF);  // padding after the last image
    OptionRomInfo info = DescribeOptionRom(file);
    ASSERT_EQ(info.images.size(), 2u);
    const RomImageInfo& second = info.images[1];
    EXPECT_EQ(std::tuple(second.start, second.pci.offset, second.efi, second.pci.lastImage),
              std::tuple(2048u, 2048u + 0x40, true, true));

    EXPECT_EQ(DescribeOptionRom(Chained(1024, 2)).images.size(), 1u);  // next one past the end
    std::vector<uint8_t> garbage = Chained(1024, 2);
    garbage.resize(2048, 0xFF);
    info = DescribeOptionRom(garbage);
    ASSERT_EQ(info.images.size(), 2u);
    EXPECT_FALSE(info.images[1].signatureOk);
    std::vector<uint8_t> many;
    for (int i = 0; i < 40; ++i) many.insert(many.end(), garbage.begin(), garbage.begin() + 1024);
    EXPECT_EQ(DescribeOptionRom(many).images.size(), MaxDescribedImages);
}

TEST(OptionRomInfo, NamesWhyAFileIsNoImageForAFlashAndForConfigReadingOnlyFieldsInsideIt) {
    using Problems = std::pair<RomProblem, RomProblem>;  // a flash's, Config's
    const auto problems = [](const std::vector<uint8_t>& file) {
        const OptionRomInfo info = DescribeOptionRom(file);
        return Problems(info.problem, info.configProblem);
    };
    EXPECT_EQ(problems({0x55, 0xAA, 1}), Problems(RomProblem::TooShort, RomProblem::TooShort));
    std::vector<uint8_t> file = SampleRom(0x1C5D, 0x0A12, 1024);
    std::swap(file[0], file[1]);
    EXPECT_EQ(problems(file), Problems(RomProblem::NoSignature, RomProblem::NoSignature));
    std::swap(file[0], file[1]);
    // A flash reads the identity from its buffer, the file and a zero tail to 64 KiB; Config
    // wants the identity's first byte inside the file.
    const auto pciDataAt = [&](size_t offset) {
        file[24] = static_cast<uint8_t>(offset), file[25] = static_cast<uint8_t>(offset >> 8);
        return problems(file);
    };
    EXPECT_EQ(pciDataAt(file.size() - 5), Problems(RomProblem::None, RomProblem::None));
    EXPECT_EQ(pciDataAt(file.size() - 4),
              Problems(RomProblem::None, RomProblem::PciDataOutsideFile));
    pciDataAt(0x3FE);
    const OptionRomInfo tail = DescribeOptionRom(file);
    EXPECT_EQ(std::tuple(tail.problem, tail.identityReadable, tail.identity),
              std::tuple(RomProblem::None, true, 0u));
    EXPECT_EQ(pciDataAt(0xFFFD).first, RomProblem::IdentityOutside);  // identity at 0x10001
    EXPECT_EQ(ConfigImageProblem(std::vector<uint8_t>(file.begin(), file.begin() + 25)),
              RomProblem::PciDataOutsideFile);  // the offset field itself is cut off

    // Room for the identity, not for the rest of the data structure or the declared length.
    pciDataAt(0x40);
    file.resize(0x48);
    const OptionRomInfo info = DescribeOptionRom(file);
    EXPECT_EQ(info.problem, RomProblem::Truncated);  // its length byte declares 1024 bytes
    EXPECT_EQ(info.identity, 0x0A121C5D);
    const RomImageInfo& image = info.images[0];
    EXPECT_EQ(std::tuple(image.pci.present, image.declaredInFile, image.checksumOk, image.sum),
              std::tuple(false, false, false, std::accumulate(file.begin(), file.end(), 0u) % 256));
}

}  // namespace
}  // namespace tarvex::testing
