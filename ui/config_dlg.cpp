#include "ui/config_dlg.h"

#include <QPushButton>

#include "config/config_checksum.h"
#include "config/config_scan.h"
#include "config/config_state.h"
#include "config/value_input.h"
#include "config/value_slots.h"
#include "ui/prompter.h"
#include "ui/templates/control_ids.h"
#include "ui/window_state.h"

namespace tarvex {

namespace {

constexpr size_t PaddedLabelLength = 80;

// Labels are single-byte text of the image.
QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::span<uint8_t> EditedImage() {
    if (!g_imageBuffer || g_imageSize <= 0) return {};
    return {g_imageBuffer.get(), static_cast<size_t>(g_imageSize)};
}

}  // namespace

std::string PaddedRowLabel(const std::string& label) {
    std::string text = label;
    while (text.size() < PaddedLabelLength) text += " -";
    return text;
}

CConfigDlg::CConfigDlg(QWidget* parent)
    : QDialog(parent), m_controls(BuildDialog(*this, ConfigDialogTemplate())) {
    ConnectMessageMap();
}

QLabel* CConfigDlg::RowLabel(int row) const {
    return qobject_cast<QLabel*>(Control(ConfigRowLabelIds[row]));
}

QComboBox* CConfigDlg::RowChoice(int row) const {
    return qobject_cast<QComboBox*>(Control(ConfigRowChoiceIds[row]));
}

QLineEdit* CConfigDlg::RowNumber(int row) const {
    return qobject_cast<QLineEdit*>(Control(ConfigRowNumberIds[row]));
}

void CConfigDlg::ConnectMessageMap() {
    connect(qobject_cast<QPushButton*>(Control(IdcOk)), &QPushButton::clicked, this,
            [this] { OnOK(); });
    connect(qobject_cast<QPushButton*>(Control(IdcCancel)), &QPushButton::clicked, this,
            [this] { reject(); });
    for (int row = 0; row < ConfigRowCount; ++row) {
        connect(RowChoice(row), &QComboBox::activated, this,
                [this, row] { OnSelchangeChoice(row); });
        connect(RowNumber(row), &QLineEdit::textChanged, this,
                [this, row] { OnChangeNumber(row); });
    }
}

void CConfigDlg::DoDataExchange(DataExchange& dx) {
    dx.Control(1032, m_stcRow8);
    dx.Control(1031, m_stcRow7);
    dx.Control(1030, m_stcRow6);
    dx.Control(1029, m_stcRow5);
    dx.Control(1028, m_stcRow4);
    dx.Control(1027, m_stcRow3);
    dx.Control(1026, m_stcRow2);
    dx.Control(1025, m_stcRow1);
    dx.Control(1024, m_stcRow0);
    dx.Control(1023, m_cbRow8);
    dx.Control(1022, m_cbRow7);
    dx.Control(1021, m_cbRow6);
    dx.Control(1020, m_cbRow5);
    dx.Control(1019, m_cbRow4);
    dx.Control(1018, m_cbRow3);
    dx.Control(1035, m_cbRow2);
    dx.Control(1034, m_cbRow1);
    dx.Control(1017, m_cbRow0);
    dx.Control(1000, m_editRow0);
    dx.Control(1036, m_editRow1);
    dx.Control(1001, m_editRow2);
    dx.Control(1002, m_editRow3);
    dx.Control(1003, m_editRow4);
    dx.Control(1004, m_editRow5);
    dx.Control(1005, m_editRow6);
    dx.Control(1006, m_editRow7);
    dx.Control(1007, m_editRow8);
}

int CConfigDlg::DoModal() {
    InitDialog();
    return exec();
}

void CConfigDlg::InitDialog() {
    if (OnInitDialog()) focusNextChild();
}

bool CConfigDlg::OnInitDialog() {
    DataExchange dx(m_controls);
    DoDataExchange(dx);
    if (ParseConfigEntries(EditedImage()) == 0) {
        ShowOkMessage(this, QStringLiteral("The BIOS is not configurable"), QStringLiteral("Error"),
                      MessageIcon::Error);
        return false;
    }
    for (int row = 0; row < ConfigRowCount; ++row) {
        std::string label = ConfigLabelText(g_configEntries[static_cast<size_t>(row)]);
        RowLabel(row)->setText(Latin1(PaddedRowLabel(label)));
    }
    LoadValueSlots();
    for (int row = 0; row < ConfigRowCount; ++row) ShowRow(row);
    return true;
}

void CConfigDlg::ShowRow(int row) {
    const ConfigEntry& entry = g_configEntries[static_cast<size_t>(row)];
    uint16_t slot = g_configSlots[static_cast<size_t>(row)];
    std::string label = ConfigLabelText(entry);
    QComboBox* choice = RowChoice(row);
    QLineEdit* number = RowNumber(row);
    if (label.empty()) {
        number->hide();
        choice->setEnabled(false);
        return;
    }
    if (entry.kind == ConfigEntryKind::Switch) {
        number->hide();
        choice->setCurrentIndex(slot <= 1 ? slot : -1);
        choice->setAccessibleName(Latin1(label));
    } else {
        choice->hide();
        number->setText(QString::number(slot));
        number->setAccessibleName(Latin1(label));
    }
}

void CConfigDlg::OnSelchangeChoice(int row) {
    int index = RowChoice(row)->currentIndex();
    if (index >= 0) g_configSlots[static_cast<size_t>(row)] = static_cast<uint16_t>(index);
}

void CConfigDlg::OnChangeNumber(int row) {
    g_configSlots[static_cast<size_t>(row)] =
        ConvertTypedNumber(RowNumber(row)->text().toLatin1().toStdString());
}

// Only rows shown as number boxes are judged, the upper one first. A dialog left on its
// template (no entry) has no limits of its own to judge by. The typed number is judged as
// typed, so one that its entry's width cannot hold is refused, never narrowed.
bool CConfigDlg::NumbersWithinLimits() {
    for (int row = 0; row < ConfigRowCount && row < g_configEntryCount; ++row) {
        const ConfigEntry& entry = g_configEntries[static_cast<size_t>(row)];
        if (!RowNumber(row)->isVisibleTo(this)) continue;
        const std::string typed = RowNumber(row)->text().toLatin1().toStdString();
        if (TypedNumberAccepted(typed, entry)) continue;
        const NumberRange range = AcceptedRange(entry);
        ShowOkMessage(this, QString::fromStdString(FormatLimitsMessage(range.min, range.max)),
                      Latin1(ConfigLabelText(entry)), MessageIcon::Error);
        return false;
    }
    return true;
}

void CConfigDlg::OnOK() {
    if (!NumbersWithinLimits()) return;
    if (ApplyConfigValues(EditedImage())) {
        FixConfigChecksum(EditedImage(), static_cast<size_t>(g_imageSize));
        SaveEditedImage();
    }
    QDialog::accept();
}

void CConfigDlg::OnCancel() { QDialog::reject(); }

void CConfigDlg::accept() { OnOK(); }

void CConfigDlg::reject() { OnCancel(); }

}  // namespace tarvex
