#include "ui/prompter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace tarvex {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

class QtPrompter final : public Prompter {
public:
    MessageAnswer ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                              MessageIcon icon, MessageButtons buttons) override {
        bool yesNo = buttons == MessageButtons::YesNo;
        QMessageBox box(BoxIcon(icon), caption, text,
                        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
        box.setTextFormat(Qt::PlainText);
        int answer = box.exec();
        if (!yesNo) return MessageAnswer::Ok;
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }

    QString OpenFileName(QWidget* owner) override { return QFileDialog::getOpenFileName(owner); }

    // Qt's save dialog asks before an existing file is replaced.
    QString SaveFileName(QWidget* owner) override { return QFileDialog::getSaveFileName(owner); }
};

QtPrompter g_qtPrompter;
Prompter* g_prompter = nullptr;

}  // namespace

Prompter& CurrentPrompter() { return g_prompter ? *g_prompter : g_qtPrompter; }

void InstallPrompter(Prompter* prompter) { g_prompter = prompter; }

void ShowOkMessage(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon) {
    CurrentPrompter().ShowMessage(owner, text, caption, icon, MessageButtons::Ok);
}

}  // namespace tarvex
