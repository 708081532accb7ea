#pragma once
#include <QString>

class QWidget;

namespace tarvex {

// The error icon is also the one the system calls the stop icon.
enum class MessageIcon { Error, Warning, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Message boxes and file dialogs of the windows go through this, so tests can answer them.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual MessageAnswer ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                                      MessageIcon icon, MessageButtons buttons) = 0;
    // The chosen path, empty when the user cancelled.
    virtual QString OpenFileName(QWidget* owner) = 0;
    virtual QString SaveFileName(QWidget* owner) = 0;
};

// The installed prompter, or the one built on Qt's message boxes and file dialogs.
Prompter& CurrentPrompter();
// Null returns to Qt's. The caller keeps the prompter alive while it is installed.
void InstallPrompter(Prompter* prompter);

// A message with one OK button.
void ShowOkMessage(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon);

}  // namespace tarvex
