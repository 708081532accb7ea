#include "ui/prompter.h"

namespace tarvex {

namespace {
Prompter* g_prompter = nullptr;
}  // namespace

Prompter& CurrentPrompter() { return g_prompter ? *g_prompter : ToolkitPrompter(); }

void InstallPrompter(Prompter* prompter) { g_prompter = prompter; }

void ShowOkMessage(DialogSurface* owner, const std::string& text, const std::string& caption,
                   MessageIcon icon) {
    CurrentPrompter().ShowMessage(owner, text, caption, icon, MessageButtons::Ok);
}

}  // namespace tarvex
