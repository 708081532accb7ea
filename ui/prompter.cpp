#include "ui/prompter.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
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

// A Yes/No question that only its two buttons answer.
class AnswerRequiredBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() != Qt::Key_Escape) QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

class QtPrompter final : public Prompter {
public:
    MessageAnswer ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                              MessageIcon icon, MessageButtons buttons) override {
        if (buttons == MessageButtons::YesNo) {
            AnswerRequiredBox box(BoxIcon(icon), caption, text,
                                  QMessageBox::Yes | QMessageBox::No, owner);
            box.setTextFormat(Qt::PlainText);
            box.setWindowFlag(Qt::WindowCloseButtonHint, false);
            return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
        }
        QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, owner);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return MessageAnswer::Ok;
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
