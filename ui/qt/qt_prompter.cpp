// Message boxes and file dialogs of the Qt windows.
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>

#include "ui/dialog_surface.h"
#include "ui/prompter.h"
#include "ui/qt/qt_dialog.h"

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

QWidget* Owner(DialogSurface* owner) {
    return owner ? static_cast<QWidget*>(owner->NativeWindow()) : nullptr;
}

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

class QtPrompter final : public Prompter {
public:
    MessageAnswer ShowMessage(DialogSurface* surface, const std::string& message,
                              const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        QWidget* owner = Owner(surface);
        const QString text = Latin1(message), caption = Latin1(title);
        if (buttons == MessageButtons::YesNo) {
            AnswerRequiredBox box(BoxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No,
                                  owner);
            box.setTextFormat(Qt::PlainText);
            box.setWindowFlag(Qt::WindowCloseButtonHint, false);
            return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
        }
        QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, owner);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return MessageAnswer::Ok;
    }

    std::string OpenFileName(DialogSurface* owner) override {
        return ToNative(QFileDialog::getOpenFileName(Owner(owner)));
    }

    // Qt's save dialog asks before an existing file is replaced.
    std::string SaveFileName(DialogSurface* owner) override {
        return ToNative(QFileDialog::getSaveFileName(Owner(owner)));
    }
};

QtPrompter g_qtPrompter;

}  // namespace

Prompter& ToolkitPrompter() { return g_qtPrompter; }

}  // namespace tarvex
