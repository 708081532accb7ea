#pragma once
#include <QDialog>
#include <QWidget>
#include <map>
#include <vector>

#include "ui/qt/dialog_units.h"
#include "ui/templates/dialog_template.h"

namespace tarvex {

// The widgets a template produced, found by control id as a dialog finds its items.
class DialogControls {
public:
    QWidget* Control(int id) const;
    const std::vector<QWidget*>& InTemplateOrder() const { return m_ordered; }
    const DialogUnits& Units() const { return m_units; }

private:
    friend DialogControls BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate);
    std::vector<QWidget*> m_ordered;
    std::map<int, QWidget*> m_byId;
    DialogUnits m_units;
};

// Creates the template's controls as children of the dialog, at their places in pixels of the
// dialog font, with the caption, window buttons, fixed client size and tab order it gives.
DialogControls BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate);

}  // namespace tarvex
