#include "ui_test_support.h"

#include <QTest>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "config/config_state.h"
#include "flash/event_channel.h"
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

MessageAnswer ScriptedPrompter::ShowMessage(QWidget* owner, const QString& text,
                                            const QString& caption, MessageIcon icon,
                                            MessageButtons buttons) {
    messages.push_back({text.toStdString(), caption.toStdString(), icon, owner});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    MessageAnswer answer = answers.empty() ? MessageAnswer::No : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
}

QString ScriptedPrompter::Next(std::deque<std::string>& paths) {
    if (paths.empty()) return {};
    QString path = QString::fromStdString(paths.front());
    paths.pop_front();
    return path;
}

bool RunConfig(CFlashDlg& window, const std::function<void(CConfigDlg&)>& script) {
    bool opened = false;
    QTimer probe;  // dies with this call, so it never fires into a later test
    probe.setSingleShot(true);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        auto* dialog = dynamic_cast<CConfigDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        opened = true;
        if (script) script(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    probe.start(0);
    window.OnConfig();
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
    setenv("TMPDIR", m_dir.c_str(), 1);
    // A host lock of the test's own, so that tests running side by side never meet on it.
    setenv("TARVEX_LOCK_FILE", (m_dir / "host.lock").c_str(), 1);
}

void UiTest::TearDown() {
    InstallPrompter(nullptr);
    SetProcessExitHook(nullptr);
    g_status.SetListener(nullptr);
    unsetenv("TMPDIR");
    unsetenv("TARVEX_LOCK_FILE");
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
        if (name.rfind("kvr", 0) == 0 && name.ends_with(".TMP")) found.push_back(item.path());
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

void WindowTest::Click(int id) { QTest::mouseClick(window->Control(id), Qt::LeftButton); }

std::string WindowTest::Open(const std::vector<uint8_t>& bytes, const std::string& name) {
    prompter.openPaths = {WriteFile(name, bytes)};
    window->OnOpen();
    return (Dir() / name).string();
}

sim::Rig OneAdapterRig() {
    return testing::MakeRig({testing::MakeAdapter(0x1C5D, 0x0A12, "SST 39SF010A")});
}

}  // namespace tarvex::testing
