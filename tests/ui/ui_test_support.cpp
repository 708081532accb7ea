#include "ui_test_support.h"

#include <algorithm>

#include "config/config_state.h"
#include "flash/event_channel.h"
#include "temp_image_name.h"
#include "ui/config_dlg.h"
#include "ui/process_exit.h"
#include "ui/window_state.h"

namespace tarvex::testing {

bool ShownMessage::operator==(const ShownMessage& other) const {
    bool sameOwner = !owner || !other.owner || owner == other.owner;
    return text == other.text && caption == other.caption && icon == other.icon && sameOwner;
}

void PrintTo(const ShownMessage& message, std::ostream* out) {
    *out << '"' << message.text << "\" / \"" << message.caption << "\" / icon "
         << static_cast<int>(message.icon);
}

MessageAnswer ScriptedPrompter::ShowMessage(DialogSurface* owner, const std::string& text,
                                            const std::string& caption, MessageIcon icon,
                                            MessageButtons buttons) {
    messages.push_back({text, caption, icon, owner});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    MessageAnswer answer = answers.empty() ? MessageAnswer::No : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
}

std::string ScriptedPrompter::Next(std::deque<std::string>& paths) {
    if (paths.empty()) return {};
    std::string path = paths.front();
    paths.pop_front();
    return path;
}

bool RunConfig(CFlashDlg& window, const std::function<void(DialogSurface&)>& script) {
    bool opened = false;
    SetModalHook([&](DialogSurface& dialog) {
        opened = true;
        if (script) script(dialog);
        if (dialog.IsRunning()) dialog.PressEscape();
    });
    window.OnConfig();
    SetModalHook(nullptr);
    return opened;
}

std::vector<int> UiTest::exitStatuses;

void UiTest::SetUp() {
    ResetWindowState();
    ResetConfigState();
    SetEventSink(nullptr);
    exitStatuses.clear();
    InstallPrompter(&prompter);
    SetProcessExitHook([](int status) { exitStatuses.push_back(status); });
    // The temporary image file lands in the folder (TMP and TEMP on Windows); a host lock of the
    // test's own, so that tests running side by side never meet on it.
    const std::string root = dir.Root().string();
    m_environment.emplace(EnvironmentChanges{
        {"TMPDIR", root}, {"TMP", root}, {"TEMP", root}, {"TARVEX_LOCK_FILE", dir / "host.lock"}});
}

void UiTest::TearDown() {
    InstallPrompter(nullptr);
    SetProcessExitHook(nullptr);
    g_status.SetListener(nullptr);
    m_environment.reset();
}

size_t UiTest::TempImageFiles() const {
    const std::vector<std::string> names = dir.Names();
    return static_cast<size_t>(std::count_if(names.begin(), names.end(), IsTempImageName));
}

bool WindowTest::Start(const sim::Rig& rig, bool captureTrace) {
    window.reset();
    session.reset();  // before the next one is installed: its end uninstalls the simulator
    session = std::make_unique<testing::SimSession>(rig, captureTrace);
    window = std::make_unique<CFlashDlg>();
    g_status.SetListener([this](const std::string& text) { shown.push_back(text); });
    return window->InitDialog();
}

void WindowTest::TearDown() {
    window.reset();
    session.reset();
    UiTest::TearDown();
}

std::string WindowTest::Open(const std::vector<uint8_t>& bytes, const std::string& name) {
    prompter.openPaths = {WriteFile(dir / name, bytes)};
    window->OnOpen();
    return dir / name;
}

}  // namespace tarvex::testing
