// Message boxes and file dialogs of the Win32 windows: the system's own.
#include <windows.h>
// after windows.h
#include <commdlg.h>

#include "ui/dialog_surface.h"
#include "ui/prompter.h"

namespace tarvex {

namespace {

HWND Owner(DialogSurface* owner) {
    return owner ? static_cast<HWND>(owner->NativeWindow()) : nullptr;
}

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return MB_ICONHAND;
    case MessageIcon::Warning:
        return MB_ICONEXCLAMATION;
    case MessageIcon::Information:
        return MB_ICONASTERISK;
    case MessageIcon::Question:
        return MB_ICONQUESTION;
    }
    return 0;
}

// No filter, no default extension, no initial name; the read-only box hidden and a question
// before an existing file is replaced.
std::string FileName(DialogSurface* owner, bool save) {
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner(owner);
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    const BOOL chosen = save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
    return chosen ? std::string(path) : std::string();
}

// A Yes/No box has no Cancel, so neither Escape nor its close box answers it.
class Win32Prompter final : public Prompter {
public:
    MessageAnswer ShowMessage(DialogSurface* owner, const std::string& text,
                              const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override {
        const UINT kind = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
        const int answer =
            ::MessageBoxA(Owner(owner), text.c_str(), caption.c_str(), kind | IconStyle(icon));
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
    }
    std::string OpenFileName(DialogSurface* owner) override { return FileName(owner, false); }
    std::string SaveFileName(DialogSurface* owner) override { return FileName(owner, true); }
};

Win32Prompter g_win32Prompter;

}  // namespace

Prompter& ToolkitPrompter() { return g_win32Prompter; }

}  // namespace tarvex
