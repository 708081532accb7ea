#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/environment.h"
#include "support/test_files.h"
#include "ui/flash_dlg.h"
#include "ui/prompter.h"

namespace tarvex::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    DialogSurface* owner = nullptr;  // compared only when the expectation names one
    bool operator==(const ShownMessage& other) const;
};
using Messages = std::vector<ShownMessage>;
void PrintTo(const ShownMessage& message, std::ostream* out);

// Answers the windows' message boxes and file dialogs from a script and records the messages.
class ScriptedPrompter : public Prompter {
public:
    MessageAnswer ShowMessage(DialogSurface* owner, const std::string& text,
                              const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override;
    std::string OpenFileName(DialogSurface*) override { return Next(openPaths); }
    std::string SaveFileName(DialogSurface*) override { return Next(savePaths); }

    Messages messages;
    std::deque<MessageAnswer> answers;  // for Yes/No questions; No when none is left
    std::deque<std::string> openPaths;  // an empty path, or none left: the user cancels
    std::deque<std::string> savePaths;

private:
    static std::string Next(std::deque<std::string>& paths);
};

// Runs the window's Config; when the configuration dialog opens, the script acts on it, and the
// dialog is cancelled if the script left it open. True when the dialog opened.
bool RunConfig(CFlashDlg& window, const std::function<void(DialogSurface&)>& script = {});

// Installs a scripted prompter and an exit hook, gives each test a temporary folder of its own
// (TMPDIR, so that the temporary image file lands there, and the host lock's file) and clears
// the windows' module state.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    size_t TempImageFiles() const;  // the window's temporary image files in the folder

    TempDir dir;
    ScriptedPrompter prompter;
    static std::vector<int> exitStatuses;

private:
    std::optional<ScopedEnvironment> m_environment;
};

// The main window over a simulator of the rig, its status texts followed in `shown`.
class WindowTest : public UiTest {
protected:
    void TearDown() override;
    bool Start(const sim::Rig& rig, bool captureTrace = false);
    void Click(int id) { window->Surface().Click(id); }
    void Type(int id, const std::string& text) { window->Surface().TypeText(id, text); }
    // Opens a file of the given bytes through Open.
    std::string Open(const std::vector<uint8_t>& bytes, const std::string& name = "image.rom");

    std::unique_ptr<testing::SimSession> session;
    std::unique_ptr<CFlashDlg> window;
    std::vector<std::string> shown;
};

}  // namespace tarvex::testing
