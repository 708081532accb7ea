// Qt's own prompter: a Yes/No question is answered only by its buttons.
#include "ui/prompter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tarvex {
namespace {

TEST(QtPrompterTest, EscapeAndTheCloseBoxDoNotAnswerAYesNoQuestion) {
    InstallPrompter(nullptr);
    bool stillAsking = false;
    QTimer::singleShot(0, [&stillAsking] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        QApplication::processEvents();
        stillAsking = box->isVisible();
        box->button(QMessageBox::Yes)->click();
    });
    const MessageAnswer answer = CurrentPrompter().ShowMessage(
        nullptr, "Save?", "Question", MessageIcon::Question, MessageButtons::YesNo);
    EXPECT_TRUE(stillAsking);
    EXPECT_EQ(answer, MessageAnswer::Yes);
}

}  // namespace
}  // namespace tarvex
