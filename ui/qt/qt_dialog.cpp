#include "ui/qt/qt_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>

#include "ui/qt/app_icon.h"
#include "ui/qt/combo_box_lines.h"

namespace tarvex {

namespace {

constexpr int IdOkButton = 1;
constexpr int IdCancelButton = 2;

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
    const QUrl& url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

QString FromNative(const std::string& text) { return QFile::decodeName(text.c_str()); }

std::string ToNative(const QString& text) { return QFile::encodeName(text).toStdString(); }

QtDialog::QtDialog(const DialogTemplate& dialog, DialogEvents& events, QWidget* parent)
    : QDialog(parent), m_events(events), m_controls(BuildDialog(*this, dialog)) {
    setWindowIcon(AppIcon());
    // Enter clicks a focused button; otherwise only a default button of the template takes it.
    for (QPushButton* button : findChildren<QPushButton*>())
        if (!button->isDefault()) button->setAutoDefault(false);
    ConnectNotifications();
    // The session or the application ends while the window is open.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { m_events.OnDestroy(); });
}

void QtDialog::ConnectNotifications() {
    for (QWidget* widget : m_controls.InTemplateOrder()) {
        const QString name = widget->objectName();
        if (!name.startsWith(QStringLiteral("control"))) continue;
        const int id = name.mid(7).toInt();
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            connect(button, &QPushButton::clicked, this, [this, id] { ButtonClicked(id); });
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            connect(edit, &QLineEdit::textChanged, this,
                    [this, id] { m_events.OnCommand(id, Notification::TextChanged); });
        } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
            // Only a choice of the user is a selection change, as with the list's own
            // notification.
            connect(box, &QComboBox::activated, this,
                    [this, id] { m_events.OnCommand(id, Notification::SelectionChanged); });
        }
    }
}

void QtDialog::ButtonClicked(int id) {
    if (id == IdOkButton) {
        m_events.OnOK();
    } else if (id == IdCancelButton) {
        m_events.OnCancel();
    } else {
        m_events.OnCommand(id, Notification::Clicked);
    }
}

std::string QtDialog::Caption() const { return windowTitle().toLatin1().toStdString(); }

void QtDialog::SetCaption(const std::string& caption) { setWindowTitle(Latin1(caption)); }

// Edits hold file names, in the file system's encoding; every other text is 8-bit text of the
// templates, the image or the driver.
std::string QtDialog::ItemText(int id) const {
    QWidget* widget = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return ToNative(edit->text());
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toLatin1().toStdString();
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->text().toLatin1().toStdString();
    if (auto* box = qobject_cast<QComboBox*>(widget))
        return box->currentText().toLatin1().toStdString();
    return {};
}

void QtDialog::SetItemText(int id, const std::string& text) {
    QWidget* widget = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const QString value = FromNative(text);
        if (edit->text() != value) edit->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(Latin1(text));
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(Latin1(text));
    }
}

bool QtDialog::IsItemEnabled(int id) const {
    QWidget* widget = Control(id);
    return widget && widget->isEnabled();
}

void QtDialog::EnableItem(int id, bool enabled) {
    if (QWidget* widget = Control(id)) widget->setEnabled(enabled);
}

bool QtDialog::IsItemShown(int id) const {
    QWidget* widget = Control(id);
    return widget && widget->isVisibleTo(this);
}

void QtDialog::ShowItem(int id, bool shown) {
    if (QWidget* widget = Control(id)) widget->setVisible(shown);
}

std::string QtDialog::AccessibleName(int id) const {
    QWidget* widget = Control(id);
    return widget ? widget->accessibleName().toLatin1().toStdString() : std::string();
}

void QtDialog::SetAccessibleName(int id, const std::string& name) {
    if (QWidget* widget = Control(id)) widget->setAccessibleName(Latin1(name));
}

int QtDialog::AddLine(int id, const std::string& text, uint32_t data) {
    auto* box = qobject_cast<QComboBox*>(Control(id));
    return box ? AddComboLine(*box, Latin1(text), QVariant::fromValue(data)) : -1;
}

int QtDialog::LineCount(int id) const {
    auto* box = qobject_cast<QComboBox*>(Control(id));
    return box ? box->count() : 0;
}

