// Where the configuration dialog keeps an edited image: a file of the user's or the temporary
// image file that Flash and Config then use.
#include "platform/file_io.h"
#include "ui/config_dlg.h"
#include "ui/image_file_save.h"
#include "ui/prompter.h"
#include "ui/window_state.h"

namespace tarvex {

namespace {

// Shows the failure of a save, if any; true when the whole image was written.
bool ReportSave(DialogSurface* owner, SaveOutcome outcome) {
    if (outcome == SaveOutcome::CreateFailed) {
        ShowOkMessage(owner, "Error creating file!", "Error", MessageIcon::Error);
    } else if (outcome == SaveOutcome::ShortWrite) {
        ShowOkMessage(owner, "Error saving file!", "Error", MessageIcon::Error);
    }
    return outcome == SaveOutcome::Saved;
}

SaveOutcome SaveImage(const std::string& path, unsigned mode) {
    return SaveImageFile(path, g_imageBuffer.get(), static_cast<size_t>(g_imageSize), mode);
}

}  // namespace

// A temporary file written short is not used: the flag is set only for a complete image.
void CConfigDlg::SaveEditedImage() {
    DialogSurface* owner = m_surface.get();
    MessageAnswer answer =
        CurrentPrompter().ShowMessage(owner, "Do you want to save the configuration file?",
                                      "Question", MessageIcon::Question, MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes) {
        std::string path = CurrentPrompter().SaveFileName(owner);
        if (!path.empty()) ReportSave(owner, SaveImage(path, platform::UserFileMode()));
        return;
    }
    if (ReportSave(owner, SaveImage(g_tempImagePath, 0600))) g_useTempImage = 1;
}

}  // namespace tarvex
