// tarvex-flash.exe itself on a simulated rig, driven from outside through window messages as a
// user's clicks reach it: the adapter list and chip line, a flash, a backup, Config and Exit.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/test_files.h"
#include "ui/temp_image_name.h"
#include "ui/templates/control_ids.h"

namespace tarvex::testing {
namespace {

constexpr DWORD PatienceMs = 60000;  // a deadline for a hung program, not a measure of speed

std::string TextOf(HWND window) {
    char text[512] = {};
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, PatienceMs, nullptr);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK AddStaticText(HWND child, LPARAM found) {
    if (ClassOf(child) == "Static") *reinterpret_cast<std::string*>(found) += TextOf(child);
    return TRUE;
}

// The texts of a window's static controls, in order (a message box's text).
std::string StaticTexts(HWND window) {
    std::string texts;
    ::EnumChildWindows(window, AddStaticText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// A visible dialog of a process, by caption.
struct DialogSearch {
    DWORD process;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !::IsWindowVisible(window) || ClassOf(window) != "#32770" ||
        TextOf(window) != *search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The window program as a process of its own, and its visible dialogs.
class WindowProgram {
public:
    explicit WindowProgram(const EnvironmentChanges& environment)
        : m_child({TARVEX_UI_BINARY, {}, environment}) {}

    // The program's visible dialog with that caption, once it shows; null when the program
    // ends or hangs first.
    HWND AwaitDialog(const std::string& caption) const {
        HWND found = nullptr;
        Await([&] { return (found = FindDialog(caption)) != nullptr; });
        return found;
    }

    // The text of the message box with that caption, after which its OK is pressed.
    std::string AnswerMessage(const std::string& caption) const {
        HWND box = AwaitDialog(caption);
        if (box == nullptr) return "(no message box \"" + caption + "\")";
        const std::string text = StaticTexts(box);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        AwaitGone(box);
        return text;
    }

    void AwaitGone(HWND window) const {
        Await([&] { return !::IsWindow(window); });
    }

    int AwaitExit() { return m_child.Finish(); }

private:
    // Checks the condition until it holds, the program ends or the deadline passes.
    template <typename Condition>
    void Await(Condition holds) const {
        const ULONGLONG deadline = ::GetTickCount64() + PatienceMs;
        while (!holds() && ::GetTickCount64() < deadline &&
               ::WaitForSingleObject(m_child.Handle(), 20) == WAIT_TIMEOUT) {
        }
    }

    HWND FindDialog(const std::string& caption) const {
        DialogSearch search{::GetProcessId(m_child.Handle()), &caption, nullptr};
        ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    ChildProcess m_child;
};

void Click(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// A name typed into the file dialog, which is then confirmed.
bool AnswerSaveDialog(const WindowProgram& program, const std::string& path) {
    HWND dialog = program.AwaitDialog("Save As");
    if (dialog == nullptr) return false;
    HWND name = ::GetDlgItem(dialog, 0x47C);  // the name box of the Explorer-style dialog
    if (name == nullptr) name = ::GetDlgItem(dialog, 0x480);
    if (name == nullptr) return false;
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    program.AwaitGone(dialog);
    return true;
}

// The window's temporary image files in the folder given as TMP.
long TemporaryImageFiles(const TempDir& dir) {
    const std::vector<std::string> names = dir.Names();
    return std::count_if(names.begin(), names.end(), IsTempImageName);
}

const char* const MainCaptionStart = "Tarvex Flash Utility [simulated, rig: ";

TEST(WindowProgram, FlashesBacksUpConfiguresAndExitsOnASimulatedRig) {
    TempDir dir;
    const std::vector<uint8_t> image = SampleRom(0x1C5D, 0x0A12);
    WriteFile(dir / "image.rom", image);
    WriteFile(dir / "chip.rom", std::vector<uint8_t>(0x20000, 0xFF));
    WriteRigFile(dir / "rig.json", {RigFileAdapter{}});
    const EnvironmentChanges environment = {{"TARVEX_SIM_RIG", dir / "rig.json"},
                                            {"TARVEX_LOCK_FILE", dir / "host.lock"},
                                            {"TMP", dir.Root().string()}};
    WindowProgram program(environment);

    const std::string caption = MainCaptionStart + (dir / "rig.json") + "]";
    HWND main = program.AwaitDialog(caption);
    ASSERT_NE(main, nullptr) << "no main window captioned " << caption;
    EXPECT_EQ(TemporaryImageFiles(dir), 1);
    EXPECT_EQ(::SendDlgItemMessageA(main, IdcController, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(TextOf(::GetDlgItem(main, IdcStatus)), "Flash Model: SST 39SF010A (0xB5BF)");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(main, IdcFlash)));

    ::SendMessageA(::GetDlgItem(main, IdcPath), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>((dir / "image.rom").c_str()));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(main, IdcFlash)));
    Click(main, IdcFlash);
    EXPECT_EQ(program.AnswerMessage("Congratulation"), "Successful!");
    EXPECT_EQ(TextOf(::GetDlgItem(main, IdcStatus)), "Passed !");
    const std::vector<uint8_t> chip = ReadFile(dir / "chip.rom");  // the rig's chip
    EXPECT_TRUE(std::equal(image.begin(), image.end(), chip.begin()));

    Click(main, IdcBackup);
    ASSERT_TRUE(AnswerSaveDialog(program, dir / "backup.rom"));
    EXPECT_EQ(program.AnswerMessage("Congratulation"), "Successful!");
    EXPECT_EQ(ReadFile(dir / "backup.rom"), std::vector(chip.begin(), chip.begin() + 0x10000));

    Click(main, IdcConfig);
    HWND config = program.AwaitDialog("Load Utility for Flash EPROM v2.5.50120---COFNIG");
    ASSERT_NE(config, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(main));
    EXPECT_TRUE(TextOf(::GetDlgItem(config, 1024)).starts_with("INT 13 support - -"));
    ::PostMessageA(config, WM_COMMAND, IDCANCEL, 0);
    program.AwaitGone(config);
    EXPECT_TRUE(::IsWindowEnabled(main));

    Click(main, IdcExit);
    EXPECT_EQ(program.AwaitExit(), 0);
    EXPECT_EQ(ReadFile(dir / "image.rom"), image);
    EXPECT_EQ(TemporaryImageFiles(dir), 0);
}

}  // namespace
}  // namespace tarvex::testing