std::string QtDialog::LineText(int id, int line) const {
    auto* box = qobject_cast<QComboBox*>(Control(id));
    return box ? box->itemText(line).toLatin1().toStdString() : std::string();
}

uint32_t QtDialog::LineData(int id, int line) const {
    auto* box = qobject_cast<QComboBox*>(Control(id));
    return box ? box->itemData(line).value<uint32_t>() : 0;
}

int QtDialog::Selection(int id) const {
    auto* box = qobject_cast<QComboBox*>(Control(id));
    return box ? box->currentIndex() : -1;
}

void QtDialog::SetSelection(int id, int line) {
    if (auto* box = qobject_cast<QComboBox*>(Control(id))) box->setCurrentIndex(line);
}

void QtDialog::SetProgressRange(int id, int lower, int upper) {
    if (auto* bar = qobject_cast<QProgressBar*>(Control(id))) bar->setRange(lower, upper);
}

void QtDialog::SetProgressPos(int id, int position) {
    if (auto* bar = qobject_cast<QProgressBar*>(Control(id))) bar->setValue(position);
}

int QtDialog::ProgressPos(int id) const {
    auto* bar = qobject_cast<QProgressBar*>(Control(id));
    return bar ? bar->value() : 0;
}

int QtDialog::ProgressUpper(int id) const {
    auto* bar = qobject_cast<QProgressBar*>(Control(id));
    return bar ? bar->maximum() : -1;
}

void QtDialog::FocusFirstControl() { focusNextChild(); }

void QtDialog::FocusItem(int id) {
    if (QWidget* widget = Control(id)) widget->setFocus();
}

void QtDialog::AcceptDroppedFiles(bool accept) {
    setAcceptDrops(accept);
    // A file dropped on an edit is taken by the window, not typed into the edit.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->setAcceptDrops(false);
}

int QtDialog::RunModal() {
    m_running = true;
    if (const ModalHook& hook = CurrentModalHook()) {
        setResult(0);
        hook(*this);
        if (!m_running) return result();
    }
    const int outcome = exec();
    m_running = false;
    return outcome;
}

void QtDialog::EndDialog(int result) {
    m_running = false;
    QDialog::done(result);
}

// Posted, so that the notification that asked for it ends first.
void QtDialog::PostClose() {
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void QtDialog::Repaint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void QtDialog::accept() { m_events.OnOK(); }

void QtDialog::reject() { m_events.OnCancel(); }

void QtDialog::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    Qt::KeyboardModifiers modifiers = event->modifiers();
    modifiers.setFlag(Qt::KeypadModifier, false);
    if (!enter || modifiers != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
    } else if (auto* fallback = qobject_cast<QPushButton*>(Control(IdOkButton));
               fallback && fallback->isDefault()) {
        fallback->click();
    } else {
        m_events.OnOK();
    }
}

// Closing asks the logic, which ends the dialog or keeps it (while an operation runs).
void QtDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    m_events.OnCancel();
}

void QtDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void QtDialog::dropEvent(QDropEvent* event) {
    QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    m_events.OnDropFile(ToNative(path));
}

void QtDialog::Click(int id) {
    if (auto* button = qobject_cast<QPushButton*>(Control(id))) button->click();
}

void QtDialog::TypeText(int id, const std::string& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(Control(id))) edit->setText(FromNative(text));
}

void QtDialog::ChooseLine(int id, int line) {
    if (auto* box = qobject_cast<QComboBox*>(Control(id))) {
        box->setCurrentIndex(line);
        emit box->activated(line);
    }
}

void QtDialog::PressEnter() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(focusWidget() ? focusWidget() : this, &press);
}

void QtDialog::PressEscape() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(focusWidget() ? focusWidget() : this, &press);
}

void QtDialog::CloseWindow() { m_events.OnCancel(); }

void QtDialog::DropFile(const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(FromNative(path))});
    QDropEvent drop(QPointF(width() / 2.0, height() / 2.0), Qt::CopyAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    if (acceptDrops()) dropEvent(&drop);
}

std::unique_ptr<DialogSurface> CreateDialogSurface(const DialogTemplate& dialog,
                                                   DialogEvents& events, DialogSurface* owner) {
    auto* parent = owner ? static_cast<QWidget*>(owner->NativeWindow()) : nullptr;
    return std::make_unique<QtDialog>(dialog, events, parent);
}

}  // namespace tarvex
