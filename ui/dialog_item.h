#pragma once
#include <cstdint>
#include <string>

#include "ui/dialog_surface.h"

namespace tarvex {

// One control of a dialog, bound by the dialog's data exchange: the member a dialog class
// keeps for a control, with the control's own operations.
class DialogItem {
public:
    DialogItem() = default;
    DialogItem(DialogSurface* surface, int id) : m_surface(surface), m_id(id) {}

    int Id() const { return m_id; }
    bool IsBound() const { return m_surface != nullptr; }
    DialogSurface* Surface() const { return m_surface; }

    std::string GetWindowText() const { return m_surface->ItemText(m_id); }
    void SetWindowText(const std::string& text) { m_surface->SetItemText(m_id, text); }
    bool IsWindowEnabled() const { return m_surface->IsItemEnabled(m_id); }
    void EnableWindow(bool enabled) { m_surface->EnableItem(m_id, enabled); }
    bool IsWindowVisible() const { return m_surface->IsItemShown(m_id); }
    void ShowWindow(bool shown) { m_surface->ShowItem(m_id, shown); }

    // Combo boxes.
    int AddString(const std::string& text, uint32_t data = 0) {
        return m_surface->AddLine(m_id, text, data);
    }
    int GetCount() const { return m_surface->LineCount(m_id); }
    std::string GetLBText(int line) const { return m_surface->LineText(m_id, line); }
    uint32_t GetItemData(int line) const { return m_surface->LineData(m_id, line); }
    int GetCurSel() const { return m_surface->Selection(m_id); }
    void SetCurSel(int line) { m_surface->SetSelection(m_id, line); }

private:
    DialogSurface* m_surface = nullptr;
    int m_id = NoControlId;
};

}  // namespace tarvex
