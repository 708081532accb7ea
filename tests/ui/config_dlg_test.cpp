// The configuration dialog over an image in memory: rows, typed values, limits and saving.
#include "ui/config_dlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "config/config_state.h"
#include "test_images.h"
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
    void Ok() { qobject_cast<QPushButton*>(dialog->Control(IdcOk))->click(); }
    QLineEdit* Number(int row) const { return dialog->RowNumber(row); }
    QComboBox* Choice(int row) const { return dialog->RowChoice(row); }
    bool Shown(QWidget* widget) const { return widget->isVisibleTo(dialog.get()); }
    // A word number (0..1000) in row 0, a byte number (1..30) in row 1.
    static std::vector<uint8_t> TwoNumberImage() {
        std::vector<uint8_t> image = MakeRomImage(0x1C5D, 0x0A12, 4096);
        size_t at = PutNumber(image, EntriesAt, 'W', "0,1000", "Private stack size", 100);
        PutNumber(image, at, 'B', "1,30", "Time waiting for CTRL-H key (second)", 5);
        FixSum(image);
        return image;
    }

    std::unique_ptr<CConfigDlg> dialog;
};

TEST_F(ConfigDlgTest, ImageWithoutEntriesLeavesTheTemplateAndWritesNothing) {
    Open(TwoNumberImage());
    Number(0)->setText(QStringLiteral("5000"));  // limits and slots left for the next run
    std::vector<uint8_t> plain = MakeRomImage(0x1C5D, 0x0A12, 4096);
    Open(plain);
    const Messages notConfigurable = {
        {"The BIOS is not configurable", "Error", MessageIcon::Error, dialog.get()}};
    EXPECT_EQ(prompter.messages, notConfigurable);
    EXPECT_EQ(dialog->RowLabel(3)->text(),
              QStringLiteral("Reallocate EBDA  - - - - - - - - - - - - - - - - - - - -"));
    for (int row = 0; row < ConfigRowCount; ++row) {
        EXPECT_TRUE(Shown(Choice(row)));
        EXPECT_TRUE(Choice(row)->isEnabled());
        EXPECT_TRUE(Shown(Number(row)));
        EXPECT_TRUE(Choice(row)->currentIndex() == -1);
        EXPECT_TRUE(Number(row)->text().isEmpty());
    }
    Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(prompter.messages, notConfigurable);
    EXPECT_EQ(Image(), plain);
}

TEST_F(ConfigDlgTest, ThreeEntriesFillTheirRowsAndTheOthersStayEmpty) {
    EXPECT_EQ(PaddedRowLabel(std::string(17, 'x')).size(), 81u);
    EXPECT_EQ(PaddedRowLabel(std::string(18, 'x')).size(), 80u);
    Open(MakeThreeEntryImage(0x1C5D, 0x0A12));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(dialog->windowTitle(),
              QStringLiteral("Load Utility for Flash EPROM v2.5.50120---COFNIG"));
    EXPECT_EQ(dialog->RowLabel(0)->text().toStdString(), PaddedRowLabel("INT 13 support"));
    EXPECT_EQ(dialog->RowLabel(2)->text().toStdString(), PaddedRowLabel("Boot disk hook last"));
    EXPECT_TRUE(Choice(0)->currentIndex() == 1);
    EXPECT_TRUE(!Shown(Number(0)));
    EXPECT_TRUE(Choice(2)->currentIndex() == 0);
    EXPECT_TRUE(!Shown(Number(2)));
    EXPECT_TRUE(Number(1)->text() == QStringLiteral("5"));
    EXPECT_TRUE(!Shown(Choice(1)));
    EXPECT_EQ(Number(1)->accessibleName(), QStringLiteral("Time waiting for CTRL-H key (second)"));
    for (int row = 3; row < ConfigRowCount; ++row) {
        EXPECT_EQ(dialog->RowLabel(row)->text(), QStringLiteral(" -").repeated(40));
        EXPECT_TRUE(Shown(Choice(row)));
        EXPECT_TRUE(!Choice(row)->isEnabled());
        EXPECT_TRUE(!Shown(Number(row)));
        EXPECT_EQ(Choice(row)->currentIndex(), -1);
    }
    EXPECT_TRUE(dialog->m_cbRow2 == dialog->Control(1035));
    EXPECT_TRUE(dialog->m_editRow1 == Number(1));
    EXPECT_EQ(dialog->m_stcRow8, dialog->Control(1032));
}

