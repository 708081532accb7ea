#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "ui/flash_dlg.h"
#include "ui/qt/combo_box_lines.h"
#include "ui/qt/qt_dialog.h"
#include "ui/templates/control_ids.h"
#include "ui/window_controls.h"
#include "ui_test_support.h"

namespace tarvex::testing {
namespace {

using TemplateBuilderTest = UiTest;

// Qt classes of ControlClass, in its order.
const char* const QtClasses[] = {"QLabel",    "QLineEdit",    "QPushButton",
                                 "QComboBox", "QProgressBar", "QGroupBox"};

// Every control of the template at its place, of its class, named, in tab order; the dialog's
// size and one control's place in pixels as the offscreen platform's DejaVu faces give them
// (characters of 7x14 pixels for the main window, 8x15 for the configuration dialog).
void ExpectBuiltAsTemplate(const DialogTemplate& shape, QSize size, int id, QRect rect) {
    QDialog dialog;
    DialogControls controls = BuildDialog(dialog, shape);
    const DialogUnits& units = controls.Units();
    EXPECT_EQ(dialog.windowTitle().toStdString(), shape.caption);
    EXPECT_EQ(dialog.size(), size);
    EXPECT_EQ(controls.Control(id)->geometry(), rect);
    EXPECT_FALSE(dialog.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(QFontInfo(dialog.font()).fixedPitch(), shape.fixedPitchFont);
    ASSERT_EQ(controls.InTemplateOrder().size(), shape.controls.size());
    QWidget* previousTabStop = nullptr;
    for (size_t i = 0; i < shape.controls.size(); ++i) {
        const ControlTemplate& control = shape.controls[i];
        QWidget* widget = controls.InTemplateOrder()[i];
        SCOPED_TRACE(control.id);
        EXPECT_TRUE(widget->inherits(QtClasses[static_cast<int>(control.controlClass)]));
        QRect rect = units.Rect(control.x, control.y, control.cx, control.cy);
        EXPECT_EQ(widget->pos(), rect.topLeft());
        EXPECT_EQ(widget->width(), rect.width());
        // A closed drop-down list is one line high; its template height is the open list's.
        EXPECT_TRUE(
            widget->height() == rect.height() ||
            (control.controlClass == ControlClass::ComboBox && widget->height() < rect.height()));
        EXPECT_FALSE(widget->accessibleName().isEmpty());
        EXPECT_TRUE(control.id == NoControlId || controls.Control(control.id) == widget);
        EXPECT_EQ(widget->focusPolicy() != Qt::NoFocus, (control.style & StyleTabStop) != 0);
        if ((control.style & StyleTabStop) == 0) continue;
        if (previousTabStop) {
            QWidget* next = previousTabStop->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
            EXPECT_EQ(next, widget);
        }
        previousTabStop = widget;
    }
}

TEST_F(TemplateBuilderTest, DialogsHaveTheControlsPlacesFontAndTabOrderOfTheirTemplates) {
    ExpectBuiltAsTemplate(FlashDialogTemplate(), {479, 232}, IdcPath, {99, 66, 211, 22});
    ExpectBuiltAsTemplate(ConfigDialogTemplate(), {444, 333}, IdcOk, {104, 281, 100, 26});
    CFlashDlg window;
    EXPECT_EQ(window.Surface().Caption(), "Tarvex Flash Utility");
    EXPECT_EQ(window.Surface().AccessibleName(IdcOpen), "Open...");
}

TEST_F(TemplateBuilderTest, ConfigRowsOfferBothChoicesAndOnlyRowsOneAndTwoTakeDigitsAlone) {
    QDialog dialog;
    DialogControls controls = BuildDialog(dialog, ConfigDialogTemplate());
    for (int row = 0; row < ConfigRowCount; ++row) {
        SCOPED_TRACE(row);
        auto* choice = qobject_cast<QComboBox*>(controls.Control(ConfigRowChoiceIds[row]));
        auto* number = qobject_cast<QLineEdit*>(controls.Control(ConfigRowNumberIds[row]));
        ASSERT_TRUE(choice);
        ASSERT_TRUE(number);
        ASSERT_EQ(choice->count(), 2);
        EXPECT_EQ(choice->itemText(0), QStringLiteral("Disable"));
        EXPECT_EQ(choice->itemText(1), QStringLiteral("Enable"));
        EXPECT_EQ(choice->currentIndex(), -1);
        EXPECT_EQ(choice->pos(), number->pos());
        number->clear();
        QTest::keyClicks(number, QStringLiteral("1a-2"));
        EXPECT_EQ(number->text(),
                  row == 1 || row == 2 ? QStringLiteral("12") : QStringLiteral("1a-2"));
    }
}

TEST_F(TemplateBuilderTest, SortedComboKeepsLinesInTextOrderWithoutSelectingOne) {
    QComboBox sorted;
    SetComboBoxSorted(sorted, true);
    for (int n : {2, 0, 1}) AddComboLine(sorted, QStringLiteral("[%1] x").arg(n), n);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(sorted.itemData(i).toInt(), i);
    EXPECT_EQ(sorted.currentIndex(), -1);
    QComboBox plain;
    AddComboLine(plain, QStringLiteral("b"));
    AddComboLine(plain, QStringLiteral("a"));
    EXPECT_EQ(plain.itemText(0), QStringLiteral("b"));
}

TEST_F(TemplateBuilderTest, StatusLabelShowsTextWithoutLineBreaksAndKeepsItRaw) {
    EXPECT_EQ(ReadableStatusText("\nPlease try it again\n"), "Please try it again");
    EXPECT_EQ(ReadableStatusText("a\n\nb\r\nc\n\r"), "a b c");
    EXPECT_EQ(ReadableStatusText("\n"), "");
    CFlashDlg window;
    StatusControl status;
    status.Attach(DialogItem(&window.Surface(), IdcStatus));
    status.SetWindowText("Backup BIOS Success!\n\n");
    EXPECT_EQ(status.WindowText(), "Backup BIOS Success!\n\n");
    auto* label =
        qobject_cast<QLabel*>(static_cast<QtDialog&>(window.Surface()).Control(IdcStatus));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Backup BIOS Success!"));
}

}  // namespace
}  // namespace tarvex::testing
