#include "cli/config_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "cli_fixture.h"
#include "config/config_scan.h"
#include "config/config_state.h"

namespace tarvex {
namespace {

using testing::CliResult;
using testing::ReadFile;
using testing::RunCaptured;
using testing::SampleRom;
using testing::WriteFile;

class ConfigCommand : public testing::CliTest {
protected:
    CliResult Run(std::vector<std::string> settings, std::string output = "") {
        cli::ConfigRequest request{m_image, std::move(settings), std::move(output), false};
        return RunCaptured([&](std::ostream& out, std::ostream& err) {
            return cli::RunConfig(request, out, err);
        });
    }
    // The byte offset of an entry's value in the sample, found by the editor's own scan.
    size_t Location(size_t row) {
        ParseConfigEntries(m_original);
        return g_configEntries[row].location;
    }

    std::vector<uint8_t> m_original = SampleRom(0x1C5D, 0x0A12);
    std::string m_image = WriteFile(m_dir.Path("image.rom"), m_original);
};

TEST_F(ConfigCommand, ListsEveryEntryWithoutWriting) {
    const CliResult result = Run({});
    EXPECT_EQ(result.exit, 0);
    EXPECT_NE(result.out.find("\"INT 13 support\" = 1 (Enable)"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("0..255 = 3"), std::string::npos);
    EXPECT_EQ(ReadFile(m_image), m_original);
}

TEST_F(ConfigCommand, SetChangesOnlyTheValueBytesAndTheChecksumByte) {
    const CliResult result =
        Run({"1=Enable", "Time waiting for CTRL-H key (second)=10"}, m_dir.Path("out.rom"));
    ASSERT_EQ(result.exit, 0) << result.err;
    EXPECT_EQ(ReadFile(m_image), m_original);
    const std::vector<uint8_t> edited = ReadFile(m_dir.Path("out.rom"));
    ASSERT_EQ(edited.size(), m_original.size());
    const size_t checksum = size_t{m_original[2]} * 512 - 1;  // file ends with the ROM area
    std::vector<size_t> changed;
    for (size_t i = 0; i < edited.size(); ++i)
        if (edited[i] != m_original[i]) changed.push_back(i);
    EXPECT_EQ(changed, (std::vector<size_t>{Location(1), Location(3), checksum}));
    EXPECT_EQ(edited[Location(1)], 1);
    EXPECT_EQ(edited[Location(3)], 10);
    EXPECT_EQ(std::accumulate(edited.begin(), edited.end(), 0u) % 256, 0u);
}

TEST_F(ConfigCommand, RejectedValuesWriteNothing) {
    // Row 3 is a byte entry 0..255, row 4 a word 1..30, row 0 a switch.
    const struct {
        const char* setting;
        int exit;
        const char* message;
    } cases[] = {
        {"3=256", 65,
         "--set 3=256: entry 3 (Time waiting for CTRL-H key (second)) takes a "
         "decimal number from 0 to 255, not \"256\""},
        {"3=70000", 65, "not \"70000\""},  // 4464 modulo 65536: never narrowed
        {"3=0x10", 65, "not \"0x10\""},
        {"3=2 5", 65, "not \"2 5\""},
        {"3=-1", 65, "not \"-1\""},
        {"3=", 65, "not \"\""},
        {"4=31", 65, "from 1 to 30"},
        {"0=2", 65,
         "entry 0 (INT 13 support) is a switch: Enable, Disable, 1 or 0, not "
         "\"2\""},
        {"no such label=1", 64, "no config entry"},
        {"0", 64, "expected ROW=VALUE"},
    };
    for (const auto& c : cases) {
        const CliResult result = Run({"1=Enable", c.setting});
        EXPECT_EQ(result.exit, c.exit) << c.setting;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadFile(m_image), m_original);
    EXPECT_EQ(m_dir.Count(), 1u);
}

TEST_F(ConfigCommand, AnEntryLeftAloneKeepsItsBytesWhenAnotherChanges) {
    // "Drive spin-up wait", four bytes: limits ",9999" (0 to 9999) in place of
    // "0,600", and a stored 70000, which its 16-bit slot holds as 4464.
    const std::string limits = "0,600";
    const auto text =
        std::search(m_original.begin(), m_original.end(), limits.begin(), limits.end());
    ASSERT_NE(text, m_original.end());
    std::copy_n(",9999", 5, text);
    const size_t dword = Location(5);
    m_original[dword] = 0x70, m_original[dword + 1] = 0x11, m_original[dword + 2] = 0x01;
    WriteFile(m_image, m_original);
    const CliResult result = Run({"0=disable", "4=30"}, m_dir.Path("out.rom"));
    ASSERT_EQ(result.exit, 0) << result.err;
    const std::vector<uint8_t> edited = ReadFile(m_dir.Path("out.rom"));
    ASSERT_EQ(edited.size(), m_original.size());
    EXPECT_TRUE(
        std::equal(edited.begin() + dword, edited.begin() + dword + 4, m_original.begin() + dword));
    EXPECT_EQ(edited[Location(0)], 0);
    EXPECT_EQ(edited[Location(4)], 30);
    // Named, the value that its 16-bit slot already held is written at the entry's full width.
    ASSERT_EQ(Run({"5=4464"}, m_dir.Path("named.rom")).exit, 0);
    const std::vector<uint8_t> named = ReadFile(m_dir.Path("named.rom"));
    ASSERT_EQ(named.size(), m_original.size());
    EXPECT_EQ(std::vector<uint8_t>(named.begin() + dword, named.begin() + dword + 4),
              (std::vector<uint8_t>{0x70, 0x11, 0, 0}));
}

TEST_F(ConfigCommand, JsonShowsLabelBytesThatAreNotUtf8AsReplacementCharacters) {
    m_original[Location(0) - std::string("INT 13 support</V>").size()] = 0xE9;  // for the "I"
    WriteFile(m_image, m_original);
    const cli::ConfigRequest request{m_image, {}, "", true};
    const CliResult result = RunCaptured(
        [&](std::ostream& out, std::ostream& err) { return cli::RunConfig(request, out, err); });
    EXPECT_EQ(result.exit, 0) << result.err;
    EXPECT_NE(result.out.find("\"\xEF\xBF\xBDNT 13 support\""), std::string::npos) << result.out;
}

TEST_F(ConfigCommand, SameValuesOrAFailedWriteLeaveEveryFileAsItWas) {
    CliResult result = Run({"0=Enable", "3=3"});
    EXPECT_EQ(result.exit, 0);
    EXPECT_NE(result.out.find("nothing written"), std::string::npos);
    result = Run({"0=Disable"}, m_dir.Path("missing/out.rom"));
    EXPECT_EQ(result.exit, 74);
    EXPECT_EQ(ReadFile(m_image), m_original);
    EXPECT_EQ(m_dir.Count(), 1u);
}

TEST_F(ConfigCommand, FilesThatAreNoBiosImageAreRefused) {
    std::vector<uint8_t> wrongOrder = m_original;
    std::swap(wrongOrder[0], wrongOrder[1]);
    WriteFile(m_image, wrongOrder);
    EXPECT_EQ(Run({}).exit, 65);
    WriteFile(m_image, {0x55, 0xAA, 0x01});
    EXPECT_EQ(Run({}).exit, 65);
    WriteFile(m_image, {0x55, 0xAA, 0x01, 0, 0, 0, 0, 0});  // ends before the offset field
    EXPECT_EQ(Run({}).exit, 65);
    m_image = m_dir.Path("absent.rom");
    EXPECT_EQ(Run({}).exit, 74);
}

}  // namespace
}  // namespace tarvex
