#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include "ui/data_exchange.h"
#include "ui/template_builder.h"

namespace tarvex {

// The configuration dialog (template 129): one row per parameter entry of the image in
// g_imageBuffer, a choice box for a switch and a number box for a number. It edits through
// g_configSlots and writes the image to a file of the user's or to the temporary image file.
class CConfigDlg : public QDialog {
public:
    explicit CConfigDlg(QWidget* parent = nullptr);

    // The dialog ends through these, as through QDialog's.
    void accept() override;
    void reject() override;

    int DoModal();
    // The initialisation of a modal run, focus included.
    void InitDialog();
    virtual bool OnInitDialog();

    QWidget* Control(int id) const { return m_controls.Control(id); }
    QLabel* RowLabel(int row) const;
    QComboBox* RowChoice(int row) const;
    QLineEdit* RowNumber(int row) const;

    void OnSelchangeChoice(int row);
    void OnChangeNumber(int row);

    QLabel* m_stcRow8 = nullptr;
    QLabel* m_stcRow7 = nullptr;
    QLabel* m_stcRow6 = nullptr;
    QLabel* m_stcRow5 = nullptr;
    QLabel* m_stcRow4 = nullptr;
    QLabel* m_stcRow3 = nullptr;
    QLabel* m_stcRow2 = nullptr;
    QLabel* m_stcRow1 = nullptr;
    QLabel* m_stcRow0 = nullptr;
    QComboBox* m_cbRow8 = nullptr;
    QComboBox* m_cbRow7 = nullptr;
    QComboBox* m_cbRow6 = nullptr;
    QComboBox* m_cbRow5 = nullptr;
    QComboBox* m_cbRow4 = nullptr;
    QComboBox* m_cbRow3 = nullptr;
    QComboBox* m_cbRow2 = nullptr;
    QComboBox* m_cbRow1 = nullptr;
    QComboBox* m_cbRow0 = nullptr;
    QLineEdit* m_editRow0 = nullptr;
    QLineEdit* m_editRow1 = nullptr;
    QLineEdit* m_editRow2 = nullptr;
    QLineEdit* m_editRow3 = nullptr;
    QLineEdit* m_editRow4 = nullptr;
    QLineEdit* m_editRow5 = nullptr;
    QLineEdit* m_editRow6 = nullptr;
    QLineEdit* m_editRow7 = nullptr;
    QLineEdit* m_editRow8 = nullptr;

protected:
    virtual void DoDataExchange(DataExchange& dx);
    virtual void OnOK();
    virtual void OnCancel();

private:
    void ConnectMessageMap();
    void ShowRow(int row);
    bool NumbersWithinLimits();
    void SaveEditedImage();

    DialogControls m_controls;
};

// A row's label text: the entry's label followed by " -" pairs up to at least 80 characters.
std::string PaddedRowLabel(const std::string& label);

}  // namespace tarvex