TEST_F(ConfigDlgTest, TypedNumbersAreStoredModulo65536AndJudgedByTheFirstFailingRow) {
    g_tempImagePath = WriteFile("kvr1.TMP", {});
    Open(TwoNumberImage());
    const std::pair<const char*, uint16_t> typed[] = {{"-1", 65535}, {"abc", 0}, {"  +12x", 12}};
    for (const auto& [text, slot] : typed) {
        Number(0)->setText(QString::fromLatin1(text));
        EXPECT_EQ(g_configSlots[0], slot) << text;
    }
    Number(1)->clear();
    QTest::keyClicks(Number(1), QStringLiteral("70000"));
    EXPECT_EQ(g_configSlots[1], 4464);

    Number(0)->setText(QStringLiteral("1001"));
    Number(1)->setText(QStringLiteral("0"));
    std::vector<uint8_t> before = Image();
    Ok();
    Number(0)->setText(QStringLiteral("1000"));
    Ok();
    EXPECT_EQ(prompter.messages,
              (Messages{{"Please input the number between 0 and 1000.", "Private stack size",
                         MessageIcon::Error, dialog.get()},
                        {"Please input the number between 1 and 30.",
                         "Time waiting for CTRL-H key (second)", MessageIcon::Error}}));
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Image(), before);

    Number(1)->setText(QStringLiteral("1"));
    Ok();  // both at a limit; the question is answered No: the temporary file keeps the image
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(prompter.messages.back().text, "Do you want to save the configuration file?");
    EXPECT_EQ(g_useTempImage, 1);
    std::vector<uint8_t> kept = ReadFile(g_tempImagePath);
    EXPECT_EQ(kept, Image());
    EXPECT_EQ(kept.at(g_configEntries[0].location + 1) << 8 | kept.at(g_configEntries[0].location),
              1000);
    EXPECT_EQ(kept.at(g_configEntries[1].location), 1);
    EXPECT_EQ(SumOf(kept, kept.size()), 0);
}

TEST_F(ConfigDlgTest, NumbersTheirWidthCannotHoldAreRefusedAndUntouchedOnesKeptWhole) {
    std::vector<uint8_t> image = MakeRomImage(0x1C5D, 0x0A12, 4096);
    const size_t at = PutNumber(image, EntriesAt, 'B', "0,1000", "Wide byte", 5);
    PutNumber(image, at, 'D', "0,70000", "Big dword", 70000);
    FixSum(image);
    Open(image);
    EXPECT_EQ(Number(1)->text(), QStringLiteral("4464"));
    Number(0)->setText(QStringLiteral("300"));
    Ok();
    EXPECT_EQ(prompter.messages, (Messages{{"Please input the number between 0 and 255.",
                                            "Wide byte", MessageIcon::Error, dialog.get()}}));
    EXPECT_EQ(Image(), image);

    prompter.messages.clear();
    prompter.answers = {MessageAnswer::Yes};
    prompter.savePaths = {""};
    Number(0)->setText(QStringLiteral("200"));
    Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const std::vector<uint8_t> edited = Image();
    const size_t dword = g_configEntries[1].location;
    EXPECT_EQ(edited.at(g_configEntries[0].location), 200);
    EXPECT_TRUE(
        std::equal(edited.begin() + dword, edited.begin() + dword + 4, image.begin() + dword));
}

TEST_F(ConfigDlgTest, ChangingAValueAndBackAsksNothingAndAnOddSwitchKeepsItsByte) {
    std::vector<uint8_t> image = MakeRomImage(0x1C5D, 0x0A12, 4096);
    PutSwitch(image, PutSwitch(image, EntriesAt, "PIO mode only", 2), "BBS validation", 1);
    Open(image);
    EXPECT_EQ(Choice(0)->currentIndex(), -1);
    QTest::keyClick(Choice(1), Qt::Key_Up);
    EXPECT_EQ(g_configSlots[1], 0);
    QTest::keyClick(Choice(1), Qt::Key_Down);
    Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Image(), image);
}

TEST_F(ConfigDlgTest, SavingReplacesAFileWholeAndFailuresKeepTheirMeaning) {
    std::string target = WriteFile("saved.rom", std::vector<uint8_t>(100000, 0xEE));
    g_tempImagePath = "/dev/full";  // a short write: the temporary file is not to be used
    const struct {
        MessageAnswer answer;
        std::string savePath;
        const char* failure;
    } cases[] = {
        {MessageAnswer::Yes, "", nullptr},  // Save As cancelled
        {MessageAnswer::Yes, (Dir() / "missing" / "x.rom").string(), "Error creating file!"},
        {MessageAnswer::No, "", "Error saving file!"},
        {MessageAnswer::Yes, target, nullptr},
    };
    for (const auto& item : cases) {
        prompter.messages.clear();
        prompter.answers = {item.answer};
        prompter.savePaths = {item.savePath};
        Open(MakeThreeEntryImage(0x1C5D, 0x0A12));
        QTest::keyClick(Choice(2), Qt::Key_Down);  // Disable -> Enable
        Ok();
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
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
