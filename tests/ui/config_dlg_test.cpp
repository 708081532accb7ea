// The configuration dialog over an image in memory: rows, typed values, limits and saving.
#include "ui/config_dlg.h"

#include <fstream>

#include "config/config_state.h"
#include "test_images.h"
#include "ui/flash_dlg.h"
#include "ui/templates/control_ids.h"
#include "ui/window_state.h"
#include "ui_test_support.h"

namespace tarvex::testing {
namespace {

class ConfigDlgTest : public UiTest {
protected:
    // Puts the image where Config leaves it and opens the dialog over it.
    void Open(const std::vector<uint8_t>& image) {
        g_imageSize = static_cast<int32_t>(image.size());
        g_imageBuffer = std::make_unique<uint8_t[]>(image.size());
        std::copy(image.begin(), image.end(), g_imageBuffer.get());
        dialog = std::make_unique<CConfigDlg>();
        dialog->InitDialog();
    }
    static std::vector<uint8_t> Image() {
        return {g_imageBuffer.get(), g_imageBuffer.get() + g_imageSize};
    }
    void Ok() { dialog->Surface().Click(IdcOk); }
    DialogItem Number(int row) const { return dialog->RowNumber(row); }
    DialogItem Choice(int row) const { return dialog->RowChoice(row); }
    void Type(int row, const std::string& text) {
        dialog->Surface().TypeText(Number(row).Id(), text);
    }
    void Choose(int row, int line) { dialog->Surface().ChooseLine(Choice(row).Id(), line); }
    int Result() const { return dialog->Surface().Result(); }
    std::unique_ptr<CConfigDlg> dialog;
};

TEST_F(ConfigDlgTest, ImageWithoutEntriesLeavesTheTemplateAndWritesNothing) {
    std::vector<uint8_t> numbers = MakeRomImage(0x1C5D, 0x0A12, 4096);
    PutNumber(numbers, EntriesAt, 'B', "1,30", "Time", 5);
    Open(numbers);
    Type(0, "5000");  // limits and slots left for the next run
    std::vector<uint8_t> plain = MakeRomImage(0x1C5D, 0x0A12, 4096);
    Open(plain);
    const Messages notConfigurable = {
        {"The BIOS is not configurable", "Error", MessageIcon::Error, &dialog->Surface()}};
    EXPECT_EQ(prompter.messages, notConfigurable);
    EXPECT_EQ(dialog->RowLabel(3).GetWindowText(),
              "Reallocate EBDA  - - - - - - - - - - - - - - - - - - - -");
    for (int row = 0; row < ConfigRowCount; ++row) {
        EXPECT_TRUE(Choice(row).IsWindowVisible());
        EXPECT_TRUE(Choice(row).IsWindowEnabled());
        EXPECT_TRUE(Number(row).IsWindowVisible());
        EXPECT_EQ(Choice(row).GetCurSel(), -1);
        EXPECT_TRUE(Number(row).GetWindowText().empty());
    }
    Ok();
    EXPECT_EQ(Result(), IdOk);
    EXPECT_EQ(prompter.messages, notConfigurable);
    EXPECT_EQ(Image(), plain);
}

TEST_F(ConfigDlgTest, ThreeEntriesFillTheirRowsAndTheOthersStayEmpty) {
    EXPECT_EQ(PaddedRowLabel(std::string(17, 'x')).size(), 81u);
    EXPECT_EQ(PaddedRowLabel(std::string(18, 'x')).size(), 80u);
    Open(MakeThreeEntryImage(0x1C5D, 0x0A12));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(dialog->Surface().Caption(), "Load Utility for Flash EPROM v2.5.50120---COFNIG");
    EXPECT_EQ(dialog->RowLabel(0).GetWindowText(), PaddedRowLabel("INT 13 support"));
    EXPECT_EQ(dialog->RowLabel(2).GetWindowText(), PaddedRowLabel("Boot disk hook last"));
    EXPECT_EQ(Choice(0).GetCurSel(), 1);
    EXPECT_TRUE(!Number(0).IsWindowVisible());
    EXPECT_EQ(Choice(2).GetCurSel(), 0);
    EXPECT_TRUE(!Number(2).IsWindowVisible());
    EXPECT_EQ(Number(1).GetWindowText(), "5");
    EXPECT_TRUE(!Choice(1).IsWindowVisible());
    EXPECT_EQ(dialog->Surface().AccessibleName(Number(1).Id()),
              "Time waiting for CTRL-H key (second)");
    for (int row = 3; row < ConfigRowCount; ++row) {
        std::string dashes;
        for (int i = 0; i < 40; ++i) dashes += " -";
        EXPECT_EQ(dialog->RowLabel(row).GetWindowText(), dashes);
        EXPECT_TRUE(Choice(row).IsWindowVisible());
        EXPECT_FALSE(Choice(row).IsWindowEnabled());
        EXPECT_TRUE(!Number(row).IsWindowVisible());
        EXPECT_EQ(Choice(row).GetCurSel(), -1);
    }
    EXPECT_EQ(dialog->m_cbRow2.Id(), 1035);
    EXPECT_EQ(dialog->m_editRow1.Id(), Number(1).Id());
    EXPECT_EQ(dialog->m_stcRow8.Id(), 1032);
}

// Nine entries, a number each: every row, the ninth too, shows its own label and value.
TEST_F(ConfigDlgTest, EveryRowShowsItsOwnEntryTheNinthToo) {
    std::vector<uint8_t> image = MakeRomImage(0x1C5D, 0x0A12, 4096);
    for (size_t row = 0, at = EntriesAt; row < 9; ++row)
        at = PutNumber(image, at, 'B', "", "Row" + std::to_string(row), 11 + row);
    Open(image);
    const int numberIds[] = {1000, 1036, 1001, 1002, 1003, 1004, 1005, 1006, 1007};
    for (int row = 0; row < 9; ++row) {
        EXPECT_EQ(dialog->Surface().ItemText(numberIds[row]), std::to_string(11 + row)) << row;
        EXPECT_TRUE(
            dialog->Surface().ItemText(1024 + row).starts_with("Row" + std::to_string(row)));
    }
}

// The upper row is judged first, by the range its width allows; an accepted edit leaves the
// untouched dword whole.
TEST_F(ConfigDlgTest, RefusedValuesNameTheirRowAndAnAcceptedEditKeepsUntouchedEntriesWhole) {
    g_tempImagePath = WriteFile(dir / "kvr1.TMP", {});
    std::vector<uint8_t> image = MakeRomImage(0x1C5D, 0x0A12, 4096);
    size_t at = PutNumber(image, EntriesAt, 'B', "0,1000", "Wide byte", 5);
    at = PutNumber(image, at, 'B', "1,30", "Time waiting for CTRL-H key (second)", 5);
    PutNumber(image, at, 'D', "0,70000", "Big dword", 70000);
    FixSum(image);
    Open(image);
    EXPECT_EQ(Number(2).GetWindowText(), "4464");
    Type(1, "70000");
    EXPECT_EQ(g_configSlots[1], 4464);  // stored as typed, modulo 65536

    Type(0, "300");
    Type(1, "0");
    Ok();
    Type(0, "255");
    Ok();
    EXPECT_EQ(prompter.messages,
              (Messages{{"Please input the number between 0 and 255.", "Wide byte",
                         MessageIcon::Error, &dialog->Surface()},
                        {"Please input the number between 1 and 30.",
                         "Time waiting for CTRL-H key (second)", MessageIcon::Error}}));
    EXPECT_NE(Result(), IdOk);
    EXPECT_EQ(Image(), image);

    Type(1, "1");
    Ok();
    EXPECT_EQ(Result(), IdOk);
    EXPECT_EQ(prompter.messages.back().text, "Do you want to save the configuration file?");
    const std::vector<uint8_t> edited = Image();
    EXPECT_EQ(edited.at(g_configEntries[0].location), 255);
    EXPECT_EQ(edited.at(g_configEntries[1].location), 1);
    const size_t dword = g_configEntries[2].location;
    EXPECT_TRUE(
        std::equal(edited.begin() + dword, edited.begin() + dword + 4, image.begin() + dword));
    EXPECT_EQ(SumOf(edited, edited.size()), 0);
}

TEST_F(ConfigDlgTest, ChangingAValueAndBackAsksNothingAndAnOddSwitchKeepsItsByte) {
    std::vector<uint8_t> image = MakeRomImage(0x1C5D, 0x0A12, 4096);
    PutSwitch(image, PutSwitch(image, EntriesAt, "PIO mode only", 2), "BBS validation", 1);
    Open(image);
    EXPECT_EQ(Choice(0).GetCurSel(), -1);
    ASSERT_EQ(Choice(1).GetCurSel(), 1);
    Choose(1, 0);
    EXPECT_EQ(g_configSlots[1], 0);
    Choose(1, 1);
    Ok();
    EXPECT_EQ(Result(), IdOk);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Image(), image);
}

TEST_F(ConfigDlgTest, SavingReplacesAFileWholeAndFailuresKeepTheirMeaning) {
    std::string target = WriteFile(dir / "saved.rom", std::vector<uint8_t>(100000, 0xEE));
#ifdef _WIN32
    // A file another program holds open cannot be replaced: the temporary file is not used.
    g_tempImagePath = WriteFile(dir / "kvrHeld.TMP", {});
    std::ifstream held(g_tempImagePath);
#else
    g_tempImagePath = "/dev/full";  // a short write: the temporary file is not to be used
#endif
    const struct {
        MessageAnswer answer;
        std::string savePath;
        const char* failure;
    } cases[] = {
        {MessageAnswer::Yes, "", nullptr},  // Save As cancelled
        {MessageAnswer::Yes, dir / "missing/x.rom", "Error creating file!"},
        {MessageAnswer::No, "", "Error saving file!"},
        {MessageAnswer::Yes, target, nullptr},
    };
    for (const auto& item : cases) {
        prompter.messages.clear();
        prompter.answers = {item.answer};
        prompter.savePaths = {item.savePath};
        Open(MakeThreeEntryImage(0x1C5D, 0x0A12));
        Choose(2, Choice(2).GetCurSel() + 1);  // Disable -> Enable
        Ok();
        EXPECT_EQ(Result(), IdOk);
        Messages expected = {
            {"Do you want to save the configuration file?", "Question", MessageIcon::Question}};
        if (item.failure) expected.push_back({item.failure, "Error", MessageIcon::Error});
        EXPECT_EQ(prompter.messages, expected) << item.savePath;
        EXPECT_EQ(g_useTempImage, 0);
    }
    std::vector<uint8_t> saved = ReadFile(target);
    EXPECT_EQ(saved, Image());
    EXPECT_EQ(saved.at(g_configEntries[2].location), 1);
    EXPECT_EQ(SumOf(saved, saved.size()), 0);
}

}  // namespace
}  // namespace tarvex::testing
