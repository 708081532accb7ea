#include "ui/qt/template_builder.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "ui/qt/combo_box_lines.h"

namespace tarvex {

namespace {

QString ControlText(const ControlTemplate& control) {
    return control.text ? QString::fromLatin1(control.text) : QString();
}

QWidget* MakeStatic(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(ControlText(control), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap((control.style & StyleNoWordWrap) == 0);
    return label;
}

QWidget* MakeEdit(const ControlTemplate& control, QWidget* parent) {
    auto* edit = new QLineEdit(ControlText(control), parent);
    edit->setFrame((control.style & StyleBorder) != 0);
    if (control.style & StyleDigitsOnly)
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QWidget* MakeButton(const ControlTemplate& control, QWidget* parent) {
    auto* button = new QPushButton(ControlText(control), parent);
    if (control.style & StyleDefaultButton) button->setDefault(true);
    return button;
}

QWidget* MakeComboBox(const ControlTemplate& control, QWidget* parent) {
    auto* box = new QComboBox(parent);
    SetComboBoxSorted(*box, (control.style & StyleSorted) != 0);
    return box;
}

QWidget* MakeProgressBar(const ControlTemplate&, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QWidget* MakeGroupBox(const ControlTemplate& control, QWidget* parent) {
    auto* box = new QGroupBox(ControlText(control), parent);
    // A group box only frames; clicks reach the controls inside it.
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    return box;
}

QWidget* MakeControl(const ControlTemplate& control, QWidget* parent) {
    switch (control.controlClass) {
    case ControlClass::Static:
        return MakeStatic(control, parent);
    case ControlClass::Edit:
        return MakeEdit(control, parent);
    case ControlClass::Button:
        return MakeButton(control, parent);
    case ControlClass::ComboBox:
        return MakeComboBox(control, parent);
    case ControlClass::ProgressBar:
        return MakeProgressBar(control, parent);
    case ControlClass::GroupBox:
        return MakeGroupBox(control, parent);
    }
    return nullptr;
}

// A drop-down list's template height is that of its open list; closed, it is one line high.
QRect ControlRect(const ControlTemplate& control, const DialogUnits& units, QWidget* widget) {
    QRect rect = units.Rect(control.x, control.y, control.cx, control.cy);
    if (control.controlClass == ControlClass::ComboBox)
        rect.setHeight(std::min(rect.height(), widget->sizeHint().height()));
    return rect;
}

QString AccessibleName(const ControlTemplate& control) {
    if (control.accessibleName) return QString::fromLatin1(control.accessibleName);
    return ControlText(control).remove(QLatin1Char('&')).trimmed();
}

Qt::WindowFlags WindowFlags(uint32_t style) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style & DialogSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & DialogMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    if (style & DialogMaximizeBox) flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

void FillInitialData(const DialogTemplate& dialogTemplate, const DialogControls& controls) {
    for (const ComboBoxData& data : dialogTemplate.initialData) {
        auto* box = qobject_cast<QComboBox*>(controls.Control(data.id));
        if (!box) continue;
        for (const char* line : data.lines) AddComboLine(*box, QString::fromLatin1(line));
    }
}

}  // namespace

QWidget* DialogControls::Control(int id) const {
    auto found = m_byId.find(id);
    return found == m_byId.end() ? nullptr : found->second;
}

DialogControls BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate) {
    DialogControls controls;
    QFont font = DialogFont(dialogTemplate);
    dialog.setFont(font);
    controls.m_units = DialogUnitsOf(font);
    dialog.setWindowFlags(WindowFlags(dialogTemplate.style));
    dialog.setWindowTitle(QString::fromLatin1(dialogTemplate.caption));
    dialog.setFixedSize(controls.m_units.X(dialogTemplate.cx),
                        controls.m_units.Y(dialogTemplate.cy));

    QWidget* previousTabStop = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = MakeControl(control, &dialog);
        widget->setGeometry(ControlRect(control, controls.m_units, widget));
        widget->setAccessibleName(AccessibleName(control));
        if (control.id != NoControlId) {
            widget->setObjectName(QStringLiteral("control%1").arg(control.id));
            controls.m_byId[control.id] = widget;
        }
        if (control.style & StyleTabStop) {
            widget->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop) QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if (control.controlClass == ControlClass::GroupBox) widget->lower();
        controls.m_ordered.push_back(widget);
    }
    FillInitialData(dialogTemplate, controls);
    return controls;
}

}  // namespace tarvex
