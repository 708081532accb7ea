#include "ui_test_support.h"

#include <cctype>
#include <fstream>
#include <iterator>

#include "config/config_state.h"
#include "flash/event_channel.h"
#include "support/program_run.h"
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
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = std::filesystem::temp_directory_path() /
            (std::string("tarvex-ui-") + test->test_suite_name() + "-" + test->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
    // The temporary image file lands there (TMP and TEMP on Windows).
    for (const char* name : {"TMPDIR", "TMP", "TEMP"}) {
        const char* old = std::getenv(name);
        m_savedTemp.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        SetEnvironment(name, m_dir.string());
    }
    // A host lock of the test's own, so that tests running side by side never meet on it.
    SetEnvironment("TARVEX_LOCK_FILE", (m_dir / "host.lock").string());
}

void UiTest::TearDown() {
    InstallPrompter(nullptr);
    SetProcessExitHook(nullptr);
    g_status.SetListener(nullptr);
    UnsetEnvironment("TARVEX_LOCK_FILE");
    for (const auto& [name, value] : m_savedTemp) {
        if (value)
            SetEnvironment(name, *value);
        else
            UnsetEnvironment(name);
    }
    m_savedTemp.clear();
    std::filesystem::remove_all(m_dir);
}

std::string UiTest::WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(m_dir / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return (m_dir / name).string();
}

std::vector<uint8_t> UiTest::ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::filesystem::path> UiTest::TempImageFiles() const {
    std::vector<std::filesystem::path> found;
    for (const auto& item : std::filesystem::directory_iterator(m_dir)) {
        std::string name = item.path().filename().string();
        // Windows names are case-blind, and Wine's system names the file "kvr<hex>.tmp".
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (name.rfind("KVR", 0) == 0 && name.ends_with(".TMP")) found.push_back(item.path());
    }
    return found;
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
    prompter.openPaths = {WriteFile(name, bytes)};
    window->OnOpen();
    return (Dir() / name).string();
}

sim::Rig OneAdapterRig() {
    return testing::MakeRig({testing::MakeAdapter(0x1C5D, 0x0A12, "SST 39SF010A")});
}

}  // namespace tarvex::testing
