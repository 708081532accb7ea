// The config command's hand-off to the editor: the editing rules are tested in tests/config.
#include "cli/config_command.h"

#include <gtest/gtest.h>

#include <numeric>

#include "cli_fixture.h"
#include "config/config_scan.h"
#include "config/config_state.h"

namespace tarvex {
namespace {

using testing::ProgramResult;
using testing::ReadFile;
using testing::WriteFile;

class ConfigCommand : public testing::CliTest {
protected:
    ProgramResult Run(std::vector<std::string> settings, std::string output = "",
                      bool json = false) {
        cli::ConfigRequest request{m_image, std::move(settings), std::move(output), json};
        return testing::RunCaptured([&](std::ostream& out, std::ostream& err) {
            return cli::RunConfig(request, out, err);
        });
    }
    // The byte offset of an entry's value in the sample, found by the editor's own scan.
    size_t Location(size_t row) {
        ParseConfigEntries(m_original);
        return g_configEntries[row].location;
    }

    std::vector<uint8_t> m_original = testing::SampleRom(0x1C5D, 0x0A12);
    std::string m_image = WriteFile(m_dir.Path("image.rom"), m_original);
};

TEST_F(ConfigCommand, ListsEntriesAndWritesOnlyTheChangedValueAndTheChecksumToTheOutput) {
    const ProgramResult list = Run({});
    EXPECT_EQ(list.exit, 0);
    EXPECT_NE(list.out.find("\"INT 13 support\" = 1 (Enable)"), std::string::npos) << list.out;
    EXPECT_NE(Run({"0=Enable", "3=3"}).out.find("nothing written"), std::string::npos);
    const ProgramResult set =
        Run({"Time waiting for CTRL-H key (second)=10"}, m_dir.Path("out.rom"));
    ASSERT_EQ(set.exit, 0) << set.err;
    EXPECT_EQ(ReadFile(m_image), m_original);
    const std::vector<uint8_t> edited = ReadFile(m_dir.Path("out.rom"));
    ASSERT_EQ(edited.size(), m_original.size());
    std::vector<size_t> changed;
    for (size_t i = 0; i < edited.size(); ++i)
        if (edited[i] != m_original[i]) changed.push_back(i);
    const size_t checksum = size_t{m_original[2]} * 512 - 1;  // file ends with the ROM area
    EXPECT_EQ(changed, (std::vector<size_t>{Location(3), checksum}));
    EXPECT_EQ(edited[Location(3)], 10);
    EXPECT_EQ(std::accumulate(edited.begin(), edited.end(), 0u) % 256, 0u);
}

TEST_F(ConfigCommand, RefusalsWriteNothing) {
    const struct {
        std::vector<std::string> settings;
        std::string output;
        int exit;
        const char* message;
    } cases[] = {
        {{"1=Enable", "3=256"},
         "",
         65,
         "--set 3=256: entry 3 (Time waiting for CTRL-H key (second)) takes a decimal number "
         "from 0 to 255, not \"256\""},
        {{"no such label=1"}, "", 64, "no config entry"},
        {{"0"}, "", 64, "expected ROW=VALUE"},
        {{"0=Disable"}, m_dir.Path("missing/out.rom"), 74, "missing/out.rom"},
    };
    for (const auto& c : cases) {
        const ProgramResult result = Run(c.settings, c.output);
        EXPECT_EQ(result.exit, c.exit) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadFile(m_image), m_original);
    EXPECT_EQ(m_dir.Count(), 1u);
    WriteFile(m_image, {0x55, 0xAA, 0x01});
    EXPECT_EQ(Run({}).exit, 65);
    m_image = m_dir.Path("absent.rom");
    EXPECT_EQ(Run({}).exit, 74);
}

TEST_F(ConfigCommand, JsonShowsLabelBytesThatAreNotUtf8AsReplacementCharacters) {
    m_original[Location(0) - std::string("INT 13 support</V>").size()] = 0xE9;  // for the "I"
    WriteFile(m_image, m_original);
    const ProgramResult result = Run({}, "", true);
    EXPECT_EQ(result.exit, 0) << result.err;
    EXPECT_NE(result.out.find("\"\xEF\xBF\xBDNT 13 support\""), std::string::npos) << result.out;
}

}  // namespace
}  // namespace tarvex
