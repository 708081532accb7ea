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
#include "sim/simulator.h"
#include "ui/app_icon.h"
#include "ui/config_dlg.h"
#include "ui/flash_dlg.h"
#include "ui/prompter.h"

namespace {

using namespace tarvex;

class ShotPrompter : public Prompter {
public:
    explicit ShotPrompter(QString image) : m_image(std::move(image)) {}
    MessageAnswer ShowMessage(QWidget*, const QString& text, const QString&, MessageIcon,
                              MessageButtons) override {
        std::printf("message: %s\n", text.toLatin1().constData());
        return MessageAnswer::No;
    }
    QString OpenFileName(QWidget*) override { return m_image; }
    QString SaveFileName(QWidget*) override { return {}; }

private:
    QString m_image;
};

bool Save(QWidget& window, const QString& path) {
    QApplication::processEvents();
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
    std::ofstream(imagePath.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    ShotPrompter prompter(imagePath);
    InstallPrompter(&prompter);

    bool ok = DrawAppIconImage(32).save(out.filePath(QStringLiteral("icon-32.png")), "PNG") &&
              DrawAppIconImage(16).save(out.filePath(QStringLiteral("icon-16.png")), "PNG");
    CFlashDlg window;
    window.InitDialog();
    window.show();
    ok = Save(window, out.filePath(QStringLiteral("main-window.png"))) && ok;
    window.OnOpen();
    // Fires inside the run, from the repaints the progress sink allows.
    QTimer::singleShot(250, [&] {
        ok = Save(window, out.filePath(QStringLiteral("main-window-during-flash.png"))) && ok;
    });
    window.OnFlash();
    ok = Save(window, out.filePath(QStringLiteral("main-window-after-flash.png"))) && ok;
    QTimer::singleShot(100, [&] {
        if (auto* config = dynamic_cast<CConfigDlg*>(QApplication::activeModalWidget())) {
            ok = Save(*config, out.filePath(QStringLiteral("config-dialog.png"))) && ok;
            config->reject();
        } else {
            ok = false;
        }
    });
    window.OnConfig();
    window.done(0);
    QFile::remove(imagePath);
    InstallPrompter(nullptr);
    return ok ? 0 : 1;
}
