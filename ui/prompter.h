#pragma once
#include <string>

namespace tarvex {

class DialogSurface;

// The error icon is also the one the system calls the stop icon.
enum class MessageIcon { Error, Warning, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Message boxes and file dialogs of the windows go through this, so tests can answer them.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual MessageAnswer ShowMessage(DialogSurface* owner, const std::string& text,
                                      const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons) = 0;
    // The chosen path, empty when the user cancelled.
    virtual std::string OpenFileName(DialogSurface* owner) = 0;
    // The save dialog asks before an existing file is replaced.
    virtual std::string SaveFileName(DialogSurface* owner) = 0;
};

// The installed prompter, or the toolkit's own message boxes and file dialogs.
Prompter& CurrentPrompter();
// Null returns to the toolkit's. The caller keeps the prompter alive while it is installed.
void InstallPrompter(Prompter* prompter);
// Supplied by the toolkit (ui/qt, ui/win32).
Prompter& ToolkitPrompter();

// A message with one OK button.
void ShowOkMessage(DialogSurface* owner, const std::string& text, const std::string& caption,
                   MessageIcon icon);

}  // namespace tarvex
