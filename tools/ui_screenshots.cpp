// Takes the windows' screenshots for docs/: the main window before, during and after a flash
// on the default rig (on the virtual clock), the configuration dialog over a sample image, and
// the icon.
// Usage: ui_screenshots <output folder>; run it on a real display (Xvfb).
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "platform/device.h"
#include "samples/sample_image.h"
#include "shot_prompter.h"
#include "sim/simulator.h"
#include "ui/config_dlg.h"
#include "ui/dialog_surface.h"
#include "ui/flash_dlg.h"
#include "ui/prompter.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/qt_dialog.h"
#include "ui/window_state.h"

namespace {

using namespace tarvex;

bool Save(DialogSurface& surface, const QString& path) {
    QApplication::processEvents();
    QWidget& window = *static_cast<QWidget*>(surface.NativeWindow());
    bool saved = window.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", path.toLatin1().constData());
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_screenshots <output folder>\n");
        return 64;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    sim::Rig rig = sim::DefaultRig();
    rig.clock.mode = sim::ModelClock::Mode::Virtual;
    std::string error;
    auto simulator = sim::Simulator::Create(rig, error);
    if (!simulator) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    platform::InstallDeviceProvider(simulator);

    SampleSpec spec;
    spec.vendor = 0x1C5D;
    spec.device = 0x0A12;
    std::vector<uint8_t> image = MakeSampleImage(spec);
    QString imagePath = QDir::temp().filePath(QStringLiteral("tarvex-shot-1C5D-0A12.rom"));
    std::ofstream(ToNative(imagePath), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    ShotPrompter prompter(ToNative(imagePath));
    InstallPrompter(&prompter);

    bool ok = DrawAppIconImage(32).save(out.filePath(QStringLiteral("icon-32.png")), "PNG") &&
              DrawAppIconImage(16).save(out.filePath(QStringLiteral("icon-16.png")), "PNG");
    CFlashDlg window;
    window.InitDialog();
    static_cast<QWidget*>(window.Surface().NativeWindow())->show();
    ok = Save(window.Surface(), out.filePath(QStringLiteral("main-window.png"))) && ok;
    window.OnOpen();
    // Taken inside the run, once it programs: the status line says so, and the next repaint the
    // progress sink allows shows it.
    bool duringTaken = false;
    g_status.SetListener([&](const std::string& text) {
        if (duringTaken || text != "Flashing...") return;
        duringTaken = true;
        QTimer::singleShot(0, [&] {
            ok = Save(window.Surface(),
                      out.filePath(QStringLiteral("main-window-during-flash.png"))) &&
                 ok;
        });
    });
    window.OnFlash();
    g_status.SetListener(nullptr);
    ok = duringTaken &&
         Save(window.Surface(), out.filePath(QStringLiteral("main-window-after-flash.png"))) && ok;
    bool configShown = false;
    SetModalHook([&](DialogSurface& config) {
        static_cast<QWidget*>(config.NativeWindow())->show();
        configShown = Save(config, out.filePath(QStringLiteral("config-dialog.png")));
        config.PressEscape();
    });
    window.OnConfig();
    SetModalHook(nullptr);
    ok = configShown && ok;
    window.OnCancel();
    QFile::remove(imagePath);
    InstallPrompter(nullptr);
    return ok ? 0 : 1;
}
