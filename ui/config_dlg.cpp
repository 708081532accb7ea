#include "ui/config_dlg.h"

#include "config/config_checksum.h"
#include "config/config_scan.h"
#include "config/config_state.h"
#include "config/value_input.h"
#include "config/value_slots.h"
#include "ui/flash_dlg.h"
#include "ui/prompter.h"
#include "ui/templates/control_ids.h"
#include "ui/window_state.h"

namespace tarvex {

namespace {

constexpr size_t PaddedLabelLength = 80;

std::span<uint8_t> EditedImage() {
    if (!g_imageBuffer || g_imageSize <= 0) return {};
    return {g_imageBuffer.get(), static_cast<size_t>(g_imageSize)};
}

int RowOf(const int (&ids)[ConfigRowCount], int id) {
    for (int row = 0; row < ConfigRowCount; ++row)
        if (ids[row] == id) return row;
    return -1;
}

}  // namespace

std::string PaddedRowLabel(const std::string& label) {
    std::string text = label;
    while (text.size() < PaddedLabelLength) text += " -";
    return text;
}

CConfigDlg::CConfigDlg(DialogSurface* parent)
    : m_surface(CreateDialogSurface(ConfigDialogTemplate(), *this, parent)) {}

DialogItem CConfigDlg::RowLabel(int row) const {
    return DialogItem(m_surface.get(), ConfigRowLabelIds[row]);
}

DialogItem CConfigDlg::RowChoice(int row) const {
    return DialogItem(m_surface.get(), ConfigRowChoiceIds[row]);
}

DialogItem CConfigDlg::RowNumber(int row) const {
    return DialogItem(m_surface.get(), ConfigRowNumberIds[row]);
}

void CConfigDlg::OnCommand(int id, Notification notification) {
    if (notification == Notification::SelectionChanged) {
        if (const int row = RowOf(ConfigRowChoiceIds, id); row >= 0) OnSelchangeChoice(row);
    } else if (notification == Notification::TextChanged) {
        if (const int row = RowOf(ConfigRowNumberIds, id); row >= 0) OnChangeNumber(row);
    }
}

void CConfigDlg::DoDataExchange() {
    DialogSurface* s = m_surface.get();
    m_stcRow8 = {s, 1032};
    m_stcRow7 = {s, 1031};
    m_stcRow6 = {s, 1030};
    m_stcRow5 = {s, 1029};
    m_stcRow4 = {s, 1028};
    m_stcRow3 = {s, 1027};
    m_stcRow2 = {s, 1026};
    m_stcRow1 = {s, 1025};
    m_stcRow0 = {s, 1024};
    m_cbRow8 = {s, 1023};
    m_cbRow7 = {s, 1022};
    m_cbRow6 = {s, 1021};
    m_cbRow5 = {s, 1020};
    m_cbRow4 = {s, 1019};
    m_cbRow3 = {s, 1018};
    m_cbRow2 = {s, 1035};
    m_cbRow1 = {s, 1034};
    m_cbRow0 = {s, 1017};
    m_editRow0 = {s, 1000};
    m_editRow1 = {s, 1036};
    m_editRow2 = {s, 1001};
    m_editRow3 = {s, 1002};
    m_editRow4 = {s, 1003};
    m_editRow5 = {s, 1004};
    m_editRow6 = {s, 1005};
    m_editRow7 = {s, 1006};
    m_editRow8 = {s, 1007};
}

int CConfigDlg::DoModal() {
    InitDialog();
    return m_surface->RunModal();
}

void CConfigDlg::InitDialog() {
    if (OnInitDialog()) m_surface->FocusFirstControl();
}

bool CConfigDlg::OnInitDialog() {
    DoDataExchange();
    if (ParseConfigEntries(EditedImage()) == 0) {
        ShowOkMessage(m_surface.get(), "The BIOS is not configurable", "Error", MessageIcon::Error);
        return false;
    }
    for (int row = 0; row < ConfigRowCount; ++row) {
        std::string label = ConfigLabelText(g_configEntries[static_cast<size_t>(row)]);
        RowLabel(row).SetWindowText(PaddedRowLabel(label));
    }
    LoadValueSlots();
    m_showing = true;
    for (int row = 0; row < ConfigRowCount; ++row) ShowRow(row);
    m_showing = false;
    return true;
}

void CConfigDlg::ShowRow(int row) {
    const ConfigEntry& entry = g_configEntries[static_cast<size_t>(row)];
    uint16_t slot = g_configSlots[static_cast<size_t>(row)];
    std::string label = ConfigLabelText(entry);
    DialogItem choice = RowChoice(row);
    DialogItem number = RowNumber(row);
    if (label.empty()) {
        number.ShowWindow(false);
        choice.EnableWindow(false);
        return;
    }
    if (entry.kind == ConfigEntryKind::Switch) {
        number.ShowWindow(false);
        choice.SetCurSel(slot <= 1 ? slot : -1);
        m_surface->SetAccessibleName(choice.Id(), label);
    } else {
        choice.ShowWindow(false);
        number.SetWindowText(std::to_string(slot));
        m_surface->SetAccessibleName(number.Id(), label);
    }
}

void CConfigDlg::OnSelchangeChoice(int row) {
    int index = RowChoice(row).GetCurSel();
    if (index >= 0 && !m_showing)
        NameSlotValue(static_cast<size_t>(row), static_cast<uint16_t>(index));
}

void CConfigDlg::OnChangeNumber(int row) {
    // Text put there to show the loaded value names nothing.
    if (m_showing) return;
    NameSlotValue(static_cast<size_t>(row), ConvertTypedNumber(RowNumber(row).GetWindowText()));
}

// Only rows shown as number boxes are judged, the upper one first. A dialog left on its
// template (no entry) has no limits of its own to judge by. The typed number is judged as
// typed, so one that its entry's width cannot hold is refused, never narrowed.
bool CConfigDlg::NumbersWithinLimits() {
    for (int row = 0; row < ConfigRowCount && row < g_configEntryCount; ++row) {
        const ConfigEntry& entry = g_configEntries[static_cast<size_t>(row)];
        if (!RowNumber(row).IsWindowVisible()) continue;
        const std::string typed = RowNumber(row).GetWindowText();
        if (TypedNumberAccepted(typed, entry)) continue;
        const NumberRange range = AcceptedRange(entry);
        ShowOkMessage(m_surface.get(), FormatLimitsMessage(range.min, range.max),
                      ConfigLabelText(entry), MessageIcon::Error);
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
    m_surface->EndDialog(IdOk);
}

void CConfigDlg::OnCancel() { m_surface->EndDialog(IdCancel); }

}  // namespace tarvex
