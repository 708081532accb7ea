#pragma once
#include <memory>
#include <string>

#include "ui/dialog_item.h"
#include "ui/dialog_surface.h"

namespace tarvex {

// The configuration dialog (template 129): one row per parameter entry of the image in
// g_imageBuffer, a choice box for a switch and a number box for a number. It edits through
// g_configSlots and writes the image to a file of the user's or to the temporary image file.
class CConfigDlg : public DialogEvents {
public:
    explicit CConfigDlg(DialogSurface* parent = nullptr);
    CConfigDlg(const CConfigDlg&) = delete;
    CConfigDlg& operator=(const CConfigDlg&) = delete;

    int DoModal();
    // The initialisation of a modal run, focus included.
    void InitDialog();
    virtual bool OnInitDialog();

    DialogSurface& Surface() const { return *m_surface; }
    DialogItem RowLabel(int row) const;
    DialogItem RowChoice(int row) const;
    DialogItem RowNumber(int row) const;

    void OnSelchangeChoice(int row);
    void OnChangeNumber(int row);

    void OnCommand(int id, Notification notification) override;
    void OnOK() override;
    void OnCancel() override;

    DialogItem m_stcRow8, m_stcRow7, m_stcRow6, m_stcRow5, m_stcRow4, m_stcRow3, m_stcRow2,
        m_stcRow1, m_stcRow0;
    DialogItem m_cbRow8, m_cbRow7, m_cbRow6, m_cbRow5, m_cbRow4, m_cbRow3, m_cbRow2, m_cbRow1,
        m_cbRow0;
    DialogItem m_editRow0, m_editRow1, m_editRow2, m_editRow3, m_editRow4, m_editRow5, m_editRow6,
        m_editRow7, m_editRow8;

protected:
    virtual void DoDataExchange();

private:
    void ShowRow(int row);
    bool NumbersWithinLimits();
    void SaveEditedImage();

    std::unique_ptr<DialogSurface> m_surface;
    bool m_showing = false;  // the rows are being filled from the slots
};

// A row's label text: the entry's label followed by " -" pairs up to at least 80 characters.
std::string PaddedRowLabel(const std::string& label);

}  // namespace tarvex
